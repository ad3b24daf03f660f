#!/usr/bin/env bash
# The Linux backend's printers against a real CUPS: a private cupsd (its own configuration, spool
# and logs in DIR, listening on a socket in DIR only, nothing on the network) with three queues:
# KoltReady, the default; KoltStopped, taken out of service with cupsdisable; KoltNetwork, at a
# network address that is never contacted, with two jobs held in it. Then the suite's CUPS case
# runs against it, and the server is stopped whatever the case's outcome. Exits 77 (skipped)
# where cupsd cannot start here.
#
#   cups-queues-test.sh DIR TEST-PROGRAM
set -uo pipefail

(($# == 2)) || { echo "usage: cups-queues-test.sh DIR TEST-PROGRAM" >&2; exit 2; }
dir=$(realpath -m -- "$1")
program=$2
socket=$dir/cups.sock

[[ -x /usr/sbin/cupsd ]] || { echo "skipped: /usr/sbin/cupsd is missing (scripts/bootstrap.sh)"; exit 77; }

server_pid=
stop_server() {
    if [[ -n $server_pid ]] && kill -0 "$server_pid" 2>/dev/null; then
        kill -TERM "$server_pid"
        for _ in $(seq 100); do
            kill -0 "$server_pid" 2>/dev/null || break
            sleep 0.1
        done
    fi
}
trap stop_server EXIT

rm -rf -- "$dir"
mkdir -p -- "$dir"/{etc/ppd,spool,tmp,cache,state,log}
cat >"$dir/etc/cupsd.conf" <<CONF
Listen $socket
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
FileDevice Yes
CONF
/usr/sbin/cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" </dev/null \
    >"$dir/log/cupsd.out" 2>&1 &
server_pid=$!
export CUPS_SERVER=$socket
for _ in $(seq 100); do
    [[ -S $socket ]] && lpstat -r 2>/dev/null | grep -qx 'scheduler is running' && break
    kill -0 "$server_pid" 2>/dev/null || break
    sleep 0.1
done
if ! lpstat -r 2>/dev/null | grep -qx 'scheduler is running'; then
    cat -- "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null
    echo "skipped: a private cupsd does not start here"
    exit 77
fi

# Raw queues (no driver): lpadmin warns that they are deprecated, which is no concern here.
queue() { lpadmin -p "$1" -E -v "$2" 2>&1 | { grep -v -e deprecated -e "raw queues" >&2 || true; }; }
set -e
queue KoltReady file:/dev/null
queue KoltStopped file:/dev/null
queue KoltNetwork socket://192.0.2.9:9100
lpadmin -d KoltReady
cupsdisable KoltStopped
for _ in 1 2; do lp -d KoltNetwork -H hold /etc/hostname >/dev/null; done
set +e

KOLT_TEST_CUPS=1 "$program" --gtest_filter='LinuxDeskMachine.Cups*'
status=$?
((status == 0)) || cat -- "$dir/log/error_log" 2>/dev/null
exit $status
