#!/usr/bin/env bash
# The installed bash completion against the built quillet-cli: verbs, a verb's
# options, label sheet names (when the catalogue is there) and no offer for a value.
#   check_completion.sh COMPLETION-FILE QUILLET-CLI
set -u
source "$1"
program=$2
failed=0

# complete WORD... EXPECTED: the offers for the last word, joined by "|", must be EXPECTED.
complete_words()
{
    local expected=${!#}
    COMP_WORDS=("$program" "${@:1:$#-1}")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _quillet_cli
    local offered
    offered=$(IFS='|'; echo "${COMPREPLY[*]}")
    if [[ $offered != "$expected" ]]; then
        echo "FAIL: ${*:1:$#-1}: offered '$offered', expected '$expected'" >&2
        failed=1
    fi
}

complete_words li "list"
complete_words help re "reminders|report|return-address"
complete_words labels F.DAT --co "--copies"
complete_words delete F.DAT 2 --if "--if-name"
complete_words labels F.DAT --copies "" ""
complete_words labels F.DAT --sort "" "first|last"
if "$program" sheets avery L7160 2>/dev/null | grep -q .; then
    complete_words labels F.DAT --sheet "Avery\\ L716" 'Avery\ L7160|Avery\ L7161|Avery\ L7162|Avery\ L7163|Avery\ L7164|Avery\ L7165|Avery\ L7169'
    complete_words labels F.DAT --sheet '"Avery L7160' "Avery L7160"
fi
exit $failed
