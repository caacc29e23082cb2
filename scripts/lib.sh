# Shared by scripts/run, scripts/test and .ci/run: finding the source tree,
# installing the Debian packages the build needs, building, and a CUPS queue
# that writes PDFs for the print tests. Sourced, never run on its own.

QUILLET_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QUILLET_JOBS="${QUILLET_JOBS:-2}"

# The packages a build needs; without them nothing runs.
QUILLET_BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-pdf-dev libcups2-dev zlib1g-dev libfontconfig-dev
    libxcb1-dev qtkeychain-qt6-dev fonts-liberation2)
# Installed when possible, else left out: without them the benchmarks are not
# built, there is no printing and only the built-in label sheet (no catalogue);
# the tests that need them skip themselves.
QUILLET_OPTIONAL_PACKAGES=(libbenchmark-dev cups cups-client printer-driver-cups-pdf glabels-data)
# What the tests read PDFs with (and check them with), the X server and window
# manager the window placement test runs under, the checkers of the manual pages
# and the software-centre metadata, the CardDAV server the address book tests
# start for themselves and what makes its TLS certificate; optional in the same way.
QUILLET_TEST_PACKAGES=(poppler-utils qpdf xvfb openbox mandoc appstream radicale openssl)

# The PDF-writing queue of the print tests. As root it is a cups-pdf queue of the
# system's scheduler, writing into QUILLET_PDF_OUT; as anyone else a private
# scheduler under the build folder (see start_private_cups).
QUILLET_PDF_QUEUE=QuilletPDF
QUILLET_PDF_OUT=/var/spool/cups-pdf/QuilletPDF

# The scheduler and lpadmin live in sbin, which an ordinary user's PATH may lack.
PATH="$PATH:/usr/sbin:/sbin"

say() { printf '==> %s\n' "$*" >&2; }
die() { printf 'error: %s\n' "$*" >&2; exit 1; }

is_root() { [ "$(id -u)" -eq 0 ]; }

# Runs a command as root: directly when we are root, else through sudo when
# sudo needs no password. Returns 1 (running nothing) when neither is possible.
as_root() {
    if is_root; then
        "$@"
    elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
        sudo -n "$@"
    else
        return 1
    fi
}

can_be_root() { is_root || { command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; }; }

