#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# The real zelvyn program on a copy of the sample wizard, under an Xvfb of its own, clicked
# through with xdotool as a person would: the buttons, the check boxes and the options are
# found by their place in the wizard window (the place the definition gives them).
#
#   xvfb-run-sample.sh ZELVYN SAMPLES-FOLDER SampleInstalled
#
# SampleInstalled (the sample copied to a folder whose name holds a blank): Next, Next without
# the licence ticked (the box refuses; Return closes it), tick, Next, Next without a language
# (refused), English, Next, Install, Next, untick "open the README", Finish; then the files
# installed, the serial number read from the registry store and the exit status 0.
#
# Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb or no xdotool on this machine).
# With ZV_E2E_SHOTS=folder (and ImageMagick's import), a screenshot of the screen per page.
set -euo pipefail

usage_run=SampleInstalled
# shellcheck source=xvfb-common.sh
source "$(dirname "$0")/xvfb-common.sh" "$@"

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
