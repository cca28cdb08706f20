# shellcheck shell=bash
# Shared by the scripts that run the real zelvyn program under an Xvfb of its own: sourced after
# they set $zelvyn (the program) and $run (the name of the run), or, by a script that sets
# $usage_run (how its usage line names the run), with its arguments ZELVYN SAMPLES-FOLDER RUN,
# from which it sets $zelvyn, $samples and $run (exit 2 when they are not three). It checks the
# tools (exit 77 when one is missing), makes the work folder $work (removed on exit, with the
# program and the server stopped), starts the server and exports DISPLAY and the person's
# surroundings (a home, a runtime folder and a registry store of the run's own), and offers:
#   fail MESSAGE          reports a failure with the program's output and ends (exit 1)
#   shot NAME             with ZV_E2E_SHOTS=folder (and ImageMagick's import), a screenshot
#   find_window RE [WxH]  the first visible window whose name matches, of another size than WxH
#   gone RE               waits until no visible window's name matches
#   press_return WINDOW   answers a message box with its default button
#   start ARGS...         starts the program, its output (both streams) into $work/zelvyn.log;
#                         as_user=(setpriv ...) runs it through that command
#   finish                waits for the program to end; its exit status into $status

if [[ -n ${usage_run:-} ]]; then
    if [[ $# -ne 3 ]]; then
        echo "usage: $0 ZELVYN SAMPLES-FOLDER $usage_run" >&2
        exit 2
    fi
    # shellcheck disable=SC2034 # samples is for the script that sources this one
    zelvyn=$1 samples=$2 run=$3
fi

for tool in Xvfb xdotool xdpyinfo flock; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed (scripts/install-deps installs xvfb, xdotool and x11-utils)"
        exit 77
    fi
done

as_user=()
work=$(mktemp -d "${TMPDIR:-/tmp}/zelvyn-e2e.XXXXXX")
xvfb_pid=
app_pid=
cleanup() {
    if [[ -n $app_pid ]]; then kill "$app_pid" 2>/dev/null || true; fi
    if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    if [[ -s $work/zelvyn.log ]]; then sed 's/^/  zelvyn: /' "$work/zelvyn.log" >&2; fi
    if [[ -n $xvfb_pid ]] && ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "  the X server on ${DISPLAY:-its display} has ended:" >&2
        sed 's/^/  Xvfb: /' "$work/xvfb.log" >&2
    fi
    exit 1
}

# ---- the X server, on a display number of its own. Servers that pick a free number themselves
# (-displayfd alone) race when tests run side by side: one can take over or unlink another's
# socket after that one was checked. So each run claims a number with a lock of its own (held
# by this shell, released when it ends) before its server asks X's own lock for that number;
# the server writes the number on fd 3 once it answers clients. -noreset: by default the server
# resets when its last client leaves, and a client that connects during that reset (the program,
# right after the readiness check's client left) is refused.
claim_display() {
    local n lock
    for ((n = 20 + $$ % 50; n < 420; n++)); do
        lock=${TMPDIR:-/tmp}/zelvyn-e2e-display-$n.lock
        exec {display_lock}>>"$lock" || continue
        if flock -n "$display_lock"; then
            if [[ ! -e /tmp/.X$n-lock && ! -e /tmp/.X11-unix/X$n ]]; then
                display_number=$n
                return 0
            fi
        fi
        exec {display_lock}>&-
    done
    return 1
}
start_xvfb() {
    claim_display || return 1
    : >"$work/display"
    Xvfb ":$display_number" -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
        3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [[ -s $work/display ]] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    [[ -s $work/display ]] || return 1
    DISPLAY=":$display_number"
    for _ in $(seq 50); do
        kill -0 "$xvfb_pid" 2>/dev/null || return 1
        DISPLAY=$DISPLAY xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
started=
for _ in 1 2 3 4 5; do
    if start_xvfb; then
        started=1
        break
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
    # Keep the failed number claimed, so that the next try takes another.
done
[[ -n $started ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY

# ---- the person's surroundings: a home, a runtime folder and a registry store of the test's own.
export HOME=$work/home
export XDG_RUNTIME_DIR=$work/xdg
export XDG_DATA_HOME=$HOME/.local/share
export ZELVYN_REGISTRY=$work/registry.reg
export QT_QPA_PLATFORM=xcb
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"

shot() {
    if [[ -n ${ZV_E2E_SHOTS:-} ]] && command -v import >/dev/null; then
        mkdir -p "$ZV_E2E_SHOTS"
        import -window root "$ZV_E2E_SHOTS/$run-$1.png"
    fi
}

# The first visible window whose name matches $1 and, when $2 is given, whose size is not $2
# (WxH); waits up to 20 seconds, and no longer than the program runs.
find_window() {
    local id size ended
    for _ in $(seq 200); do
        ended=
        [[ -n $app_pid ]] && ! kill -0 "$app_pid" 2>/dev/null && ended=1
        for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null || true); do
            if [[ -n ${2:-} ]]; then
                size=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/^ *Geometry: //p')
                [[ -z $size || $size == "$2" ]] && continue
            fi
            echo "$id"
            return 0
        done
        [[ -n $ended ]] && return 1
        sleep 0.1
    done
    return 1
}
gone() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}
# Answers a message box with the Return key (its default button).
press_return() {
    timeout 10 xdotool windowfocus --sync "$1" key Return || fail "could not press Return on a box"
}
exited() {
    for _ in $(seq "${2:-150}"); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

start() {
    "${as_user[@]}" "$zelvyn" "$@" >"$work/zelvyn.log" 2>&1 &
    app_pid=$!
}
# Waits for the program to end; its exit status goes to $status.
finish() {
    status=0
    exited "$app_pid" || fail "zelvyn did not end"
    wait "$app_pid" || status=$?
    app_pid=
}
