# GoogleTest: the machine's package for native builds; for the Windows cross builds it is compiled
# from the source Debian ships in /usr/src/googletest with the cross compiler.
include(GoogleTest)
if(CMAKE_CROSSCOMPILING)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    # Its own CMake files define the GTest:: targets the suites link against.
    add_subdirectory(/usr/src/googletest "${PROJECT_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
else()
    find_package(GTest REQUIRED)
endif()

# Registers a GoogleTest program with CTest: natively one CTest test per test case; under an
# emulator (Wine) the whole program as one test, so Wine starts once per program.
function(kolt_add_gtest target)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${target} COMMAND ${target})
    else()
        gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
