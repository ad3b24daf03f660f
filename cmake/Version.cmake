# The product's one version is project(VERSION) in the top-level CMakeLists.txt: the report's
# title, the dialogs' texts, the manifests and the version resources are all generated from it.
set(KOLT_VERSION_TEXT "${PROJECT_VERSION}")
# Windows writes a file version as four numbers; the parts project() leaves out count as 0.
set(numbers)
foreach(part MAJOR MINOR PATCH TWEAK)
    if("${PROJECT_VERSION_${part}}" STREQUAL "")
        list(APPEND numbers 0)
    else()
        list(APPEND numbers "${PROJECT_VERSION_${part}}")
    endif()
endforeach()
list(JOIN numbers "," KOLT_VERSION_NUMBERS)
list(JOIN numbers "." KOLT_VERSION_QUAD)
unset(numbers)

configure_file("${CMAKE_CURRENT_LIST_DIR}/version.h.in"
               "${PROJECT_BINARY_DIR}/generated/kolt_version.h" @ONLY)
add_library(kolt_version INTERFACE)
target_include_directories(kolt_version INTERFACE "${PROJECT_BINARY_DIR}/generated")

set(KOLT_VERSION_RESOURCE_TEMPLATE "${CMAKE_CURRENT_LIST_DIR}/version_info.rc.in")

# A text as a string of a resource script: a double quote is written twice there.
function(kolt_rc_string out text)
    string(REPLACE "\"" "\"\"" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Gives a Windows program its version resource, which the file's properties in Explorer and the
# task manager show: product, version, maker, copyright, and what this program is.
function(kolt_add_version_resource target description)
    kolt_rc_string(KOLT_RC_FILE_DESCRIPTION "${description}")
    kolt_rc_string(KOLT_RC_COMPANY_NAME "${KOLT_COMPANY_NAME}")
    kolt_rc_string(KOLT_RC_LEGAL_COPYRIGHT "${KOLT_LEGAL_COPYRIGHT}")
    set(KOLT_RC_INTERNAL_NAME "${target}")
    set(KOLT_RC_ORIGINAL_FILENAME "${target}${CMAKE_EXECUTABLE_SUFFIX}")
    set(script "${CMAKE_CURRENT_BINARY_DIR}/generated/${target}_version.rc")
    configure_file("${KOLT_VERSION_RESOURCE_TEMPLATE}" "${script}" @ONLY)
    target_sources(${target} PRIVATE "${script}")
endfunction()

# The day the program was built, for the report's check of a clock that stands before it: taken
# from SOURCE_DATE_EPOCH where set, else from the time of the checkout's last commit, so that two
# builds of one commit are the same bytes; 0 (unknown, the check then stays silent) where neither
# is known. Read when CMake configures: a later commit without a new configuration keeps the
# older day, which only makes the check less eager.
set(KOLT_BUILD_EPOCH 0)
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    set(KOLT_BUILD_EPOCH "$ENV{SOURCE_DATE_EPOCH}")
else()
    find_package(Git QUIET)
    if(GIT_FOUND)
        execute_process(COMMAND "${GIT_EXECUTABLE}" -C "${PROJECT_SOURCE_DIR}" log -1 --format=%ct
                        OUTPUT_VARIABLE commit_epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                        RESULT_VARIABLE git_status ERROR_QUIET)
        if(git_status EQUAL 0 AND commit_epoch MATCHES "^[0-9]+$")
            set(KOLT_BUILD_EPOCH "${commit_epoch}")
        endif()
        unset(commit_epoch)
        unset(git_status)
    endif()
endif()
configure_file("${CMAKE_CURRENT_LIST_DIR}/build_date.h.in"
               "${PROJECT_BINARY_DIR}/generated/kolt_build_date.h" @ONLY)