package_installed() {
    [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

missing_packages() {
    local pkg
    for pkg in "$@"; do
        package_installed "$pkg" || printf '%s\n' "$pkg"
    done
}

# Installs the given packages; false (having said why) when that is not possible.
install_packages() {
    command -v apt-get >/dev/null 2>&1 || { say "no apt-get to install $*"; return 1; }
    can_be_root || { say "cannot install $* without root (apt-get install $*)"; return 1; }
    say "Installing $*"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q &&
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@"
}

# Installs those of the given Debian packages that are missing; stops when it cannot.
ensure_packages() {
    local missing
    mapfile -t missing < <(missing_packages "$@")
    [ ${#missing[@]} -eq 0 ] && return 0
    install_packages "${missing[@]}" || die "missing packages ${missing[*]}"
}

# Installs those of the given optional packages that are missing, when it can;
# goes on without them otherwise.
want_packages() {
    local missing
    mapfile -t missing < <(missing_packages "$@")
    [ ${#missing[@]} -eq 0 ] && return 0
    install_packages "${missing[@]}" || say "going on without ${missing[*]}"
}

# build_tree DIR BUILD_TYPE [cmake options...]: configures (once) and builds.
build_tree() {
    local dir="$1" type="$2"
    shift 2
    say "Configuring $dir ($type)"
    cmake -S "$QUILLET_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null ||
        die "cmake configuration failed"
    say "Building $dir with $QUILLET_JOBS jobs"
    ninja -C "$dir" -j "$QUILLET_JOBS" || die "build failed"
}

# lpstat speaks the user's language; only its C-locale answer is checked.
cups_answers() { LC_ALL=C lpstat -r 2>/dev/null | grep -q "is running"; }

# The PPD that drives the cups-pdf backend; its folder differs between releases.
cups_pdf_ppd() {
    local ppd
    for ppd in /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/CUPS-PDF.ppd \
        /usr/share/cups/model/CUPS-PDF_opt.ppd /usr/share/cups/model/CUPS-PDF.ppd; do
        [ -f "$ppd" ] && { echo "$ppd"; return 0; }
    done
    find /usr/share/ppd /usr/share/cups/model -iname 'CUPS-PDF*.ppd*' 2>/dev/null | sort | head -n 1
}

# What the print set-up changed, undone by undo_print_setup: a scheduler we
# started, and as root the queue, its configuration and its output folder when
# they were not there before.
QUILLET_STARTED_CUPSD=""
QUILLET_ADDED_QUEUE=""
QUILLET_ADDED_FILES=()
QUILLET_SAVED_CONF=""

wait_for_cups() {
    local i
    for i in $(seq 1 60); do
        cups_answers && return 0
        sleep 0.5
    done
    return 1
}

# As root: the system's scheduler, started when none answers.
start_system_cupsd() {
    cups_answers && return 0
    command -v cupsd >/dev/null 2>&1 || { say "cupsd is not installed"; return 1; }
    say "Starting the CUPS scheduler"
    cupsd || { say "could not start cupsd"; return 1; }
    wait_for_cups || { say "cupsd did not come up"; return 1; }
    QUILLET_STARTED_CUPSD="$(cat /run/cups/cupsd.pid 2>/dev/null || pgrep -xo cupsd)"
}

# As root: the QuilletPDF queue on the cups-pdf backend, with its own cups-pdf
# configuration (the URI cups-pdf:/NAME makes the backend read
# cups-pdf-NAME.conf). Every job gets its job number in its file name, so two
# jobs with one title are two files. What is there already is used as it is.
add_system_pdf_queue() {
    local conf="/etc/cups/cups-pdf-$QUILLET_PDF_QUEUE.conf" wanted ppd
    wanted="$(printf '# Written by Quillet'"'"'s scripts/test for its print tests.\nOut %s\nLabel 1\nGrp lpadmin\n' \
        "$QUILLET_PDF_OUT")"
    if [ "$(cat "$conf" 2>/dev/null)" != "$wanted" ]; then
        if [ -e "$conf" ]; then
            QUILLET_SAVED_CONF="$(mktemp)" && cp -p "$conf" "$QUILLET_SAVED_CONF" || return 1
        else
            QUILLET_ADDED_FILES+=("$conf")
        fi
        printf '%s\n' "$wanted" >"$conf" || return 1
    fi
    if [ ! -d "$QUILLET_PDF_OUT" ]; then
        install -d -m 1777 "$QUILLET_PDF_OUT" || return 1
        QUILLET_ADDED_FILES+=("$QUILLET_PDF_OUT")
    fi
    lpstat -v "$QUILLET_PDF_QUEUE" >/dev/null 2>&1 && return 0
    ppd="$(cups_pdf_ppd)"
    [ -n "$ppd" ] || { say "no cups-pdf PPD found (printer-driver-cups-pdf)"; return 1; }
    lpadmin -p "$QUILLET_PDF_QUEUE" -E -v "cups-pdf:/$QUILLET_PDF_QUEUE" -P "$ppd" 2>/dev/null ||
        { say "lpadmin could not add $QUILLET_PDF_QUEUE"; return 1; }
    QUILLET_ADDED_QUEUE="$QUILLET_PDF_QUEUE"
}

# A queue that failed before may be stopped; print tests need it running.
ready_system_queue() {
    if LC_ALL=C lpstat -p "$QUILLET_PDF_QUEUE" 2>/dev/null | grep -q disabled; then
        cupsenable "$QUILLET_PDF_QUEUE" || return 1
    fi
    if LC_ALL=C lpstat -a "$QUILLET_PDF_QUEUE" 2>/dev/null | grep -q "not accepting"; then
        cupsaccept "$QUILLET_PDF_QUEUE" || return 1
    fi
}

# As an ordinary user: a scheduler of our own under DIR, with its own
# configuration, spool, logs and socket, run as this user; CUPS_SERVER points
# every CUPS client of this run (lpstat, lpadmin, the tests' print jobs) at it.
# Its queue hands each job, unchanged, to a small backend that writes it as
# DIR/out/TITLE-jobN.pdf. (The cups-pdf backend refuses to run without root, and
# ippeveprinter needs a DNS-SD daemon.)
start_private_cups() {
    local dir="$1" socket
    command -v cupsd >/dev/null 2>&1 || { say "cupsd is not installed"; return 1; }
    rm -rf "$dir" && mkdir -p "$dir"/{spool/tmp,cache,state,log,out,bin/backend} || return 1
    # A socket path must fit in 108 bytes.
    socket="$dir/cups.sock"
    if [ "${#socket}" -gt 100 ]; then
        socket="$(mktemp -d "${TMPDIR:-/tmp}/quillet-cups.XXXXXX")" || return 1
        QUILLET_ADDED_FILES+=("$socket")
        socket="$socket/cups.sock"
    fi
    local item
    for item in /usr/lib/cups/*; do
        [ "$(basename "$item")" = backend ] || ln -s "$item" "$dir/bin/"
    done
    cat >"$dir/bin/backend/quillet-pdf" <<'BACKEND'
#!/bin/sh
# CUPS backend: job-id user title copies options [file]; the device URI names the folder.
[ $# -eq 0 ] && { echo 'direct quillet-pdf "Unknown" "Quillet test output"'; exit 0; }
out="${DEVICE_URI#quillet-pdf:}"
dest="$out/$(printf '%s' "$3" | tr -c 'A-Za-z0-9._-' '_')-job$1.pdf"
if [ -n "$6" ]; then cat -- "$6"; else cat; fi >"$dest.part" && mv -- "$dest.part" "$dest"
BACKEND
    chmod 755 "$dir/bin/backend/quillet-pdf"
    cat >"$dir/cups-files.conf" <<CONF
User $(id -un)
Group $(id -gn)
SystemGroup $(id -gn)
ServerRoot $dir
ServerBin $dir/bin
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
CONF
    cat >"$dir/cupsd.conf" <<CONF
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
    Order deny,allow
  </Limit>
</Policy>
CONF
    say "Starting a private CUPS scheduler in $dir"
    cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" </dev/null >"$dir/log/cupsd.out" 2>&1 &
    QUILLET_STARTED_CUPSD=$!
    export CUPS_SERVER="$socket"
    wait_for_cups || { say "the private cupsd did not come up (see $dir/log)"; return 1; }
    # Raw: the PDF Qt sends reaches the backend as it is. CUPS calls raw queues
    # deprecated, which is all it says.
    lpadmin -p "$QUILLET_PDF_QUEUE" -E -v "quillet-pdf:$dir/out" -m raw 2>/dev/null ||
        { say "lpadmin could not add $QUILLET_PDF_QUEUE"; return 1; }
    QUILLET_PDF_OUT="$dir/out"
}

# Undoes what the print set-up changed, leaving the machine as we found it.
undo_print_setup() {
    if [ -n "$QUILLET_ADDED_QUEUE" ]; then
        # Our jobs' files and history go with the queue we added.
        cancel -a -x "$QUILLET_ADDED_QUEUE" 2>/dev/null || true
        lpadmin -x "$QUILLET_ADDED_QUEUE" 2>/dev/null || true
        QUILLET_ADDED_QUEUE=""
    fi
    if [ -n "$QUILLET_STARTED_CUPSD" ]; then
        say "Stopping the CUPS scheduler we started"
        kill "$QUILLET_STARTED_CUPSD" 2>/dev/null || true
        QUILLET_STARTED_CUPSD=""
    fi
    local item
    for item in "${QUILLET_ADDED_FILES[@]}"; do
        rm -rf -- "$item"
    done
    QUILLET_ADDED_FILES=()
    if [ -n "$QUILLET_SAVED_CONF" ]; then
        cp -p "$QUILLET_SAVED_CONF" "/etc/cups/cups-pdf-$QUILLET_PDF_QUEUE.conf" && rm -f "$QUILLET_SAVED_CONF"
        QUILLET_SAVED_CONF=""
    fi
}

queue_ready() { cups_answers && lpstat -v "$QUILLET_PDF_QUEUE" >/dev/null 2>&1; }

# Makes the PDF queue ready and tells the tests about it: as root on the system's
# scheduler, otherwise on a private one under BUILD_DIR/cups. Without one the
# print tests skip themselves, so this only warns.
prepare_print_queue() {
    local build_dir="$1"
    if is_root; then
        start_system_cupsd && add_system_pdf_queue && ready_system_queue
    else
        start_private_cups "$build_dir/cups"
    fi
    if queue_ready; then
        export QUILLET_TEST_PRINTER="$QUILLET_PDF_QUEUE"
        export QUILLET_TEST_PRINTER_OUT="$QUILLET_PDF_OUT"
        say "Print queue $QUILLET_PDF_QUEUE writes into $QUILLET_PDF_OUT"
    else
        say "no CUPS queue $QUILLET_PDF_QUEUE: the real print tests will be skipped"
    fi
}
