#!/usr/bin/env bash
# Makes every system call the native console program's report makes fail, one occurrence at a
# time, and checks that the program copes as it must when a real machine fails it. A clean traced
# run (`strace -f`) lists the calls the report makes after start-up (the dynamic loader's and the
# C runtime's calls are left out: counting starts at the program's own first set-up step, which
# ignores SIGPIPE); then each occurrence of each call fails in a run of its own
# (`strace -e inject=CALL:error=ERRNO:when=N`, N counted from the process's start) with the error
# a real machine gives there. The text report, --extended and --format json each run in a folder
# without a report and in one holding a whole older report. After every run:
#   - no death by a signal (an abort included), no hang (a run is cut off after a few seconds),
#     exit status 0;
#   - the report file, where there is one, is a whole report; an older report is still there byte
#     for byte or has been replaced by a whole new one, never lost or cut;
#   - nothing else is left in the folder (no temporary file);
#   - a run that exits 0 with nothing on standard error printed the whole report, the same bytes
#     as the file: a failure must never pass in silence;
#   - a memory total the clean run gave as a figure is the same figure or the report's
#     placeholder ("Unknown", JSON null), never 0: a fact that cannot be read is not made up.
# One JUnit case per form, folder and system call names the occurrences that failed and how.
# Where strace cannot trace (no ptrace permission) the stage is skipped with the reason.
#
#   scripts/test-fault-injection.sh [PROGRAM]
#
# PROGRAM defaults to the native preset's kolt_info_cli, brought up to date where that tree is
# configured, else to the cli preset's, configured and built here. With KOLT_JUNIT_DIR set, a JUnit
# report "fault-injection.xml" goes there. Exits non-zero when a case failed.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/.." && pwd)
# shellcheck source-path=SCRIPTDIR source=lib/junit.sh
source "$here/lib/junit.sh"

# A report without the CPU speed takes milliseconds, some tens under strace.
run_timeout=5
# Each run starts several processes; two at a time keep both cores busy.
workers=2

# The error a real machine gives at each call; EIO for any other.
declare -A error_of=(
    [openat]=EACCES [open]=EACCES [newfstatat]=EACCES [statx]=EACCES [access]=EACCES
    [faccessat2]=EACCES [readlink]=EACCES [readlinkat]=EACCES [getcwd]=ENOENT
    [read]=EIO [pread64]=EIO [getdents64]=EIO [lseek]=EINVAL [close]=EIO
    [write]=ENOSPC [pwrite64]=ENOSPC [statfs]=EIO [fstatfs]=EIO
    [sync_file_range]=EIO [fsync]=EIO [fdatasync]=EIO
    [linkat]=EPERM [renameat2]=EPERM [rename]=EXDEV [unlink]=EPERM [unlinkat]=EPERM
    [socket]=EMFILE [connect]=ECONNREFUSED [bind]=EADDRINUSE [getsockname]=ENOBUFS
    [ioctl]=ENODEV [sendto]=ENOBUFS [sendmsg]=ENOBUFS [recvfrom]=ENOBUFS [recvmsg]=ENOBUFS
    [poll]=ENOMEM [ppoll]=ENOMEM [pipe2]=EMFILE [clone]=EAGAIN [clone3]=EAGAIN [wait4]=EINTR
    [brk]=ENOMEM [mmap]=ENOMEM [mremap]=ENOMEM
)
# Calls that cannot fail when given valid arguments: failing them would test strace, not the
# program.
declare -A never_fails=()
for call in rt_sigaction rt_sigprocmask rt_sigreturn uname getpid getppid gettid getuid geteuid \
    getgid getegid exit exit_group set_tid_address set_robust_list sched_yield; do
    never_fails[$call]=1
done

declare -A arguments_of=([text]="" [extended]="--extended" [json]="--format json")
forms=(text extended json)
folder_kinds=("no older report" "an older report")

work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT
runs=0

# The program to run: the one given, else the native tree's or the cli preset's, up to date.
find_program() {
    if [[ -n ${1:-} ]]; then
        realpath -- "$1"
    elif [[ -f $repo/build/native/build.ninja ]]; then
        cmake --build "$repo/build/native" --target kolt_info_cli -j 2 >&2
        echo "$repo/build/native/console/kolt_info_cli"
    else
        (cd "$repo" && cmake --preset cli && cmake --build --preset cli -j 2) >&2
        echo "$repo/build/cli/console/kolt_info_cli"
    fi
}

