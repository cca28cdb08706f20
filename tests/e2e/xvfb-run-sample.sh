#!/usr/bin/env bash
# The real zelvyn program on a copy of the sample wizard, under an Xvfb of its own, clicked
# through with xdotool as a person would: the buttons, the check boxes and the options are
# found by their place in the wizard window (the place the definition gives them).
#
#   xvfb-run-sample.sh ZELVYN SAMPLES-FOLDER SampleInstalled|MissingDefinition
#
# SampleInstalled (the sample copied to a folder whose name holds a blank): Next, Next without
# the licence ticked (the box refuses; Return closes it), tick, Next, Next without a language
# (refused), English, Next, Install, Next, untick "open the README", Finish; then the files
# installed, the serial number read from the registry store and the exit status 0.
# MissingDefinition: -FP names no file: the error box appears, Return closes it, the exit
# status is 1.
#
# Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb or no xdotool on this machine).
# With ZV_E2E_SHOTS=folder (and ImageMagick's import), a screenshot of the screen per page.
set -euo pipefail

if [[ $# -ne 3 ]]; then
    echo "usage: $0 ZELVYN SAMPLES-FOLDER SampleInstalled|MissingDefinition" >&2
    exit 2
fi
zelvyn=$1
samples=$2
run=$3

for tool in Xvfb xdotool xdpyinfo; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed (scripts/install-deps installs xvfb, xdotool and x11-utils)"
        exit 77
    fi
done

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

# ---- the X server: Xvfb takes a free display number itself and writes it when it is ready.
# Servers started side by side (tests run in parallel) can still lose a display to each other,
# so the display must answer a client before it is used; else a new server is started.
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
# (WxH); waits up to 20 seconds.
find_window() {
    local id size
    for _ in $(seq 200); do
        for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null || true); do
            if [[ -n ${2:-} ]]; then
                size=$(xdotool getwindowgeometry "$id" | sed -n 's/^ *Geometry: //p')
                [[ $size == "$2" ]] && continue
            fi
            echo "$id"
            return 0
        done
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
    "$zelvyn" "$@" >"$work/zelvyn.log" 2>&1 &
    app_pid=$!
}
# Waits for the program to end; its exit status goes to $status.
finish() {
    status=0
    exited "$app_pid" || fail "zelvyn did not end"
    wait "$app_pid" || status=$?
    app_pid=
}

if [[ $run == MissingDefinition ]]; then
    start -FP "$work/nada/ZelVyn.par"
    # The error box, titled as the background form behind it, which fills the screen.
    box=$(find_window '^Vynnard$' 1024x768) || fail "no error box"
    shot box
    xdotool search --onlyvisible --name 'Instalação' >/dev/null 2>&1 && fail "a wizard window appeared"
    press_return "$box"
    finish
    [[ $status == 1 ]] || fail "exit status $status, not 1"
    echo "passed: the box for the missing definition, exit status 1"
    exit 0
fi

[[ $run == SampleInstalled ]] || fail "unknown run $run"

# ---- a copy of the sample in a folder with a blank (its path is one word after -FP), a serial
# number in the registry store, a destination with a blank.
sample="$work/a minha amostra"
cp -a "$samples/instalador" "$sample"
cat >"$ZELVYN_REGISTRY" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\SOFTWARE\ZelVyn\OlaZelVyn]
"NumeroSerie"="ZV-E2E-0001"
REG
dest="$work/os meus programas/Olá"
start -FP "$sample/ZelVyn.par" "DESTINO=$dest"

win=$(find_window '^Instalação do Olá ZelVyn$') || fail "no wizard window"
# Places in the window (pixels of its inside), as the definition puts them.
next=(495 455) install=(405 455) finish_button=(589 455)
licence_box=(197 380) english=(218 130) readme_box=(197 266)
click() {
    xdotool mousemove --window "$win" "$1" "$2" click 1
    sleep "${3:-0.5}"
}
sleep 0.5
shot 1-boas-vindas
click "${next[@]}"
shot 2-licenca
click "${next[@]}" 0.2
box=$(find_window '^Licença$') || fail "Next without the licence ticked showed no box"
shot 2-licenca-recusa
press_return "$box"
gone '^Licença$' || fail "the licence box stayed"
click "${licence_box[@]}"
click "${next[@]}"
shot 3-opcoes
click "${next[@]}" 0.2
box=$(find_window '^Opções$') || fail "Next without a language showed no box (not on the options page?)"
press_return "$box"
gone '^Opções$' || fail "the options box stayed"
click "${english[@]}"
click "${next[@]}"
shot 4-confirmar
click "${install[@]}" 0.2
for _ in $(seq 200); do
    [[ -f $dest/etc/ola-zelvyn.conf ]] && break
    sleep 0.1
done
[[ -f $dest/etc/ola-zelvyn.conf ]] || fail "Install wrote no configuration"
sleep 1
shot 4-instalado
click "${next[@]}"
shot 5-fim
click "${readme_box[@]}"
click "${finish_button[@]}" 0.1
finish
[[ $status == 0 ]] || fail "exit status $status, not 0"

# ---- what is on disk
expected=$'bin/configurar\nbin/ola-zelvyn\ndoc/LEIA-ME.txt\netc/ola-zelvyn.conf\nshare/mensagens.txt'
files=$(cd "$dest" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[[ $files == "$expected" ]] || fail "files installed:"$'\n'"$files"
cmp -s "$dest/share/mensagens.txt" "$samples/instalador/programa/share/mensagens.en" ||
    fail "share/mensagens.txt is not the English one"
[[ -x $dest/bin/ola-zelvyn ]] || fail "bin/ola-zelvyn is not executable"
conf=$(cat "$dest/etc/ola-zelvyn.conf")
want=$'# Olá ZelVyn: configuração escrita pelo instalador\npasta='"$dest"$'\nlingua=en\nserie=ZV-E2E-0001'
[[ $conf == "$want" ]] || fail "etc/ola-zelvyn.conf:"$'\n'"$conf"
greeting=$("$dest/bin/ola-zelvyn") || fail "the installed program failed"
[[ $greeting == Hello!* ]] || fail "the installed program does not greet in English: $greeting"
echo "passed: installed into $dest, exit status 0"
