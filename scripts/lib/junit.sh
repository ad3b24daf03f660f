# Sourced by the check scripts that are not CTest runs but whose cases scripts/test-all.sh counts:
# each case is recorded as passed, failed or skipped (with its reason), and junit_write leaves a
# JUnit report, the form CTest writes, in KOLT_JUNIT_DIR when that is set.

junit_cases=()
junit_failed=0
junit_skipped=0

# Escapes the five characters XML reserves. The replacements are quoted: unquoted, bash 5.2 reads
# "&" in them as the matched text, which turned "<" into "<lt;".
junit_escape() {
    local text=$1
    text=${text//&/'&amp;'}
    text=${text//</'&lt;'}
    text=${text//>/'&gt;'}
    text=${text//\"/'&quot;'}
    text=${text//\'/'&apos;'}
    printf '%s' "$text"
}

# junit_case NAME passed|failed|skipped [MESSAGE]
junit_case() {
    local name message element
    name=$(junit_escape "$1")
    message=$(junit_escape "${3:-}")
    case $2 in
        passed) element="<testcase name=\"$name\"/>" ;;
        failed)
            element="<testcase name=\"$name\"><failure message=\"$message\"/></testcase>"
            junit_failed=$((junit_failed + 1))
            ;;
        skipped)
            element="<testcase name=\"$name\"><skipped message=\"$message\"/></testcase>"
            junit_skipped=$((junit_skipped + 1))
            ;;
        *)
            echo "junit_case: unknown outcome $2" >&2
            return 2
            ;;
    esac
    junit_cases+=("$element")
}

# A check script's cases: begin NAME, then fail MESSAGE for each fault found, then end records the
# case as passed or failed with every fault; skip NAME REASON records one that cannot run here.
case_name=
failures_here=()
begin() {
    case_name=$1
    echo "$case_name"
    failures_here=()
}
fail() {
    echo "  FAIL: $*"
    failures_here+=("$*")
}
end() {
    if ((${#failures_here[@]} > 0)); then
        junit_case "$case_name" failed "${failures_here[*]}"
    else
        junit_case "$case_name" passed
    fi
}
skip() {
    echo "$1"
    echo "  SKIPPED: $2"
    junit_case "$1" skipped "$2"
}

# junit_write SUITE: the report of every case recorded so far, as KOLT_JUNIT_DIR/SUITE.xml.
junit_write() {
    [[ -n ${KOLT_JUNIT_DIR:-} ]] || return 0
    local suite
    suite=$(junit_escape "$1")
    {
        echo '<?xml version="1.0" encoding="UTF-8"?>'
        echo "<testsuite name=\"$suite\" tests=\"${#junit_cases[@]}\" failures=\"$junit_failed\" skipped=\"$junit_skipped\">"
        printf '%s\n' "${junit_cases[@]}"
        echo '</testsuite>'
    } >"$KOLT_JUNIT_DIR/$1.xml"
}
