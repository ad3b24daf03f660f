#!/usr/bin/env bash
# The inventory form against a real OCS Inventory NG communication server: installs the server
# from Debian's packages where they are missing (ocsinventory-server, the XML parser it needs but
# does not declare, MariaDB, Apache with mod_perl; services kept from starting while they
# install), starts a private MariaDB (a fresh database from the base schema that
# ocsinventory-reports ships, unpacked, not installed; on a socket only) and a private Apache
# (the server's own configuration, without its REST API, listening on 127.0.0.1 at a free port),
# sends the native program's and the 64-bit Windows program's documents through the Ansible
# role's own step, and checks in the database that each machine is there with the facts of its
# JSON report. Both services stop by their pid files when the script ends, however it ends.
# Where they cannot start (no root, no packages) every case is skipped with the reason.
#
#   scripts/test-inventory-server.sh   (from the native and win64 trees the earlier stages built)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
source scripts/lib/junit.sh

suite=inventory-server
native_cli=${KOLT_NATIVE_CLI:-$repo/build/native/console/kolt_info_cli}
windows_cli=${KOLT_WIN64_CLI:-$repo/build/win64/console/kolt_info_cli.exe}
# Wine takes the computer's name from the host name: the Windows program runs in a private
# host-name namespace under this name, so the two machines differ by name as well as by device
# identifier (the server's duplicate rule matches name, serial number and hardware address).
windows_host_name=KOLT-WINE-DESK
server_packages=(ocsinventory-server libxml-parser-perl mariadb-server mariadb-client apache2
    libapache2-mod-perl2)
server_conf=/etc/apache2/conf-available/ocsinventory-server.conf
started=$SECONDS

skip_every_case() {
    skip "inventory server: native and Windows documents taken and stored" "$1"
    junit_write "$suite"
    exit 0
}

[[ $(id -u) -eq 0 ]] || skip_every_case "starting the database and web servers needs root"
unshare --uts true 2>/dev/null ||
    skip_every_case "a private host-name namespace for the Windows program needs root"
for program in "$native_cli" "$windows_cli"; do
    if [[ ! -x $program && ! -f $program ]]; then
        echo "test-inventory-server: $program is missing (build the native and win64 presets)" >&2
        exit 1
    fi
done

work=$(mktemp -d)
# Apache's children run as www-data and reach the database's socket in here.
chmod 755 "$work"
apache_pid=$work/apache.pid
mariadb_pid=$work/mariadb.pid
policy_added=false

# Stops a service by its pid file and waits for it to end (at most 20 s, then kills it).
stop_by_pid_file() {
    local file=$1 pid
    [[ -s $file ]] || return 0
    pid=$(<"$file")
    kill "$pid" 2>/dev/null || return 0
    for _ in $(seq 200); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
}

mariadb_started=

stop_services() {
    stop_by_pid_file "$apache_pid"
    stop_by_pid_file "$mariadb_pid"
    # A server that ended before it wrote its pid file is stopped by the pid it started with.
    if [[ -n $mariadb_started ]] && kill -0 "$mariadb_started" 2>/dev/null; then
        kill "$mariadb_started" 2>/dev/null || true
        wait "$mariadb_started" 2>/dev/null || true
    fi
}

clean_up() {
    stop_services
    WINEPREFIX=$work/wineprefix /usr/lib/wine/wineserver -k 2>/dev/null || true
    if $policy_added; then
        rm -f /usr/sbin/policy-rc.d
    fi
    rm -rf "$work"
}
trap clean_up EXIT

# ---- the packages --------------------------------------------------------------------------

missing=()
for package in "${server_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$' ||
        missing+=("$package")
