#!/usr/bin/env bash
# Keeps the source tree in shape: every folder includes only the folders it may know about (the
# layering of the design), only the folders of one system's code include that system's headers,
# every C++ file is formatted with the project's .clang-format, and every relative link of the
# Markdown documents names a file and a heading that are there (scripts/check-links.py). Prints
# each breach and exits non-zero when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# Folder (longest match wins), then the include prefixes its files may use. Includes without a
# folder are generated headers (branding.h) and system headers. text/ (UTF-8 measures and the
# UTF-16 conversion, standard library only) sits below everything, like the standard library: the
# layers that measure names or hand text to Windows include it.
# The seam's headers are the facts (platform.h), the programs' own files and process set-up
# (files.h, process.h) and the fixed limits (fixed_limits.h); each folder names those it may use.
seam="platform/platform.h platform/files.h platform/process.h platform/fixed_limits.h"
rules=(
    "text:text/"
    "platform/common:platform/platform.h platform/common/"
    "platform/posix:$seam platform/common/ platform/posix/ text/"
    "platform/linux:platform/platform.h platform/files.h platform/common/ platform/posix/ platform/linux/"
    "platform/win32:$seam platform/common/ platform/win32/ text/"
    "platform:platform/platform.h"
    "selection:selection/ platform/platform.h platform/files.h text/"
    "report:report/ selection/ platform/platform.h text/"
    "console:console/ report/ selection/ $seam text/"
    "gui:gui/ report/ selection/ $seam ui/ text/"
    "ui:ui/ text/"
    "bench:bench/ report/ selection/ platform/platform.h platform/linux/ tests/support/"
    "fuzz:selection/ platform/platform.h platform/common/"
    "tests:"
)

allowed_for() {
    local file=$1 rule folder best="" best_len=-1
    for rule in "${rules[@]}"; do
        folder=${rule%%:*}
        if [[ $file == "$folder"/* ]] && ((${#folder} > best_len)); then
            best=$rule
            best_len=${#folder}
        fi
    done
    [[ -n $best ]] || return 1
    echo "${best#*:}"
}

# Sets header_system to the system a header in angle brackets belongs to: windows (the Windows
# SDK's and the Microsoft C runtime's own), posix (POSIX's and Linux's), both (the C runtimes of
# both have it: MSVCRT's <fcntl.h> holds the _O_ flags), or none (the C and C++ standard
# libraries, the compiler's, the test and benchmark libraries). The names come from what the tree
# includes and their neighbours in the same SDKs; Windows file names are case-blind, so they are
# compared lower-cased.
system_of_header() {
    case ${1,,} in
        fcntl.h | sys/stat.h | sys/types.h)
            header_system=both ;;
        # *api.h: iphlpapi.h, shellapi.h, psapi.h, setupapi.h, the API sets (fileapi.h, ...).
        win*.h | ws2*.h | *api.h | iptypes.h | lm.h | lmcons.h | lmerr.h | shlobj.h | \
            shobjidl.h | commctrl.h | commdlg.h | dlgs.h | richedit.h | uxtheme.h | \
            objbase.h | objidl.h | ole2.h | oleacc.h | oleauto.h | olectl.h | unknwn.h | \
            comdef.h | wbemidl.h | mmsystem.h | tlhelp32.h | cfgmgr32.h | \
            sddl.h | accctrl.h | dbghelp.h | mswsock.h | mstcpip.h | userenv.h | \
            versionhelpers.h | tchar.h | process.h | io.h | direct.h | conio.h | intrin.h)
            header_system=windows ;;
        sys/* | arpa/* | netinet/* | net/* | netpacket/* | linux/* | asm/* | unistd.h | \
            pthread.h | pwd.h | grp.h | netdb.h | ifaddrs.h | dirent.h | poll.h | sched.h | \
            spawn.h | termios.h | dlfcn.h | syslog.h | semaphore.h | libgen.h | glob.h | \
            fnmatch.h | wordexp.h | mntent.h | utmp.h | utmpx.h | langinfo.h | strings.h | \
            sysexits.h | paths.h | err.h | aio.h | mqueue.h | ucontext.h | ftw.h | link.h | elf.h)
            header_system=posix ;;
        *)
            header_system=none ;;
    esac
}

# Where each system's headers may be included: its backend and its programs' Windows parts, and
# the tests of those (a test support file named for its system). Resource scripts are Windows'
# own. The benchmarks are built natively only, on Linux.
windows_code=(platform/win32/ ui/ gui/win32/ tests/win32/ tests/gui_e2e/ "tests/support/*_windows.*"
    "*.rc")
posix_code=(platform/posix/ platform/linux/ tests/linux/ tests/integration/
    "tests/support/*_posix.*" bench/)

in_any() {
    local file=$1 pattern
    shift
    for pattern in "$@"; do
        # A folder holds what lies below it; other patterns are globs over the whole path.
        [[ $pattern == */ ]] && pattern+="*"
        # shellcheck disable=SC2053 # the pattern is a glob
        [[ $file == $pattern ]] && return 0
    done
    return 1
}

# Whether `file` may include the system header `header`; sets header_label to name the header's
# system when it may not.
may_include_system_header() {
    local file=$1 header=$2
    system_of_header "$header"
    case $header_system in
        none) return 0 ;;
        windows) header_label="a Windows header" ;;
        posix) header_label="a POSIX header" ;;
        both) header_label="a Windows or POSIX header" ;;
    esac
    if [[ $header_system == windows || $header_system == both ]] &&
        in_any "$file" "${windows_code[@]}"; then
        return 0
    fi
    if [[ $header_system == posix || $header_system == both ]] && in_any "$file" "${posix_code[@]}"
    then
        return 0
    fi
    return 1
}

breaches=0
while IFS= read -r file; do
    if ! allowed=$(allowed_for "$file"); then
        continue
    fi
    [[ $file == tests/* ]] && continue
    while IFS= read -r included; do
        [[ $included == */* ]] || continue
        ok=false
        for prefix in $allowed; do
            if [[ $included == "$prefix"* ]]; then
                ok=true
                break
            fi
        done
        if ! $ok; then
            echo "check-source: $file includes $included, which its folder may not know about" >&2
            breaches=$((breaches + 1))
        fi
    done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]+"([^"]+)".*/\1/p' "$file")
done < <(git ls-files -- '*.cpp' '*.h' '*.rc')

# System headers by folder, in one pass over every include in angle brackets in the tree.
while IFS=: read -r file header; do
    may_include_system_header "$file" "$header" && continue
    echo "check-source: $file includes <$header>, $header_label, which its folder may not know" \
        "about" >&2
    breaches=$((breaches + 1))
done < <(git ls-files -z -- '*.cpp' '*.h' '*.rc' |
    xargs -0 grep -HE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<' |
    sed -E 's/^([^:]+):[[:space:]]*#[[:space:]]*include[[:space:]]*<([^>]+)>.*/\1:\2/')

mapfile -t sources < <(git ls-files -- '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${sources[@]}"; then
    echo "check-source: files above are not formatted (clang-format -i FILE)" >&2
    breaches=$((breaches + 1))
fi

# The documents link to each other's headings; a moved heading or file must not leave a link
# that leads nowhere.
if ! /usr/bin/python3 scripts/check-links.py; then
    breaches=$((breaches + 1))
fi

if ((breaches > 0)); then
    echo "check-source: $breaches breach(es)" >&2
    exit 1
fi
echo "check-source: layering and formatting hold in ${#sources[@]} C++ files"
