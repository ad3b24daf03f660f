# Sourced by the scripts that run Windows programs under Wine: whether this machine can run a
# 32-bit (PE32) one at all. Kernels differ: some run 32-bit x86 programs, some refuse them with
# "Exec format error" whatever packages are installed (a virtual machine may refuse them even with
# the kernel's IA-32 emulation built in). The answer comes from running the program every 32-bit
# case needs, Wine's 32-bit loader, once: scripts/test-all.sh asks before its first stage and
# exports the answer, so every stage and CTest case of one run agrees; a script started on its own
# asks for itself.

# True when FILE is a PE32 (32-bit x86) program: the machine field of its PE header is 0x14c.
kolt_is_pe32() {
    local path=$1 pe_offset signature machine
    [[ -f $path ]] || return 1
    [[ $(head -c 2 -- "$path") == MZ ]] || return 1
    pe_offset=$(od -An -t u4 -j 60 -N 4 -- "$path" 2>/dev/null | tr -d ' ')
    [[ $pe_offset =~ ^[0-9]+$ ]] || return 1
    signature=$(od -An -t x1 -j "$pe_offset" -N 4 -- "$path" 2>/dev/null | tr -d ' ')
    machine=$(od -An -t x2 -j "$((pe_offset + 4))" -N 2 -- "$path" 2>/dev/null | tr -d ' ')
    [[ $signature == 50450000 && $machine == 014c ]]
}

# True when 32-bit x86 programs run here. False only when the kernel refuses to execute Wine's
# 32-bit loader ("Exec format error"); KOLT_NO_32BIT_REASON then says so in one line. A loader that
# is missing or fails in any other way answers true: the cases that need it then run and fail,
# saying why, since a broken installation must never pass for a skip.
kolt_runs_32bit() {
    if [[ ${KOLT_RUNS_32BIT:-} != yes && ${KOLT_RUNS_32BIT:-} != no ]]; then
        local loader=${KOLT_WINE32:-/usr/lib/wine/wine} output status=0
        output=$("$loader" --version 2>&1 </dev/null) || status=$?
        if ((status == 126)) && [[ $output == *"Exec format error"* ]]; then
            KOLT_RUNS_32BIT=no
            KOLT_NO_32BIT_REASON="this machine's kernel does not run 32-bit x86 programs"
            KOLT_NO_32BIT_REASON+=" ($loader --version: Exec format error)"
        else
            KOLT_RUNS_32BIT=yes
            KOLT_NO_32BIT_REASON=
        fi
        export KOLT_RUNS_32BIT KOLT_NO_32BIT_REASON
    fi
    [[ $KOLT_RUNS_32BIT == yes ]]
}