done
if ((${#missing[@]} > 0)); then
    echo "test-inventory-server: installing ${missing[*]}"
    # The packages would start their services as they install: this stage starts its own.
    if [[ ! -e /usr/sbin/policy-rc.d ]]; then
        printf '#!/bin/sh\nexit 101\n' >/usr/sbin/policy-rc.d
        chmod 755 /usr/sbin/policy-rc.d
        policy_added=true
    fi
    install_started=$SECONDS
    if ! { apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
        --no-install-recommends "${missing[@]}"; } >"$work/apt.log" 2>&1; then
        tail -5 "$work/apt.log" >&2
        skip_every_case "the server's packages could not be installed (${missing[*]})"
    fi
    echo "test-inventory-server: installed in $((SECONDS - install_started)) s"
fi

# The schema ships only inside ocsinventory-reports (with its PHP console, which is not
# installed): the package is downloaded once into the build tree and unpacked here.
cache=$repo/build/inventory-server
mkdir -p "$cache"
if ! compgen -G "$cache/ocsinventory-reports_*.deb" >/dev/null; then
    (cd "$cache" && apt-get download ocsinventory-reports >"$work/download.log" 2>&1) ||
        skip_every_case "ocsinventory-reports could not be downloaded for its schema"
fi
dpkg-deb -x "$(compgen -G "$cache/ocsinventory-reports_*.deb" | tail -1)" "$work/reports"
schema=$(find "$work/reports" -name ocsbase_new.sql -print -quit)
[[ -n $schema ]] || skip_every_case "ocsinventory-reports holds no ocsbase_new.sql"

# The database, its user and password, as the server's configuration names them.
conf_value() { sed -nE "s/^[[:space:]]*Perl(SetEnv|SetVar)[[:space:]]+$1[[:space:]]+\"?([^\"[:space:]]+).*/\\2/p" "$server_conf" | head -1; }
db_name=$(conf_value OCS_DB_NAME)
db_user=$(conf_value OCS_DB_USER)
db_password=$(conf_value OCS_DB_PWD)

# ---- MariaDB: a fresh database on a private socket -----------------------------------------

socket=$work/mariadb.sock
mysql_root=(mariadb --no-defaults --socket="$socket" -u root)
mariadb-install-db --no-defaults --user=root --datadir="$work/db" --skip-test-db \
    --auth-root-authentication-method=socket >"$work/mariadb-install.log" 2>&1 ||
    skip_every_case "MariaDB's data folder could not be made ($(tail -1 "$work/mariadb-install.log"))"
mariadbd --no-defaults --user=root --datadir="$work/db" --socket="$socket" --skip-networking \
    --pid-file="$mariadb_pid" --log-error="$work/mariadb.err" &
mariadb_started=$!
for _ in $(seq 300); do
    mariadb-admin --no-defaults --socket="$socket" -u root ping >/dev/null 2>&1 && break
    sleep 0.1
done
mariadb-admin --no-defaults --socket="$socket" -u root ping >/dev/null 2>&1 ||
    skip_every_case "MariaDB did not start ($(tail -1 "$work/mariadb.err"))"
"${mysql_root[@]}" -e "CREATE DATABASE \`$db_name\` CHARACTER SET utf8mb4;
    CREATE USER '$db_user'@'localhost' IDENTIFIED BY '$db_password';
    GRANT ALL PRIVILEGES ON \`$db_name\`.* TO '$db_user'@'localhost';"
"${mysql_root[@]}" "$db_name" <"$schema"

# The HTTP status a GET of the address answers; 0 where nothing answers.
http_status() {
    /usr/bin/python3 -c 'import sys, urllib.error, urllib.request
try:
    print(urllib.request.urlopen(sys.argv[1], timeout=5).status)
except urllib.error.HTTPError as error:
    print(error.code)
except OSError:
    print(0)' "$1"
}

# Whether anything accepts a connection at 127.0.0.1:PORT.
listening() {
    /usr/bin/python3 -c 'import socket, sys
with socket.socket() as s:
    sys.exit(0 if s.connect_ex(("127.0.0.1", int(sys.argv[1]))) == 0 else 1)' "$1"
}

# ---- Apache with the server's handler, on 127.0.0.1 only ------------------------------------

# A port no one listens on: the system picks it for a socket that is closed again at once.
port=$(/usr/bin/python3 -c 'import socket
with socket.socket() as s:
    s.bind(("127.0.0.1", 0))
    print(s.getsockname()[1])' || true)
[[ -n $port ]] || skip_every_case "no free port found for the web server"
mkdir -p "$work/www" "$work/run" "$work/ocs-log"
chown www-data "$work/ocs-log"
modules=/usr/lib/apache2/modules
# The server's configuration as Debian ships it, with its REST API's left out (it needs modules
# Debian lacks), the database reached through the private socket and the logs kept in here.
cat >"$work/apache.conf" <<EOF
ServerRoot /etc/apache2
ServerName 127.0.0.1
Listen 127.0.0.1:$port
PidFile $apache_pid
DefaultRuntimeDir $work/run
ErrorLog $work/apache-error.log
LogLevel warn
User www-data
Group www-data
DocumentRoot $work/www
LoadModule mpm_prefork_module $modules/mod_mpm_prefork.so
LoadModule authz_core_module $modules/mod_authz_core.so
LoadModule authz_host_module $modules/mod_authz_host.so
LoadModule authz_user_module $modules/mod_authz_user.so
LoadModule authn_core_module $modules/mod_authn_core.so
LoadModule authn_file_module $modules/mod_authn_file.so
LoadModule auth_basic_module $modules/mod_auth_basic.so
LoadModule perl_module $modules/mod_perl.so
StartServers 2
MinSpareServers 1
MaxSpareServers 2
Include $server_conf
PerlSetEnv OCS_OPT_DBI_MYSQL_SOCKET $socket
PerlSetEnv OCS_OPT_LOGPATH $work/ocs-log/
EOF
apache2 -f "$work/apache.conf" -k start >"$work/apache-start.log" 2>&1 ||
    skip_every_case "Apache did not start ($(tail -1 "$work/apache-start.log"))"
url=http://127.0.0.1:$port/ocsinventory
# The handler answers a GET with 400 once it and its database work.
probe=
for _ in $(seq 100); do
    probe=$(http_status "$url")
    [[ $probe == 400 ]] && break
    sleep 0.1
done
if [[ $probe != 400 ]]; then
    tail -5 "$work/apache-error.log" >&2 || true
    skip_every_case "the server's handler did not answer (GET $url gave HTTP $probe)"
fi
echo "test-inventory-server: server ready on 127.0.0.1:$port in $((SECONDS - started)) s"

# ---- the role's own step, for two hosts ------------------------------------------------------

# The Windows program under Wine as a desk of its own (tests/inventory/wine-desk.sh): its own
# name, firmware that states its maker, and a fresh prefix.
printf '#!/bin/sh\nexec env KOLT_DESK_NAME=%q KOLT_WINEPREFIX=%q KOLT_DESK_PROGRAM=%q %q "$@"\n' \
    "$windows_host_name" "$work/wineprefix" "$windows_cli" "$repo/tests/inventory/wine-desk.sh" \
    >"$work/kolt_info_cli_wine"
chmod 755 "$work/kolt_info_cli_wine"
mkdir -p "$work/native-desk" "$work/wine-desk"
cat >"$work/inventory.ini" <<EOF
native-desk kolt_info_cli=$native_cli kolt_info_temp_parent=$work/native-desk ansible_remote_tmp=$work/native-desk/.ansible
wine-desk kolt_info_cli=$work/kolt_info_cli_wine kolt_info_temp_parent=$work/wine-desk ansible_remote_tmp=$work/wine-desk/.ansible

[all:vars]
ansible_connection=local
ansible_python_interpreter=/usr/bin/python3
EOF
: >"$work/ansible.cfg"
ansible_status=0
env ANSIBLE_CONFIG="$work/ansible.cfg" ANSIBLE_LOCAL_TEMP="$work/ansible-local" ANSIBLE_NOCOLOR=1 \
    ANSIBLE_RETRY_FILES_ENABLED=0 LC_ALL=C.UTF-8 ANSIBLE_COLLECTIONS_PATH="$work/no-collections" \
    ANSIBLE_COLLECTIONS_SCAN_SYS_PATH=false \
    ansible-playbook -i "$work/inventory.ini" -e "kolt_info_reports=$work/reports-fetched" \
    -e "kolt_info_inventory_url=$url" -e kolt_info_extended=true contrib/ansible/collect-kolt-info.yml \
    >"$work/ansible.out" 2>&1 || ansible_status=$?
grep -E '^fatal|ERROR|inventory (taken|not taken)|^[a-z-]+ +: ok=' "$work/ansible.out" |
    sed 's/^/  ansible: /' || true

# ---- what the database holds -----------------------------------------------------------------

sql() { "${mysql_root[@]}" -N -B "$db_name" -e "$1"; }

# check_machine HOST: the machine the host's document named, against the host's JSON report.
check_machine() {
    local host=$1 json=$work/reports-fetched/$1.json document=$work/reports-fetched/$1.ocs
    begin "inventory server: $host's document taken, its JSON report's facts stored"
    if ((ansible_status != 0)); then
        fail "ansible-playbook exited with $ansible_status"
    fi
    grep -qE "\"$host: inventory taken: HTTP 200, RESPONSE (NO_)?ACCOUNT_UPDATE\"" \
        "$work/ansible.out" || fail "the role did not report the document as taken"
    if [[ ! -s $json || ! -s $document ]]; then
        fail "the role fetched no JSON report or inventory document"
        end
        return
    fi
    local device_id name id
    device_id=$(sed -nE 's|.*<DEVICEID>(.*)</DEVICEID>.*|\1|p' "$document")
    name=$(jq -r '.computerName' "$json")
    [[ $device_id =~ ^.+-[0-9]{4}(-[0-9]{2}){5}$ ]] || fail "device identifier $device_id"
    id=$(sql "SELECT ID FROM hardware WHERE DEVICEID='$device_id'")
    if [[ -z $id ]]; then
        fail "no machine $device_id in the hardware table"
        end
        return
    fi

    expect_row() {
        local what=$1 query=$2 expected=$3 found
        found=$(sql "$query")
        [[ $found == "$expected" ]] || fail "$what: the database holds '$found', the report '$expected'"
    }
    local processor megabytes address
    processor=$(jq -r '.extended.processor.brand // .architecture.identifier' "$json")
    megabytes=$(jq -r '(.memory.physical.totalBytes / 1048576) | ceil' "$json")
    address=$(jq -r '.ipAddress' "$json")
    expect_row "name" "SELECT NAME FROM hardware WHERE ID=$id" "$name"
    expect_row "operating system" "SELECT OSNAME FROM hardware WHERE ID=$id" \
        "$(jq -r '.operatingSystem.name' "$json")"
    expect_row "processor" "SELECT PROCESSORT FROM hardware WHERE ID=$id" "$processor"
    expect_row "processor count" "SELECT PROCESSORN FROM hardware WHERE ID=$id" \
        "$(jq -r '.architecture.processors' "$json")"
    expect_row "memory" "SELECT MEMORY FROM hardware WHERE ID=$id" "$megabytes"
    expect_row "address" "SELECT IPADDR FROM hardware WHERE ID=$id" "$address"
    expect_row "processors table" "SELECT COUNT(*) FROM cpus WHERE HARDWARE_ID=$id AND TYPE=
        $(printf "'%s'" "${processor//\'/\'\'}")" 1
    expect_row "memories table" "SELECT CAPACITY FROM memories WHERE HARDWARE_ID=$id" "$megabytes"
    # The server keeps no firmware row for a document whose BIOS states nothing.
    local firmware_facts
    firmware_facts=$(jq '[.extended.firmware[] | select(. != null)] | length' "$json")
    expect_row "firmware row" "SELECT COUNT(*) FROM bios WHERE HARDWARE_ID=$id" \
        "$((firmware_facts > 0 ? 1 : 0))"
    expect_row "firmware" "SELECT CONCAT_WS('|', SMANUFACTURER, SMODEL, SSN, BVERSION) FROM bios
        WHERE HARDWARE_ID=$id" "$(jq -r '.extended.firmware | [.make, .model, .serialNumber,
        .biosVersion] | map(select(. != null)) | join("|")' "$json")"
    expect_row "network adapters" "SELECT COUNT(DISTINCT DESCRIPTION) FROM networks
        WHERE HARDWARE_ID=$id" "$(jq '.extended.networkAdapters | length' "$json")"
    if [[ $address != null ]]; then
        expect_row "the address's adapter" "SELECT COUNT(*) FROM networks WHERE HARDWARE_ID=$id
            AND IPADDRESS='$address'" 1
    fi
    expect_row "graphics adapters" "SELECT COUNT(*) FROM videos WHERE HARDWARE_ID=$id" \
        "$(jq '.extended.graphicsAdapters | length' "$json")"

    # Every drive with its size exactly and its free space as the document gave it; that free
    # space within 2 GB of the JSON report's, made seconds before while the machine went on
    # writing (builds beside this stage moved it by 0.7 GB).
    expect_row "drives" "SELECT COUNT(*) FROM drives WHERE HARDWARE_ID=$id" \
        "$(jq '[.disk.drives[] | select(.totalBytes != null)] | length' "$json")"
    local letter total free stored_total stored_free
    while read -r letter total free; do
        read -r stored_total stored_free < <(sql "SELECT TOTAL, FREE FROM drives
            WHERE HARDWARE_ID=$id AND LETTER='$letter:'") || true
        if [[ -z ${stored_total:-} ]]; then
            fail "drive $letter: is not in the drives table"
            continue
        fi
        ((stored_total == total / 1048576)) ||
            fail "drive $letter: size $stored_total MB, the report $((total / 1048576)) MB"
        local sent_free
        sent_free=$(sed -n "/<LETTER>$letter:</,/<\/DRIVES>/s|.*<FREE>\(.*\)</FREE>.*|\1|p" \
            "$document")
        [[ $stored_free == "$sent_free" ]] ||
            fail "drive $letter: free $stored_free MB stored, $sent_free MB sent"
        local difference=$((stored_free - free / 1048576))
        ((difference >= -2048 && difference <= 2048)) ||
            fail "drive $letter: free $stored_free MB, the report $((free / 1048576)) MB"
    done < <(jq -r '.disk.drives[] | select(.totalBytes != null) |
        "\(.letter) \(.totalBytes) \(.freeBytes)"' "$json")
    end
}

check_machine native-desk
check_machine wine-desk

begin "inventory server: the two hosts are two machines, texts stored as they were"
count=$(sql "SELECT COUNT(DISTINCT NAME) FROM hardware")
((count == 2)) || fail "the hardware table holds $count machines' names, expected 2"
[[ $(jq -r '.computerName' "$work/reports-fetched/wine-desk.json" 2>/dev/null) == \
    "$windows_host_name" ]] || fail "the Windows program did not take the name $windows_host_name"
# The firmware maker the Windows desk's firmware states, markup and letters beyond ASCII in it,
# stored as it is.
maker=$(sql "SELECT b.SMANUFACTURER FROM bios b JOIN hardware h ON h.ID=b.HARDWARE_ID
    WHERE h.NAME='$windows_host_name'")
[[ $maker == "Kolt Prüf & Söhne <Test>" ]] ||
    fail "the Windows desk's firmware maker is stored as '$maker'"
end

# A server that does not take the document (here: an address where no handler answers) fails
# that host with what the server said, never reported as taken.
begin "inventory server: a document the server did not take fails its host"
status=0
env ANSIBLE_CONFIG="$work/ansible.cfg" ANSIBLE_LOCAL_TEMP="$work/ansible-local" ANSIBLE_NOCOLOR=1 \
    ANSIBLE_RETRY_FILES_ENABLED=0 LC_ALL=C.UTF-8 ANSIBLE_COLLECTIONS_PATH="$work/no-collections" \
    ANSIBLE_COLLECTIONS_SCAN_SYS_PATH=false \
    ansible-playbook -i "$work/inventory.ini" --limit native-desk \
    -e "kolt_info_reports=$work/reports-refused" -e "kolt_info_inventory_url=${url}-nowhere" \
    contrib/ansible/collect-kolt-info.yml >"$work/ansible-refused.out" 2>&1 || status=$?
((status == 2)) || fail "ansible-playbook exited with $status, expected 2 (the host failed)"
grep -q "native-desk: inventory not taken: the server answered HTTP 404" \
    "$work/ansible-refused.out" || fail "the role did not say that the server refused it"
grep -q "inventory taken" "$work/ansible-refused.out" && fail "the role reported it as taken"
end

begin "inventory server: both services stopped, nothing left listening"
stop_services
listening "$port" && fail "something still listens on 127.0.0.1:$port"
for file in "$apache_pid" "$mariadb_pid"; do
    if [[ -s $file ]] && kill -0 "$(<"$file")" 2>/dev/null; then
        fail "the process of $(basename "$file") still runs"
    fi
done
[[ -S $socket ]] && fail "MariaDB's socket is still there"
end

if ((junit_failed > 0)); then
    echo "--- ansible-playbook's output:"
    cat "$work/ansible.out"
fi
junit_write "$suite"
echo "test-inventory-server: $((SECONDS - started)) s"
((junit_failed == 0))
