#!/usr/bin/env bash
# Checks what desks install and what fleets collect, from the trees the earlier stages of the test
# command built (build/native, build/win64, build/win32) and the zips the Windows stage made
# (build/package-check), without building the programs again:
#   - the Debian package scripts/package-deb.sh makes: its name, control fields and files,
#     lintian with no error, the same bytes when made twice, and installed with dpkg into a
#     throwaway root (the machine's own packages are not touched), run there, and removed;
#   - the winget and Scoop manifests scripts/package.sh writes beside the zips (the Windows
#     stage's, and signed ones published elsewhere): the fields each format requires, download
#     addresses under the configured base, and the zips' real SHA-256;
#   - without a certificate the programs stay unsigned and two runs give the same zips; with a
#     throwaway self-signed one, every program of both zips carries an Authenticode signature
#     that verifies, and one changed byte makes it fail;
#   - the JSON form's schema: a valid JSON Schema that tells apart what the program writes from
#     what it never writes, and real documents of the native and both Windows programs valid
#     against it (the 32-bit one skipped, saying why, where the kernel refuses 32-bit programs);
#   - the Ansible playbook in contrib/ansible run by Debian's ansible against three local hosts,
#     each in its own folder, without any collection: two hosts' documents fetched and valid, the
#     third, without the program, failing with a message that says so; its summary counting the
#     hosts with each finding code; and its Windows tasks
#     resolve against the ansible.windows collection Debian ships.
# Nothing here needs the network. Each check is one case: a summary line, and with KOLT_JUNIT_DIR
# set a JUnit report "distribution.xml" there. Exits non-zero on a failure.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
# shellcheck source=../../scripts/lib/runs-32bit.sh
source "$repo/scripts/lib/runs-32bit.sh"
# shellcheck source=../../scripts/lib/junit.sh
source "$repo/scripts/lib/junit.sh"
cd "$repo" || exit 1

# Debian's Python packages (jsonschema, yaml) import only into Debian's own interpreter.
python=/usr/bin/python3
schema=$repo/docs/kolt-info-report.schema.json
package_check=$repo/build/package-check
work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT

cache_value() {
    sed -n "s/^$2:[A-Z]*=//p" "$1/CMakeCache.txt"
}

# The programs of a tree, built where the earlier stages have not (a run of this script alone).
ensure_built() {
    local preset=$1
    shift
    if [[ ! -f build/$preset/CMakeCache.txt ]]; then
        cmake --preset "$preset" >/dev/null || return 1
    fi
    cmake --build "build/$preset" --target "$@" >/dev/null
}

# Runs CHECKER (a command) and fails the case with its output when it fails.
expect_success() {
    local what=$1 output
    shift
    if ! output=$("$@" 2>&1); then
        fail "$what: $(printf '%s' "$output" | tail -n 20 | tr '\n' ' ')"
        return 1
    fi
}

echo "distribution: preparing the trees"
for tree in "native kolt_info_cli" "win64 kolt_info kolt_info_cli" "win32 kolt_info kolt_info_cli"; do
    # shellcheck disable=SC2086 # the preset, then its targets
    ensure_built $tree || {
        echo "distribution: cannot build ${tree%% *}" >&2
        exit 1
    }
done
version=$(cache_value build/native CMAKE_PROJECT_VERSION)
web_url=$(cache_value build/win64 KOLT_WEB_URL)
default_download=${web_url%/}/download/$version
if ! ls "$package_check"/kolt-info-"$version"-win{32,64}.zip "$package_check/scoop" \
    "$package_check/winget" >/dev/null 2>&1; then
    echo "distribution: no zips and manifests in $package_check yet; making them as" \
        "scripts/test-windows.sh does"
    KOLT_PACKAGE_DIR=$package_check scripts/package.sh --from-builds >/dev/null || exit 1
fi

# ---- the Debian package ---------------------------------------------------------------------

