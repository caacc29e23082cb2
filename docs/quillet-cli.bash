# bash completion for quillet-cli: its verbs, each verb's options (read from the
# verb's help, so they are never out of date), label sheet names after --sheet, and
# file names elsewhere.

# The options of a verb, one a line, "=" after those that take a value.
_quillet_cli_options()
{
    "$1" help "$2" 2>/dev/null | awk '
        /^ +--?[a-zA-Z]/ {
            line = $0
            sub(/^ +/, "", line)
            value = (line ~ /^(-[a-zA-Z], )?--[a-z0-9-]+ [^ ]/)
            n = split(line, parts, /[ ,]+/)
            for (i = 1; i <= n && parts[i] ~ /^-/; i++)
                print parts[i] (value ? "=" : "")
        }'
}

_quillet_cli()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local program=${COMP_WORDS[0]} verb="" i
    for ((i = 1; i < COMP_CWORD; i++)); do
        if [[ ${COMP_WORDS[i]} != -* ]]; then
            verb=${COMP_WORDS[i]}
            break
        fi
    done
    local verbs
    verbs=$("$program" --help 2>/dev/null | sed -n 's/^  \([a-z][a-z-]*\)  .*/\1/p')
    if [[ -z $verb || $verb == help ]]; then
        [[ -z $verb ]] && verbs+=$'\nhelp\n--help\n--version'
        COMPREPLY=($(compgen -W "$verbs" -- "$cur"))
        return
    fi

    local IFS=$'\n'
    case $prev in
    --sheet)
        # Names hold a space: typed as "Avery L or Avery\ L, offered to match.
        local typed=${cur//\\ / }
        typed=${typed#[\"\']}
        COMPREPLY=($(compgen -W "$("$program" sheets 2>/dev/null | sed 's/  .*//')" -- "$typed"))
        [[ $cur == [\"\']* ]] || COMPREPLY=("${COMPREPLY[@]// /\\ }")
        return
        ;;
    --search | -s)
        compopt -o nospace
        COMPREPLY=($(compgen -W $'first=\nlast=\ncity=\nstate=\nzip=\nemail=\ncategory=' -- "$cur"))
        return
        ;;
    --sort)
        COMPREPLY=($(compgen -W $'first\nlast' -- "$cur"))
        return
        ;;
    --envelope | -e)
        COMPREPLY=($(compgen -W $'1\n2\n3\n4\n5\n6\n7' -- "$cur"))
        return
        ;;
    --printer | -p)
        COMPREPLY=($(compgen -W "$(lpstat -e 2>/dev/null)" -- "$cur"))
        return
        ;;
    --pdf | --output | -o)
        compopt -o filenames
        COMPREPLY=($(compgen -f -- "$cur"))
        return
        ;;
    esac

    local options
    options=$(_quillet_cli_options "$program" "$verb")
    # Any other option that takes a value: nothing to offer for it.
    if [[ $prev == -* ]] && grep -qx -- "$prev=" <<<"$options"; then
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(sed 's/=$//' <<<"$options")" -- "$cur"))
        return
    fi
    compopt -o filenames
    COMPREPLY=($(compgen -f -- "$cur"))
}

complete -F _quillet_cli quillet-cli
