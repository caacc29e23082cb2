#!/bin/sh
# Runs a test program under a private X server (Xvfb) with the openbox window
# manager, as a user's desktop would show it. Exits 77 (a skip) when either is
# missing; scripts/test installs them when it can (Debian xvfb, openbox).
for tool in Xvfb openbox; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is not installed (Debian packages xvfb and openbox)"
        exit 77
    fi
done
dir=$(mktemp -d "${TMPDIR:-/tmp}/quillet-x.XXXXXX") || exit 1
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
xvfb=$!
wm=""
finish() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$dir"
}
trap finish EXIT INT TERM
tries=0
while [ ! -s "$dir/display" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! kill -0 "$xvfb" 2>/dev/null; then
        echo "Xvfb did not start:"
        cat "$dir/xvfb.log"
        exit 1
    fi
    sleep 0.1
done
DISPLAY=":$(cat "$dir/display")"
export DISPLAY
# openbox keeps its own settings under the home folder: give it the temporary one.
HOME="$dir" XDG_CONFIG_HOME="$dir" openbox --sm-disable >"$dir/openbox.log" 2>&1 &
wm=$!
QT_QPA_PLATFORM=xcb "$@"
status=$?
if [ "$status" -ne 0 ] && [ -s "$dir/openbox.log" ]; then
    echo "openbox said:"
    cat "$dir/openbox.log"
fi
exit "$status"