architecture=$(dpkg --print-architecture)
deb_name=kolt-info_$version-1_$architecture.deb
deb=$work/deb/$deb_name
# The throwaway root the package is installed into, with dpkg's database of its own.
root=$work/root
dpkg_root=(dpkg --root="$root" --log=/dev/null)
expected_files="./usr/bin/kolt_info_cli
./usr/share/doc/kolt-info/changelog.Debian.gz
./usr/share/doc/kolt-info/copyright
./usr/share/doc/kolt-info/kolt-info-report.schema.json
./usr/share/man/man1/kolt_info_cli.1.gz"

begin "Debian package $deb_name: control fields, files, manual page"
if expect_success "scripts/package-deb.sh" scripts/package-deb.sh build/native "$work/deb" &&
    [[ -f $deb ]]; then
    for field in "Package=kolt-info" "Version=$version-1" "Architecture=$architecture"; do
        value=$(dpkg-deb -f "$deb" "${field%%=*}")
        [[ $value == "${field#*=}" ]] || fail "${field%%=*} is '$value', expected '${field#*=}'"
    done
    [[ $(dpkg-deb -f "$deb" Depends) == *libc6* ]] ||
        fail "Depends '$(dpkg-deb -f "$deb" Depends)' does not name the C library"
    for field in Maintainer Description Installed-Size Section Priority; do
        [[ -n $(dpkg-deb -f "$deb" "$field") ]] || fail "no $field field"
    done
    listing=$(dpkg-deb -c "$deb")
    files=$(awk '$1 !~ /^d/ { print $6 }' <<<"$listing" | sort)
    [[ $files == "$expected_files" ]] || fail "holds $(tr '\n' ' ' <<<"$files")"
    awk '$2 != "root/root" { exit 1 }' <<<"$listing" || fail "a file not owned by root"
    awk '$6 == "./usr/bin/kolt_info_cli" && $1 != "-rwxr-xr-x" { exit 1 }
         $6 != "./usr/bin/kolt_info_cli" && $1 ~ /^-/ && $1 != "-rw-r--r--" { exit 1 }' \
        <<<"$listing" || fail "a file with other permissions than 0755 (program) or 0644"
    dpkg-deb -x "$deb" "$work/unpacked"
    [[ $(file -b "$work/unpacked/usr/bin/kolt_info_cli") == *", stripped"* ]] ||
        fail "the program is not stripped"
    changelog=$(zcat "$work/unpacked/usr/share/doc/kolt-info/changelog.Debian.gz")
    [[ $changelog == "kolt-info ($version-1) "* ]] ||
        fail "the changelog does not start with $version-1"
    copyright=$(<"$work/unpacked/usr/share/doc/kolt-info/copyright")
    [[ $copyright == "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"* ]] ||
        fail "the copyright file is not in the machine-readable format"
    page=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l \
        "$work/unpacked/usr/share/man/man1/kolt_info_cli.1.gz" 2>"$work/man.err")
    [[ ! -s $work/man.err ]] || fail "man warns: $(tr '\n' ' ' <<<"$(cat "$work/man.err")")"
    for text in "kolt_info_cli - " "--format" "kolt_info.cfg" "EXIT STATUS" "FILES" \
        "Kolt Information $version"; do
        [[ $page == *"$text"* ]] || fail "the manual page does not mention '$text'"
    done
else
    fail "no $deb_name was made"
fi
end

begin "Debian package: lintian reports no error"
if [[ -f $deb ]]; then
    # lintian says as much when it runs as root, as the test command does; that is no finding.
    lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.out" 2>"$work/lintian.err"
    status=$?
    grep -v 'running with root privileges' "$work/lintian.err" >&2
    sed 's/^/  lintian: /' "$work/lintian.out"
    ((status == 0)) && ! grep -q '^E: ' "$work/lintian.out" ||
        fail "lintian: $(grep '^E: ' "$work/lintian.out" | tr '\n' ' ') (status $status)"
else
    fail "no package to check"
fi
end

begin "Debian package: the same bytes when made again"
if [[ -f $deb ]] && scripts/package-deb.sh build/native "$work/deb-again" >/dev/null; then
    cmp -s "$deb" "$work/deb-again/$deb_name" || fail "a second run gives other bytes"
