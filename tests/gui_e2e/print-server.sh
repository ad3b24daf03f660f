#!/usr/bin/env bash
# A private print server for the dialog program's end-to-end cases: its own cupsd with its own
# configuration, spool, logs and one PDF queue, all in one folder of the build tree, so that a
# developer's printers and the machine's own print service are never touched.
#
#   print-server.sh start DIR    start the server; prints the shell lines that point a program
#                                at it (CUPS_SERVER=...) and the folder where PDFs land
#                                (KOLT_PDF_FOLDER=...)
#   print-server.sh stop DIR     stop it (and wait until it has gone)
#
# Two queues: "KoltPDF", the default, prints through cups-pdf, which turns each job into a PDF
# and then runs pdf-to-text.sh on it; "KoltRefusing" is stopped and rejects every job, as a
# queue an administrator has taken out of service. cups-pdf reads
# its settings only from /etc/cups/cups-pdf.conf; the server runs in a mount namespace of its
# own in which our settings are mounted over that one file, so the PDFs land in DIR/pdf and the
# system's file stays as it is. `start` exits with 77 and says why when the server cannot run
# here (not root, no mount namespace, cupsd or cups-pdf missing).
set -euo pipefail

readonly queue=KoltPDF
readonly refusing_queue=KoltRefusing
here=$(cd "$(dirname "$0")" && pwd)
readonly ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
readonly system_settings=/etc/cups/cups-pdf.conf

usage() {
    echo "usage: print-server.sh start|stop DIR" >&2
    exit 2
}
(($# == 2)) || usage
action=$1
dir=$(realpath -m -- "$2")
socket=$dir/cups.sock
pid_file=$dir/cupsd.pid

cannot_run() {
    echo "print-server: cannot run a private print server here: $*" >&2
    exit 77
}

stop_server() {
    [[ -f $pid_file ]] || return 0
    local pid
    pid=$(<"$pid_file")
    if kill -0 "$pid" 2>/dev/null; then
        kill -TERM "$pid"
        for _ in $(seq 100); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
    fi
    rm -f -- "$pid_file"
}

write_settings() {
    mkdir -p -- "$dir"/{etc/ppd,spool,tmp,cache,state,log,pdf,pdf-spool}
    # Filters run as the unprivileged user "lp": they must be able to read the spool.
    chmod 0755 -- "$dir" "$dir/tmp"
    cat >"$dir/etc/cupsd.conf" <<EOF
# Only a local socket: nothing listens on the network.
Listen $socket
LogLevel warn
MaxLogSize 0
Browsing No
WebInterface No
DefaultAuthType None
DefaultEncryption Never
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
EOF
    cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
FileDevice No
EOF
    cat >"$dir/cups-pdf.conf" <<EOF
Out $dir/pdf
AnonDirName $dir/pdf
Spool $dir/pdf-spool
Log $dir/log
Grp root
UserUMask 0022
PostProcessing $here/pdf-to-text.sh
EOF
}

# lpadmin warns that printer drivers are deprecated: true, and no concern of a test server.
add_queue() {
    local name=$1
    shift
    lpadmin -h "$socket" -p "$name" -E -v cups-pdf:/ -P "$ppd" "$@" 2>&1 |
        { grep -v 'Printer drivers are deprecated' >&2 || true; }
    return "${PIPESTATUS[0]}"
}

start_server() {
    ((EUID == 0)) || cannot_run "cupsd must start as root to run the cups-pdf backend"
    [[ -x /usr/sbin/cupsd ]] || cannot_run "/usr/sbin/cupsd is missing (scripts/bootstrap.sh)"
    [[ -x /usr/lib/cups/backend/cups-pdf && -f $ppd && -f $system_settings ]] ||
        cannot_run "cups-pdf is missing (scripts/bootstrap.sh)"
    unshare --mount --propagation private true 2>/dev/null ||
        cannot_run "no mount namespace for cups-pdf's settings (unshare --mount failed)"

    stop_server
    rm -rf -- "$dir"
    write_settings
    setsid unshare --mount --propagation private -- sh -c '
        mount --bind "$1" "$2" && exec /usr/sbin/cupsd -f -c "$3" -s "$4"' sh \
        "$dir/cups-pdf.conf" "$system_settings" "$dir/etc/cupsd.conf" "$dir/etc/cups-files.conf" \
        </dev/null >"$dir/log/cupsd.out" 2>&1 &
    echo $! >"$pid_file"

    local ready=false
    for _ in $(seq 100); do
        # lpstat answers (with status 0) even when nothing listens: read what it says.
        if [[ -S $socket ]] && lpstat -h "$socket" -r 2>/dev/null | grep -qx 'scheduler is running'; then
            ready=true
            break
        fi
        kill -0 "$(<"$pid_file")" 2>/dev/null || break
        sleep 0.1
    done
    if ! $ready; then
        stop_server
        cat -- "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null >&2 || true
        echo "print-server: cupsd did not start" >&2
        exit 1
    fi
    add_queue "$queue" -o PageSize=A4
    lpadmin -h "$socket" -d "$queue"
    add_queue "$refusing_queue"
    cupsdisable -h "$socket" "$refusing_queue"
    cupsreject -h "$socket" "$refusing_queue"
    echo "CUPS_SERVER=$socket"
    echo "KOLT_PDF_FOLDER=$dir/pdf"
}

case $action in
    start) start_server ;;
    stop) stop_server ;;
    *) usage ;;
esac
