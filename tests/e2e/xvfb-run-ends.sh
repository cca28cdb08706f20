#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# The real zelvyn program under an Xvfb of its own, on definitions it cannot run to the end: the
# box it shows (found by its title, answered with the Return key), the line it writes on the
# standard error stream and its exit status.
#
#   xvfb-run-ends.sh ZELVYN SAMPLES-FOLDER RUN
#
# Runs ending with the definition error box ("Vynnard") and exit status 1: MissingDefinition,
# DefinitionFolder, DefinitionUnreadable (run as another user when the test runs as root),
# EmptyDefinition, BinaryDefinition, HeaderOnly, NoPageZone, ScriptError. StartFailure: a
# control's position overflows, both start attempts fail naming the page, the control and the
# key, the question to try again ("ZelVyn") is answered No: exit status 1. MissingPage: Next goes
# to a page that does not exist: the run ends at once with exit status 0 and a line naming it.
#
# Exit status: 0 passed, 1 failed, 77 skipped (no Xvfb or no xdotool on this machine).
set -euo pipefail

usage_run=RUN
# shellcheck source=xvfb-common.sh
source "$(dirname "$0")/xvfb-common.sh" "$@"

# The five header lines every parameter file begins with.
header() {
    printf "'Nome       : %s\n'Tipo       : vyn\n'Data       : 2026/12/09\n" "$1"
    printf "'Versao     : 1.0\n'Descricao  : teste\n"
}
# A definition: the header, then the zones given on the standard input.
definition() {
    local name
    name=$(basename "$1")
    {
        header "$name"
        cat
    } >"$1"
}
# The window zone (400 x 300) and one page, UM, of a definition.
window_of_one_page() {
    cat <<'PAR'
#DEF:IDE - janela
Título                [TitVyn]=Assistente de teste
Largura               [DimX]=400
Altura                [DimY]=300
##
#PAG:IDE - página
Id                    [IDE]=UM
##
PAR
}
# The output holds a line matching the extended regular expression.
said() {
    grep -Eq -- "$1" "$work/zelvyn.log" || fail "no line matching: $1"
}
# Runs the program on a definition: the box titled $2 appears (and no wizard window), Return
# answers it, the exit status is 1.
ends_with_box() {
    local file=$1 title=$2 box
    start -FP "$file"
    box=$(find_window "^$title\$" 1024x768) || fail "no box titled $title"
    shot box
    xdotool search --onlyvisible --name '^Assistente de teste$' >/dev/null 2>&1 &&
        fail "a wizard window appeared"
    press_return "$box"
    finish
    [[ $status == 1 ]] || fail "exit status $status, not 1"
}

def=$work/ZelVyn.par
case $run in
MissingDefinition)
    def=$work/nada/ZelVyn.par
    ends_with_box "$def" Vynnard
    said "^zelvyn: Não foi encontrado o ficheiro de opções\. Ficheiro: $def\$"
    ;;
DefinitionFolder)
    mkdir "$def"
    ends_with_box "$def" Vynnard
    said "^zelvyn: Não é possível ler o ficheiro de opções: é uma pasta\. Ficheiro: $def\$"
    ;;
DefinitionUnreadable)
    printf '#PAG:IDE - p\nId [IDE]=UM\n##\n' | definition "$def"
    chmod 000 "$def"
    if [[ $(id -u) -eq 0 ]]; then
        # As root every file can be read: the program runs as nobody, in surroundings of its own.
        command -v setpriv >/dev/null || {
            echo "SKIPPED: setpriv is not installed"
            exit 77
        }
        chmod 755 "$work"
        mkdir -p "$work/nobody"
        chown 65534:65534 "$work/nobody"
        export HOME=$work/nobody XDG_RUNTIME_DIR=$work/nobody/xdg XDG_DATA_HOME=$work/nobody/share
        export ZELVYN_REGISTRY=$work/nobody/registry.reg
        setpriv --reuid=65534 --regid=65534 --clear-groups mkdir -m 700 "$XDG_RUNTIME_DIR"
        as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    fi
    ends_with_box "$def" Vynnard
    said "^zelvyn: Não é possível ler o ficheiro de opções: não tem permissão para o ler\. Ficheiro: $def\$"
    ;;
EmptyDefinition)
    : >"$def"
    ends_with_box "$def" Vynnard
    said "^zelvyn: O ficheiro de opções está vazio\. Ficheiro: $def\$"
    ;;
BinaryDefinition)
    cp "$samples/instalador/imagens/fundo.png" "$def"
    ends_with_box "$def" Vynnard
    said "^zelvyn: O ficheiro de opções não tem zonas: não é a definição de um assistente\."
    ;;
HeaderOnly)
    printf 'Só texto livre, sem zonas.\n' | definition "$def"
    ends_with_box "$def" Vynnard
    said "^zelvyn: O ficheiro de opções não tem zonas: não é a definição de um assistente\."
    ;;
NoPageZone)
    definition "$def" <<'PAR'
#DEF:IDE - janela
Título                [TitVyn]=Assistente de teste
##
#VBS:TX - código
Sub FxIni
End Sub
##
PAR
    ends_with_box "$def" Vynnard
    said '^zelvyn: O ficheiro de opções não define nenhuma página \(zona "PAG"\)\.'
    ;;
ScriptError)
    definition "$def" <<'PAR'
#DEF:IDE - janela
Título                [TitVyn]=Assistente de teste
##
#VBS:TX - código com um parêntese por fechar na sua segunda linha
' um comentário, que o código carregado não tem
Sub FxIni
  x = (1
End Sub
##
#PAG:IDE - página
Id                    [IDE]=UM
##
PAR
    ends_with_box "$def" Vynnard
    said '^zelvyn: O código do assistente \(zona "VBS"\) tem um erro e não pode ser carregado\. Erro [0-9]+: .+ Linha 2, coluna [0-9]+ do código: x = \(1 Ficheiro: '
    ;;
StartFailure)
    {
        window_of_one_page
        cat <<'PAR'
#CMP:IDE - um rótulo longe de mais
Tipo                  [Tip]=LAB
Nome                  [Ide]=laLonge
Posição               [Pos]=99999999999, 10
Texto                 [Txt]=Olá
##
PAR
    } | definition "$def"
    # Both attempts fail (no component installer beside the program); the second asks.
    ends_with_box "$def" ZelVyn
    place='\(página 1 "UM", controlo 1 "laLonge", chave "Pos"\)'
    said "^zelvyn: a tentativa 1 de iniciar o assistente falhou: erro 6: .+ $place\$"
    said "^zelvyn: a tentativa 2 de iniciar o assistente falhou: erro 6: .+ $place\$"
    ;;
MissingPage)
    {
        window_of_one_page
        cat <<'PAR'
#TRA:IDE - Seguinte: para uma página que não existe
Botão                 [IDE]=SEG
Legenda               [DES]=Seguinte >
Posição               [POS]=20, 20
Acção                 [TRATIP]=PAG
Página                [TRAPAG]=NADA
##
PAR
    } | definition "$def"
    start -FP "$def"
    win=$(find_window '^Assistente de teste$') || fail "no wizard window"
    sleep 0.5
    xdotool mousemove --window "$win" 40 30 click 1
    finish
    [[ $status == 0 ]] || fail "exit status $status, not 0"
    said '^zelvyn: a página "NADA" não existe \(botão Seguinte da página 1 "UM"\): o assistente termina$'
    ;;
*)
    fail "unknown run $run"
    ;;
esac
echo "passed: $run, exit status $status"