else
    fail "no package to compare"
fi
end

begin "Debian package: installed into a throwaway root, run there, removed"
if [[ -f $deb ]]; then
    mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
    touch "$root/var/lib/dpkg/available"
    # The root holds no packages; the ones the package depends on are recorded there as this
    # machine has them (the program runs with this machine's libraries), so dpkg checks the
    # versions Depends asks for instead of being told to ignore them.
    status_file=$root/var/lib/dpkg/status
    : >"$status_file"
    for dependency in $(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed -E 's/^ *([^ |(]+).*/\1/'); do
        # A package installed for several architectures is asked for by this one's.
        name=$(dpkg-query -W -f='${binary:Package}\n' "$dependency:$architecture" "$dependency" \
            2>/dev/null | head -n 1)
        if [[ -z $name ]]; then
            fail "$dependency is not installed here"
            continue
        fi
        { dpkg-query -s "$name" && echo; } >>"$status_file"
        # Its files are the machine's: none of them is in the root.
        touch "$root/var/lib/dpkg/info/$name.list"
    done
    if expect_success "dpkg -i" "${dpkg_root[@]}" -i "$deb"; then
        installed=$root/usr/bin/kolt_info_cli
        mkdir -p "$work/run" && cd "$work/run" || exit 1
        [[ $("$installed" --version) == "Kolt Information $version" ]] ||
            fail "--version says '$("$installed" --version)'"
        "$installed" >"$work/installed.txt" 2>"$work/installed.err" ||
            fail "the installed program exited with $?: $(cat "$work/installed.err")"
        [[ $(head -n 1 "$work/installed.txt") == "Kolt Information - Version $version"* ]] ||
            fail "its report does not start with the title"
        reports=(kolt_info_*.txt)
        [[ ${#reports[@]} == 1 && -f ${reports[0]} ]] && cmp -s "${reports[0]}" "$work/installed.txt" ||
            fail "no report file with the printed bytes in the current directory"
        "$installed" --format json >"$work/documents-installed.json" ||
            fail "--format json exited with $?"
        cd "$repo" || exit 1
        "${dpkg_root[@]}" -P kolt-info >/dev/null || fail "dpkg -P failed"
        left=$(find "$root/usr" -type f 2>/dev/null)
        [[ -z $left ]] || fail "left behind after removal: $left"
    fi
else
    fail "no package to install"
fi
end

# ---- release zips: manifests and signing ----------------------------------------------------

# Zips of the same programs: twice as the Windows stage makes them, and once signed with a
# throwaway certificate and another download address.
for run in unsigned unsigned-again; do
    KOLT_PACKAGE_DIR=$work/$run scripts/package.sh --from-builds >"$work/$run.log" 2>&1 ||
        echo "distribution: package.sh --from-builds failed: $(cat "$work/$run.log")"
done
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Kolt Information test signer" \
    -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
    -keyout "$work/signer.key" -out "$work/signer.pem" 2>/dev/null
signed_download=https://downloads.desk.example/kolt-info/$version
KOLT_SIGN_CERT=$work/signer.pem KOLT_SIGN_KEY=$work/signer.key \
    KOLT_DOWNLOAD_URL=$signed_download KOLT_PACKAGE_DIR=$work/signed \
    scripts/package.sh --from-builds >"$work/signed.log" 2>&1 ||
    echo "distribution: signing package.sh --from-builds failed: $(cat "$work/signed.log")"

for format in winget scoop; do
    begin "$format manifests: required fields, addresses and the zips' SHA-256"
    expect_success "beside the Windows stage's zips" "$python" "$here/check_manifests.py" \
        "$format" "$package_check" "$default_download" "$version"
    expect_success "beside the signed zips, published elsewhere" \
        "$python" "$here/check_manifests.py" "$format" "$work/signed" "$signed_download" "$version"
    end
done

begin "zips without a certificate: the programs unsigned, the same bytes in every run"
for target in win32 win64; do
    zip=kolt-info-$version-$target.zip
    cmp -s "$work/unsigned/$zip" "$work/unsigned-again/$zip" || fail "$zip differs in a second run"
    mkdir -p "$work/unsigned/$target" &&
        (cd "$work/unsigned/$target" && cmake -E tar xf "../$zip")
    for program in console/kolt_info_cli.exe gui/win32/kolt_info.exe; do
        unpacked=$work/unsigned/$target/${program##*/}
        cmp -s "$unpacked" "build/$target/$program" || fail "$zip: ${program##*/} is not the tree's"
        [[ $(osslsigncode verify -in "$unpacked" 2>&1) == *"No signature found"* ]] ||
            fail "$zip: ${program##*/} carries a signature"
    done
done
end

begin "zips with a certificate: every program signed, the signature covering the file"
if env -u KOLT_SIGN_KEY KOLT_SIGN_CERT="$work/signer.pem" KOLT_PACKAGE_DIR="$work/half" \
    scripts/package.sh --from-builds >/dev/null 2>&1; then
    fail "package.sh signed with a certificate but no key"
fi
for target in win32 win64; do
    zip=kolt-info-$version-$target.zip
    mkdir -p "$work/signed/$target" &&
        (cd "$work/signed/$target" && cmake -E tar xf "../$zip") || fail "$zip cannot be unpacked"
    for program in kolt_info_cli.exe kolt_info.exe; do
        signed=$work/signed/$target/$program
        if ! verify=$(osslsigncode verify -in "$signed" -CAfile "$work/signer.pem" 2>&1) ||
            [[ $verify != *"Signature verification: ok"* ||
                $verify != *"Subject: /CN=Kolt Information test signer"* ]]; then
            fail "$zip: $program does not verify: $(tail -n 3 <<<"$verify" | tr '\n' ' ')"
        fi
        # One byte in the middle of the program, among the bytes the signature's digest covers.
        cp "$signed" "$work/tampered.exe"
        size=$(stat -c %s "$signed")
        printf '\xff' | dd of="$work/tampered.exe" bs=1 seek=$((size / 2)) conv=notrunc 2>/dev/null
        ! cmp -s "$signed" "$work/tampered.exe" ||
            printf '\x00' | dd of="$work/tampered.exe" bs=1 seek=$((size / 2)) conv=notrunc 2>/dev/null
        if osslsigncode verify -in "$work/tampered.exe" -CAfile "$work/signer.pem" >/dev/null 2>&1; then
            fail "$zip: $program still verifies with one byte changed"
        fi
    done
done
end

# ---- the JSON form's schema -----------------------------------------------------------------

# A selection file of the lines the dialog program writes (twelve; ten or eleven from older
# versions).
selection() { printf '%s\r\n' "$@" >kolt_info.cfg; }

begin "the JSON form's schema: what the program writes, and only that"
mkdir -p "$work/native" && cd "$work/native" || exit 1
"$repo/build/native/console/kolt_info_cli" --format json --extended >"$work/documents-native-all.json"
cd "$repo" || exit 1
expect_success "the schema" "$python" "$here/check_report_schema.py" --schema "$schema" \
    "$work/documents-native-all.json"
end

begin "the JSON form's schema: documents of the native program"
cd "$work/native" || exit 1
selection 0 0 0 0 0 0 0 1 0 1 && "$repo/build/native/console/kolt_info_cli" --format=json \
    >"$work/documents-native-memory-disk.json"
selection 1 0 0 0 0 0 0 0 0 0 1 && "$repo/build/native/console/kolt_info_cli" --format=json \
    >"$work/documents-native-all-and-extended.json"
"$repo/build/native/console/kolt_info_cli" --format=json --redact \
    >"$work/documents-native-redacted.json"
: >kolt_info.cfg && "$repo/build/native/console/kolt_info_cli" /format:json >"$work/documents-native-none.json"
cd "$repo" || exit 1
native_documents=("$work"/documents-native-*.json)
[[ -s $work/documents-installed.json ]] && native_documents+=("$work/documents-installed.json")
expect_success "${#native_documents[@]} documents" \
    "$python" "$here/check_report_schema.py" "$schema" "${native_documents[@]}"
grep -q '"sections": \[\]' "$work/documents-native-none.json" ||
    fail "an empty selection file did not give a document without sections"
end

for target in win64 win32; do
    name="the JSON form's schema: documents of the $target kolt_info_cli.exe under Wine"
    if [[ $target == win32 ]] && ! kolt_runs_32bit; then
        skip "$name" "$KOLT_NO_32BIT_REASON"
        continue
    fi
    begin "$name"
    folder=$work/wine-$target
    mkdir -p "$folder" && cd "$folder" || exit 1
    env -u KOLT_WINEPREFIX "$repo/scripts/wine-run.sh" "$repo/build/$target/console/kolt_info_cli.exe" \
        --format json --extended >"$work/$target.json" 2>"$work/$target.err" ||
        fail "exited with $?: $(cat "$work/$target.err")"
    written=(kolt_info_*.json)
    cd "$repo" || exit 1
    if [[ ${#written[@]} == 1 && -f $folder/${written[0]} ]]; then
        cmp -s "$folder/${written[0]}" "$work/$target.json" ||
            fail "${written[0]} is not what the program printed"
        expect_success "its document" "$python" "$here/check_report_schema.py" "$schema" \
            "$folder/${written[0]}"
    else
        fail "no kolt_info_*.json was written"
    fi
    end
done

# ---- the Ansible playbook -------------------------------------------------------------------

# Debian's ansible, told nothing by this machine's own settings, keeping its files in the work
# folder, and with every collection out of sight: a Linux-only play must need none.
ansible_env=(env ANSIBLE_CONFIG="$work/ansible.cfg" ANSIBLE_LOCAL_TEMP="$work/ansible-local"
    ANSIBLE_NOCOLOR=1 ANSIBLE_RETRY_FILES_ENABLED=0 LC_ALL=C.UTF-8
    ANSIBLE_COLLECTIONS_PATH="$work/no-collections" ANSIBLE_COLLECTIONS_SCAN_SYS_PATH=false)
: >"$work/ansible.cfg"
mkdir -p "$work/no-collections"

begin "Ansible: two hosts' reports fetched, a host without the program failing clearly"
# The program as the package installs it, installed again after the removal above.
if [[ -f $deb ]] && "${dpkg_root[@]}" -i "$deb" >/dev/null 2>&1; then
    program=$root/usr/bin/kolt_info_cli
else
    program=$repo/build/native/console/kolt_info_cli
fi
mkdir -p "$work/desk-a" "$work/desk-b" "$work/desk-c" "$work/desk-b-program"
# desk-b is a host on which something looks wrong: the real program's document, with findings
# of two codes added (one of them twice, as two full drives give), so the summary has something
# to count whatever this machine itself looks like.
cat >"$work/desk-b-program/kolt_info_cli" <<EOF
#!/bin/sh
"$program" "\$@" || exit
[ "\$1" = --version ] && exit
exec $python - <<'ADD'
import glob, json
path = glob.glob("kolt_info_*.json")[0]
with open(path, encoding="utf-8") as stream:
    document = json.load(stream)
document["findings"] = [
    {"code": "drive-almost-full", "severity": "warning", "text": "Drive C: has 1.00 Gb free (1 %)",
     "facts": {"drive": "C", "freeBytes": 1073741824, "totalBytes": 107374182400, "freePercent": 1}},
    {"code": "drive-almost-full", "severity": "warning", "text": "Drive D: has 512.00 Mb free (0 %)",
     "facts": {"drive": "D", "freeBytes": 536870912, "totalBytes": 214748364800, "freePercent": 0}},
    {"code": "restart-pending", "severity": "notice", "text": "A restart is pending: package updates",
     "facts": {"reasons": "package updates"}},
] + document["findings"]
with open(path, "w", encoding="utf-8") as stream:
    json.dump(document, stream, indent=2)
ADD
EOF
chmod +x "$work/desk-b-program/kolt_info_cli"
cat >"$work/inventory.ini" <<EOF
[desks]
desk-a kolt_info_temp_parent=$work/desk-a ansible_remote_tmp=$work/desk-a/.ansible
desk-b kolt_info_temp_parent=$work/desk-b ansible_remote_tmp=$work/desk-b/.ansible kolt_info_cli=$work/desk-b-program/kolt_info_cli
desk-c kolt_info_temp_parent=$work/desk-c ansible_remote_tmp=$work/desk-c/.ansible kolt_info_cli=$work/desk-c/kolt_info_cli

[desks:vars]
ansible_connection=local
ansible_python_interpreter=/usr/bin/python3
kolt_info_cli=$program
EOF
"${ansible_env[@]}" ansible-playbook -i "$work/inventory.ini" -e "kolt_info_reports=$work/reports" \
    contrib/ansible/collect-kolt-info.yml >"$work/ansible.out" 2>&1
status=$?
grep -E '^fatal|ERROR|^desk-.* : ok=' "$work/ansible.out" | sed 's/^/  ansible: /'

((status == 2)) || fail "ansible-playbook exited with $status, expected 2 (a host failed)"
grep -q "kolt_info_cli is missing on desk-c: .*Install the kolt-info package" "$work/ansible.out" ||
    fail "desk-c's failure does not say that the program is missing"
for host in desk-a desk-b; do
    grep -qE "^$host +: ok=[0-9]+ +changed=[0-9]+ +unreachable=0 +failed=0" "$work/ansible.out" ||
        fail "$host did not finish cleanly"
    [[ -z $(find "$work/$host" -maxdepth 1 -name 'kolt-info.*') ]] ||
        fail "$host's temporary folder was left behind"
done
fetched=$(cd "$work/reports" 2>/dev/null && ls)
[[ $fetched == $'desk-a.json\ndesk-b.json' ]] || fail "fetched '$(tr '\n' ' ' <<<"$fetched")'"
[[ -n $fetched ]] && expect_success "the fetched documents" "$python" \
    "$here/check_report_schema.py" "$schema" "$work/reports/desk-a.json" "$work/reports/desk-b.json"
# The summary counts, per finding code, the hosts whose fetched document has it.
expect_success "the summary of finding codes" "$python" - "$work/ansible.out" "$work/reports" <<'EOF'
import collections, json, pathlib, sys
output = pathlib.Path(sys.argv[1]).read_text()
task = output.index("TASK [Hosts with each finding code]")
summary, _ = json.JSONDecoder().raw_decode(output, output.index("{", task))
expected = collections.Counter()
for path in sorted(pathlib.Path(sys.argv[2]).glob("*.json")):
    expected.update({finding["code"] for finding in json.loads(path.read_text())["findings"]})
assert expected["drive-almost-full"] >= 1 and expected["restart-pending"] >= 1, expected
assert summary["msg"] == {"hosts": 2, "findings": dict(expected)}, (summary, expected)
EOF
end

begin "Ansible: the Windows tasks resolve against Debian's ansible.windows collection"
cat >"$work/windows-tasks.yml" <<EOF
- name: The Windows tasks, read as a Windows host would read them
  hosts: all
  gather_facts: false
  tasks:
    - ansible.builtin.import_tasks: $repo/contrib/ansible/roles/kolt_info_report/tasks/windows.yml
EOF
expect_success "with the collections Debian's ansible ships" env ANSIBLE_CONFIG="$work/ansible.cfg" \
    LC_ALL=C.UTF-8 ansible-playbook -i localhost, --syntax-check "$work/windows-tasks.yml"
# The other side: out of sight as in the run above, they do not resolve, so that run really had
# no collection to lean on.
if "${ansible_env[@]}" ansible-playbook -i localhost, --syntax-check "$work/windows-tasks.yml" \
    >/dev/null 2>&1; then
    fail "the Windows tasks resolve with every collection out of sight"
fi
end

junit_write distribution
checked=${#junit_cases[@]}
passed=$((checked - junit_failed - junit_skipped))
echo "$((checked == 0 ? 0 : 100 * passed / checked))% tests passed, $junit_failed tests failed," \
    "$junit_skipped skipped out of $checked"
((junit_failed == 0))
