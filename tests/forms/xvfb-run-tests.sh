#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# Runs form tests on X11: the test program under an Xvfb of its own (1024 x 768, no window
# manager), on Qt's xcb platform, so that placements go through a real X server (the tests ask
# it with xwininfo where a window is).
#
#   xvfb-run-tests.sh TEST-PROGRAM GTEST-FILTER
#
# Exit status: the test program's; 77 skipped (no Xvfb or X utilities on this machine).
set -euo pipefail

if [[ $# -ne 2 ]]; then
    echo "usage: $0 TEST-PROGRAM GTEST-FILTER" >&2
    exit 2
fi
zelvyn=$1
run=x11
filter=$2

# shellcheck source=../e2e/xvfb-common.sh
source "$(dirname "$0")/../e2e/xvfb-common.sh"

status=0
"$zelvyn" --gtest_filter="$filter" || status=$?
if [[ $status -ne 0 ]] && ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "  the X server on $DISPLAY has ended:" >&2
    sed 's/^/  Xvfb: /' "$work/xvfb.log" >&2
fi
exit "$status"
