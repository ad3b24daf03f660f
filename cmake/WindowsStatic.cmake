# Windows programs are linked statically so that each .exe needs only the DLLs that ship with
# Windows (no libstdc++, libgcc or winpthread DLL beside it).
add_link_options(-static -static-libgcc -static-libstdc++)
# The headers declare the Windows 7 API (0x0601); UNICODE stays undefined, so the names resolve to
# the ANSI ("A") calls the programs use.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
# Release programs carry no symbol table, nor the debug sections the static runtime libraries
# bring along: half the size, and nothing a user of the programs needs.
add_link_options($<$<CONFIG:Release>:-s>)
