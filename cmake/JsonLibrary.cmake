# The JSON library the console program writes its JSON form with: nlohmann/json, header-only, from
# Debian's nlohmann-json3-dev, for the native and the Windows builds alike. A cross compiler must
# not search the machine's whole /usr/include, so only the library's own folder is offered to it,
# through a link in the build tree.
find_path(KOLT_NLOHMANN_JSON_INCLUDE nlohmann/json.hpp
    PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT KOLT_NLOHMANN_JSON_INCLUDE)
    message(FATAL_ERROR "nlohmann/json.hpp is missing: run scripts/bootstrap.sh (nlohmann-json3-dev)")
endif()

set(KOLT_JSON_INCLUDE "${PROJECT_BINARY_DIR}/third_party/include")
file(MAKE_DIRECTORY "${KOLT_JSON_INCLUDE}")
file(CREATE_LINK "${KOLT_NLOHMANN_JSON_INCLUDE}/nlohmann" "${KOLT_JSON_INCLUDE}/nlohmann" SYMBOLIC)

add_library(kolt_json INTERFACE)
target_include_directories(kolt_json SYSTEM INTERFACE "${KOLT_JSON_INCLUDE}")
