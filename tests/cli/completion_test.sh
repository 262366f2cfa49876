#!/usr/bin/env bash
# The bash completion of korvane-cli, loaded as bash-completion loads it, against the program
# just built: each case is the words typed so far and what must be offered (| between them).
# Usage: completion_test.sh CLI_FOLDER COMPLETION_SCRIPT     (skipped without bash-completion)
set -uo pipefail
[ -f /usr/share/bash-completion/bash_completion ] || { echo "bash-completion is missing"; exit 77; }
cli_folder=$1 script=$2
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
# A custom category with blanks in its name: completion reads the same settings file.
export KORVANE_SETTINGS=$settings/Tabrivo.ini
"$cli_folder/korvane-cli" custom add-category 'my money' >/dev/null
"$cli_folder/korvane-cli" custom add-unit 'my money' 'euro coin' 1 >/dev/null

offered() {
    PATH="$cli_folder:$PATH" bash -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        COMP_LINE="${COMP_WORDS[*]}"; COMP_POINT=${#COMP_LINE}
        _korvane_cli korvane-cli "" ""
        IFS="|"; echo "${COMPREPLY[*]}"' _ "$script" "$@"
}

failures=0
check() {
    local expected=$1; shift
    local got
    got=$(offered "$@")
    if [ "$got" != "$expected" ]; then
        echo "after: $*"; echo "  expected: $expected"; echo "  offered:  $got"
        failures=$((failures + 1))
    fi
}

check 'convert|categories|custom' korvane-cli c
check 'scientific' korvane-cli convert --format s
check 'Volume|Volume\ \(Dry\)' korvane-cli units Volume
check 'degree\ Celsius' korvane-cli convert 1 "'degree C"
check 'kilometer' korvane-cli convert --category Distance 1 kilom
check 'my\ money' korvane-cli custom remove-unit my
check 'Euro\ coin' korvane-cli custom remove-unit "'my money'" Eu
check '' korvane-cli --no-settings custom remove-unit my
exit $((failures > 0))
