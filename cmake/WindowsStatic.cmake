# Windows programs are linked statically so that each .exe needs only the DLLs that ship with
# Windows (no libstdc++, libgcc or winpthread DLL beside it).
add_link_options(-static -static-libgcc -static-libstdc++)
# The headers declare the Windows 7 API (0x0601); UNICODE stays undefined, so the names resolve to
# the ANSI ("A") calls the programs use.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