# True when strace can trace a program here; says why not otherwise.
strace_traces() {
    local output
    if ! output=$(strace -f -qq -o /dev/null true 2>&1); then
        echo "strace cannot trace here (${output%%$'\n'*})"
        return 1
    fi
}

# Sets `seccomp` to strace's option that stops the program only at the call being failed (a
# fifth faster) where the kernel takes it without a word on standard error, else to nothing.
choose_seccomp() {
    seccomp=(--seccomp-bpf)
    [[ -z $(strace -f -qq "${seccomp[@]}" -e trace=read -o /dev/null true 2>&1) ]] || seccomp=()
}

# Fills FOLDER as every run starts: the selection file, and the older report where there is one.
# Every section but the CPU speed (a second of measuring) and Extended Information (which the
# --extended form adds).
seed_folder() {
    printf '0\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n0\r\n1\r\n0\r\n' >"$1/kolt_info.cfg"
    [[ -z $older_report ]] || printf '%s' "$older_report" >"$1/$report_name"
}

# Reads a whole file into the variable named $1, every byte kept (the reports hold no NUL).
slurp() {
    IFS= read -r -d '' "$1" <"$2" || true
}

# text_figures_of TEXT: sets `figures` to the memory totals of a whole text report, "PHYSICAL
# PAGING" as the report gives them, or to "cut" when TEXT is no whole report.
text_figures_of() {
    local text=$1 physical paging
    if [[ $text != "$report_opening"* || $text != *"$report_closing" ]]; then
        figures="cut"
        return
    fi
    physical=${text#*$'\n'  Physical Memory : }
    paging=${text#*$'\n'  Paging File     : }
    figures="${physical%%[ $'\r']*} ${paging%%[ $'\r']*}"
}

# report_figures OUT FILE: sets out_figures and file_figures as text_figures_of does, for the
# form being run, from out_text and file_text, the two files' contents. JSON documents are read by
# jq, which takes as long to start as a run of the program: once for both, and only for a
# document not met before (most runs print the same bytes as others in the same second). The keys
# are the documents after "=", since bash takes no empty key.
declare -A json_figures=()
report_figures() {
    if [[ $form != json ]]; then
        text_figures_of "$out_text"
        out_figures=$figures
        text_figures_of "$file_text"
        file_figures=$figures
        return
    fi
    if [[ -z ${json_figures[=$out_text]:-} || -z ${json_figures[=$file_text]:-} ]]; then
        local lines
        mapfile -t lines < <(jq -rn --rawfile out "$1" --rawfile file "$2" '
            def figures: (try (fromjson | select(.product == "Kolt Information")
                | "\(.memory.physical.totalBytes) \(.memory.pagingFile.totalBytes)")
                catch "cut") // "cut";
            ($out | figures), ($file | figures)')
        json_figures[=$out_text]=${lines[0]:-cut}
        json_figures[=$file_text]=${lines[1]:-cut}
    fi
    out_figures=${json_figures[=$out_text]}
    file_figures=${json_figures[=$file_text]}
    # Valid JSON that lost its last line end is cut all the same.
    [[ $out_text == *"$report_closing" ]] || out_figures="cut"
    [[ $file_text == *"$report_closing" ]] || file_figures="cut"
}

# Whether FIGURES agree with the clean run's: each the same, or the placeholder. A total the
# clean run gave as 0 or did not know is not judged.
figures_hold() {
    local found expected index
    read -ra found <<<"$1"
    read -ra expected <<<"$clean_figures"
    ((${#found[@]} == 2)) || return 1
    for index in 0 1; do
        case ${expected[index]} in 0 | null | Unknown) continue ;; esac
        case ${found[index]} in "${expected[index]}" | null | Unknown) ;; *) return 1 ;; esac
    done
}

# Appends to `problems` what is wrong with how the run ended.
check_ending() {
    local status=$1 errors
    if ((status == 124 || status == 137)); then
        problems+=("hung (cut off after $run_timeout s)")
    elif ((status > 128)); then
        problems+=("died by SIG$(kill -l $((status - 128)))")
    elif ((status != 0)); then
        problems+=("exit status $status")
    fi
    slurp errors "$err"
    case $errors in
        *Sanitizer* | *"terminate called"* | *Assertion* | *Aborted*)
            problems+=("crash message: ${errors%%$'\n'*}")
            ;;
    esac
}

# Appends to `problems` what the folder holds beyond the selection file and the report.
check_folder() {
    local entry name
    for entry in "$folder"/* "$folder"/.[!.]*; do
        [[ -e $entry ]] || continue
        name=${entry##*/}
        [[ $name == kolt_info.cfg || $name == "$report_name" ]] || problems+=("left behind: $name")
    done
}

# Appends to `problems` what is wrong with the report file and standard output.
check_reports() {
    local status=$1 file=$folder/$report_name out_text file_text="" out_figures file_figures
    local file_kept=false silent=false read_file=/dev/null
    slurp out_text "$out"
    if [[ -f $file ]]; then
        slurp file_text "$file"
        read_file=$file
    fi
    report_figures "$out" "$read_file"
    [[ -n $older_report && -f $file && $file_text == "$older_report" ]] && file_kept=true
    [[ $status == 0 && ! -s $err ]] && silent=true

    if [[ ! -f $file ]]; then
        [[ -z $older_report ]] || problems+=("older report lost")
    elif ! $file_kept && [[ $file_figures == cut ]]; then
        problems+=("report file cut or no report")
    elif ! $file_kept && ! figures_hold "$file_figures"; then
        problems+=("file's memory totals $file_figures, clean $clean_figures")
    fi

    if $silent; then
        local quiet="exit 0, nothing on standard error, but"
        if [[ $out_figures == cut ]]; then
            problems+=("$quiet standard output is not the whole report (${#out_text} bytes)")
        elif [[ ! -f $file ]]; then
            problems+=("$quiet no report file")
        elif [[ $out_text != "$file_text" ]]; then
            problems+=("$quiet the file is not what standard output got")
        fi
    elif [[ $out_figures != cut ]] && ! figures_hold "$out_figures"; then
        problems+=("printed memory totals $out_figures, clean $clean_figures")
    fi
}

# inject CALL ERRNO N: a run in a folder of its own with the Nth call of CALL failing with ERRNO;
# prints "CALL N" and what went wrong, if anything.
inject() {
    local call=$1 error=$2 occurrence=$3 status=0 problems=()
    folder=$work/runs/$call-$occurrence
    out=$folder.out
    err=$folder.err
    seed_folder "$folder"
    cd -- "$folder"
    timeout -k 1 "$run_timeout" strace -f -qq "${seccomp[@]}" -o /dev/null -e trace="$call" \
        -e inject="$call:error=$error:when=$occurrence" "$program" "${arguments[@]}" \
        >"$out" 2>"$err" || status=$?
    check_ending "$status"
    check_folder
    check_reports "$status"
    local IFS=';'
    echo "$call $occurrence ${problems[*]}"
}

# trace_counts TRACE: for each call of the program's first process, "NAME BEFORE AFTER": how often
# it was made before the program's own set-up began and how often from then on. Nothing when the
# trace shows no such beginning.
trace_counts() {
    awk '
        NR == 1 { main = $1 }
        $1 != main || $2 ~ /^(<\.\.\.|\+\+\+|---)/ { next }
        !begun && index($0, "rt_sigaction(SIGPIPE, {sa_handler=SIG_IGN") { begun = 1 }
        {
            name = $2
            sub(/\(.*/, "", name)
            if (begun) after[name]++; else before[name]++
        }
        END { if (begun) for (name in after) print name, before[name] + 0, after[name] }
    ' "$1" | sort
}

# The runs of one form and folder kind as "CALL ERRNO N" lines.
list_runs() {
    local name before after occurrence
    while read -r name before after; do
        [[ -n ${never_fails[$name]:-} ]] && continue
        for ((occurrence = before + 1; occurrence <= before + after; occurrence++)); do
            echo "$name ${error_of[$name]:-EIO} $occurrence"
        done
    done <"$1"
}

# The clean runs of the form: a first one whose report is the older report, then the traced one
# in a seeded folder, which must give a whole report in both places; sets what the injected runs
# are judged by and leaves the call counts in $work/counts.
clean_runs() {
    local kind=$1 first=$work/first clean=$work/clean status=0 out_text file_text
    rm -rf -- "$first" "$clean"
    mkdir -p -- "$first" "$clean"
    older_report="" report_name=""
    seed_folder "$first"
    if ! (cd "$first" && "$program" "${arguments[@]}" >/dev/null) ||
        ! report_name=$(cd "$first" && ls -- kolt_info_*.*); then
        fail "the first clean run left no report"
        return
    fi
    if [[ $kind == "an older report" ]]; then
        slurp older_report "$first/$report_name"
    fi

    seed_folder "$clean"
    (cd "$clean" && strace -f -o "$work/trace" "$program" "${arguments[@]}" \
        >"$clean.out" 2>"$clean.err") || status=$?
    ((status == 0)) || fail "the clean run's exit status is $status"
    [[ ! -s $clean.err ]] || fail "the clean run's standard error: $(head -n 1 -- "$clean.err")"
    cmp -s -- "$clean.out" "$clean/$report_name" ||
        fail "the clean run's file is not what its standard output got"
    slurp out_text "$clean.out"
    file_text=$out_text
    # A whole text report opens with its title line and closes with its last rule and the lines
    # after it; a JSON one closes as the clean one does, with "}" and a line end.
    report_opening=${out_text%%$'\n'*}$'\n'
    if [[ $form == json ]]; then
        report_closing=${out_text: -2}
    else
        report_closing="-${out_text##*$'\n'-}"
    fi
    report_figures "$clean.out" "$clean.out"
    [[ $out_figures != cut ]] || fail "the clean run printed no whole report"
    clean_figures=$out_figures
    trace_counts "$work/trace" >"$work/counts"
    [[ -s $work/counts ]] ||
        fail "the trace shows no start of the program's own set-up (SIGPIPE ignored)"
}

# Every run of the form and folder kind in the background, two at a time; the results go to
# $work/results.
run_all() {
    local worker
    rm -rf -- "$work/runs"
    mkdir -- "$work/runs"
    list_runs "$work/counts" >"$work/runs.list"
    runs=$((runs + $(wc -l <"$work/runs.list")))
    awk -v runs="$work/runs" '{ print runs "/" $1 "-" $3 }' "$work/runs.list" | xargs mkdir --
    for ((worker = 0; worker < workers; worker++)); do
        awk -v n="$workers" -v w="$worker" 'NR % n == w' "$work/runs.list" |
            while read -r call error occurrence; do
                inject "$call" "$error" "$occurrence"
            done >"$work/results.$worker" &
    done
    wait
    cat -- "$work"/results.* >"$work/results"
    rm -f -- "$work"/results.*
}

# One case per call of the form and folder kind, failed with each occurrence that went wrong.
report_cases() {
    local label=$1 call before after occurrence problems results
    while read -r call before after; do
        [[ -n ${never_fails[$call]:-} ]] && continue
        begin "$label: $call fails with ${error_of[$call]:-EIO}, each of its $after calls in turn"
        results=0
        while read -r occurrence problems; do
            results=$((results + 1))
            [[ -z $problems ]] || fail "call $((occurrence - before)) of $after: $problems"
        done < <(awk -v call="$call" '$1 == call { $1 = ""; print }' "$work/results" | sort -n)
        # A run whose checks broke off leaves no line: that must not pass for a run that held.
        ((results == after)) || fail "$((after - results)) of the $after runs gave no result"
        end
    done <"$work/counts"
}

main() {
    local started=$SECONDS reason kind label
    program=$(find_program "${1:-}")
    if ! command -v strace >/dev/null; then
        begin "fault injection"
        fail "strace is not installed (scripts/bootstrap.sh installs it)"
        end
    elif ! reason=$(strace_traces); then
        skip "fault injection" "$reason"
    else
        choose_seccomp
        for form in "${forms[@]}"; do
            read -ra arguments <<<"${arguments_of[$form]}"
            for kind in "${folder_kinds[@]}"; do
                label="$form report, $kind"
                begin "$label: the clean traced run"
                clean_runs "$kind"
                local clean_failed=${#failures_here[@]}
                end
                if ((clean_failed == 0)); then
                    run_all
                    report_cases "$label"
                fi
            done
        done
    fi
    junit_write fault-injection
    local checked=${#junit_cases[@]} passed
    passed=$((checked - junit_failed - junit_skipped))
    echo "fault injection: $runs runs in $((SECONDS - started)) s"
    echo "$((checked == 0 ? 0 : 100 * passed / checked))% tests passed, $junit_failed tests" \
        "failed, $junit_skipped skipped out of $checked"
    ((junit_failed == 0))
}

main "$@"
