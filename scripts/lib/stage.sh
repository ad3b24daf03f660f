# Sourced by the test scripts: runs a test run's steps as named stages and keeps their outcome.
# Each stage prints its name as a heading, runs its command with KOLT_JUNIT_DIR set to a folder
# of its own (under the KOLT_JUNIT_DIR the script was given, else under a temporary folder that
# is removed at exit), and records its time and whether it passed. A --counted stage runs CTest
# or the check scripts: its cases are counted from the JUnit reports it leaves in its folder, at
# any depth (a stage may run stages of its own); one that fails without a failed case counts one
# failed case more, and one that ran no case fails. Any other stage is one check that passes or
# fails.

stage_passed=0
stage_failed=0
stage_skipped=0
stage_failures=()
stage_timings=()
if [[ -n ${KOLT_JUNIT_DIR:-} ]]; then
    stage_junit_root=$KOLT_JUNIT_DIR
else
    stage_junit_root=$(mktemp -d)
    trap 'rm -rf "$stage_junit_root"' EXIT
fi

# Sums one attribute over the <testsuite> elements of the JUnit reports under a folder.
stage_junit_sum() {
    local directory=$1 attribute=$2
    # CTest writes each attribute on a line of its own.
    find "$directory" -name '*.xml' -type f -exec cat {} + 2>/dev/null |
        tr '\n\t' '  ' |
        grep -o "<testsuite [^>]*" |
        sed -nE "s/.* $attribute=\"([0-9]+)\".*/\\1/p" |
        awk '{ sum += $1 } END { print sum + 0 }'
}

# stage [--counted] NAME COMMAND...
stage() {
    local counted=false
    if [[ $1 == --counted ]]; then
        counted=true
        shift
    fi
    local name=$1 status=0 begun=$SECONDS
    shift
    printf '\n==== %s ====\n' "$name"
    local directory=$stage_junit_root/stage-${#stage_timings[@]}
    mkdir -p "$directory"
    KOLT_JUNIT_DIR=$directory "$@" || status=$?

    if $counted; then
        local tests failures skips
        tests=$(stage_junit_sum "$directory" tests)
        failures=$(stage_junit_sum "$directory" failures)
        skips=$(stage_junit_sum "$directory" skipped)
        # A failure no report holds (a build that broke, a check that failed) and a stage that
        # ran nothing each count as one failed case of their own, beside the reports' cases.
        if ((status != 0 && failures == 0)); then
            failures=1
            tests=$((tests + 1))
        fi
        if ((tests == 0 && status == 0)); then
            echo "stage: $name ran no test" >&2
            status=1
            failures=1
            tests=1
        fi
        stage_passed=$((stage_passed + tests - failures - skips))
        stage_failed=$((stage_failed + failures))
        stage_skipped=$((stage_skipped + skips))
    elif ((status == 0)); then
        stage_passed=$((stage_passed + 1))
    else
        stage_failed=$((stage_failed + 1))
    fi
    ((status == 0)) || stage_failures+=("$name")
    stage_timings+=("$(printf '%5d s  %s' $((SECONDS - begun)) "$name")")
    return "$status"
}
