#!/usr/bin/env bash
# Runs form tests on X11: the test program under an Xvfb of its own (1024 x 768, no window
# manager), on Qt's xcb platform, so that placements go through a real X server.
#
#   xvfb-run-tests.sh TEST-PROGRAM GTEST-FILTER
#
# Exit status: the test program's; 77 skipped (no Xvfb or xdpyinfo on this machine).
set -euo pipefail

if [[ $# -ne 2 ]]; then
    echo "usage: $0 TEST-PROGRAM GTEST-FILTER" >&2
    exit 2
fi
program=$1
filter=$2

for tool in Xvfb xdpyinfo xwininfo; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed (scripts/install-deps installs xvfb and x11-utils)"
        exit 77
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/zelvyn-x11.XXXXXX")
xvfb_pid=
cleanup() {
    if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb takes a free display number itself and writes it when it is ready. Servers started side
# by side can still lose a display to each other, so the display must answer a client before it
# is used; else a new server is started.
start_xvfb() {
    : >"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [[ -s $work/display ]] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    [[ -s $work/display ]] || return 1
    DISPLAY=":$(head -n1 "$work/display")"
    for _ in $(seq 50); do
        kill -0 "$xvfb_pid" 2>/dev/null || return 1
        DISPLAY=$DISPLAY xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
started=
for _ in 1 2 3; do
    if start_xvfb; then
        started=1
        break
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
done
if [[ -z $started ]]; then
    echo "FAILED: Xvfb did not start: $(cat "$work/xvfb.log")" >&2
    exit 1
fi
export DISPLAY
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$work/xdg
mkdir -m 700 "$XDG_RUNTIME_DIR"

status=0
"$program" --gtest_filter="$filter" || status=$?
if [[ $status -ne 0 ]] && ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "  the X server on $DISPLAY has ended:" >&2
    sed 's/^/  Xvfb: /' "$work/xvfb.log" >&2
fi
exit "$status"
