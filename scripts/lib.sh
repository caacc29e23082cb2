# Shared by scripts/run, scripts/test and .ci/run: finding the source tree,
# installing the Debian packages the build needs, building, and a CUPS queue
# that writes PDFs for the print tests. Sourced, never run on its own.

QUILLET_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QUILLET_JOBS="${QUILLET_JOBS:-2}"

# The packages a build and a full test run need.
QUILLET_BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev fonts-liberation2 libbenchmark-dev)
QUILLET_TEST_PACKAGES=(cups printer-driver-cups-pdf poppler-utils)
# The label sheet catalogue list labels can be printed on (the built-in sheet works without it).
QUILLET_RUN_PACKAGES=(glabels-data)

# The PDF-writing queue of the print tests, and where it puts its PDFs. The
# queue's own cups-pdf configuration keeps our output apart from the user's.
QUILLET_PDF_QUEUE=QuilletPDF
QUILLET_PDF_OUT=/var/spool/cups-pdf/QuilletPDF

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

# Installs those of the given Debian packages that are missing.
ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        package_installed "$pkg" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    command -v apt-get >/dev/null 2>&1 || die "missing packages ${missing[*]}, and no apt-get to install them"
    can_be_root || die "missing packages ${missing[*]}: install them as root (apt-get install ${missing[*]})"
    say "Installing ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q ||
        die "apt-get update failed"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" ||
        die "apt-get install failed"
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

cups_answers() { lpstat -r 2>/dev/null | grep -q "is running"; }

# The PPD that drives the cups-pdf backend; its folder differs between releases.
cups_pdf_ppd() {
    local ppd
    for ppd in /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/CUPS-PDF.ppd \
        /usr/share/cups/model/CUPS-PDF_opt.ppd /usr/share/cups/model/CUPS-PDF.ppd; do
        [ -f "$ppd" ] && { echo "$ppd"; return 0; }
    done
    find /usr/share/ppd /usr/share/cups/model -iname 'CUPS-PDF*.ppd*' 2>/dev/null | sort | head -n 1
}

QUILLET_STARTED_CUPSD=""

# Starts a CUPS scheduler when none answers and waits until it does.
start_cupsd() {
    cups_answers && return 0
    command -v cupsd >/dev/null 2>&1 || { say "cupsd is not installed"; return 1; }
    say "Starting the CUPS scheduler"
    as_root cupsd || { say "could not start cupsd (needs root)"; return 1; }
    local i
    for i in $(seq 1 60); do
        if cups_answers; then
            QUILLET_STARTED_CUPSD="$(cat /run/cups/cupsd.pid 2>/dev/null || pgrep -xo cupsd)"
            return 0
        fi
        sleep 0.5
    done
    say "cupsd did not come up"
    return 1
}

# Stops the scheduler start_cupsd started, leaving the machine as we found it.
stop_started_cupsd() {
    [ -n "$QUILLET_STARTED_CUPSD" ] || return 0
    say "Stopping the CUPS scheduler we started"
    as_root kill "$QUILLET_STARTED_CUPSD" 2>/dev/null || true
    QUILLET_STARTED_CUPSD=""
}

# Adds (or refreshes) the QuilletPDF queue on the cups-pdf backend, with its own
# cups-pdf configuration: the URI cups-pdf:/NAME makes the backend read
# cups-pdf-NAME.conf. Every job gets its job number in its file name, so two
# jobs with one title are two files.
add_pdf_queue() {
    local ppd
    ppd="$(cups_pdf_ppd)"
    [ -n "$ppd" ] || { say "no cups-pdf PPD found"; return 1; }
    as_root sh -c "cat > /etc/cups/cups-pdf-$QUILLET_PDF_QUEUE.conf" <<CONF || return 1
# Written by Quillet's scripts/test for its print tests.
Out $QUILLET_PDF_OUT
Label 1
Grp lpadmin
CONF
    as_root install -d -m 1777 "$QUILLET_PDF_OUT" || return 1
    as_root lpadmin -p "$QUILLET_PDF_QUEUE" -E -v "cups-pdf:/$QUILLET_PDF_QUEUE" -P "$ppd" 2>/dev/null ||
        { say "lpadmin could not add $QUILLET_PDF_QUEUE"; return 1; }
    # A queue that failed before may be stopped; print tests need it running.
    as_root cupsenable "$QUILLET_PDF_QUEUE" 2>/dev/null || true
    as_root cupsaccept "$QUILLET_PDF_QUEUE" 2>/dev/null || true
}

queue_ready() { cups_answers && lpstat -v "$QUILLET_PDF_QUEUE" >/dev/null 2>&1; }

# Makes the PDF queue ready and tells the tests about it. Without root a queue
# that is already there is used as it is; without one the print tests skip
# themselves, so this only warns.
prepare_print_queue() {
    if can_be_root; then
        start_cupsd && add_pdf_queue
    fi
    if queue_ready; then
        export QUILLET_TEST_PRINTER="$QUILLET_PDF_QUEUE"
        export QUILLET_TEST_PRINTER_OUT="$QUILLET_PDF_OUT"
        say "Print queue $QUILLET_PDF_QUEUE writes into $QUILLET_PDF_OUT"
    else
        say "no CUPS queue $QUILLET_PDF_QUEUE (it needs root to set up): the real print tests will be skipped"
    fi
}
