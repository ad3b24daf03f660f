# Warning flags shared by every target of the project: on, strict and fatal on every compiler
# we build with (g++, clang++ and both MinGW-w64 cross compilers).
add_library(kolt_warnings INTERFACE)
target_compile_options(kolt_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align -Wformat=2 -Werror)
