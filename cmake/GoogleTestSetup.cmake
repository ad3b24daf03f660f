# GoogleTest: the machine's package for native builds; for the Windows cross builds it is compiled
# from the source Debian ships in /usr/src/googletest with the cross compiler.
include(GoogleTest)
if(CMAKE_CROSSCOMPILING)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    # The suites use GoogleTest alone, not GoogleMock.
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    # Its own CMake files define the GTest:: targets the suites link against. Like the tests'
    # own code, it is compiled without optimisation: it only has to run the tests.
    add_subdirectory(/usr/src/googletest "${PROJECT_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
    target_compile_options(gtest PRIVATE -O0 -g0)
    target_compile_options(gtest_main PRIVATE -O0 -g0)
else()
    find_package(GTest REQUIRED)
endif()

# A Windows test program this machine cannot run at all (a 32-bit one where the kernel refuses
# 32-bit x86 programs) is not started: scripts/wine-run.sh says why in one line and ends with 77,
# which these tests report as skipped. Any other status still passes or fails the test.
set(KOLT_WINE_SKIP_STATUS 77)

# Registers a GoogleTest program with CTest: natively one CTest test per test case; under an
# emulator (Wine) the whole program as one test, so Wine starts once per program.
function(kolt_add_gtest target)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES SKIP_RETURN_CODE ${KOLT_WINE_SKIP_STATUS})
    else()
        gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
