# Two builds of one commit give byte-identical Windows programs, so a release package can be
# rebuilt and checked: the linker writes no link time into the PE header (the time-date stamp
# stays 0). Release builds carry no debug information, and so no build-tree paths.
add_link_options(-Wl,--no-insert-timestamp)
