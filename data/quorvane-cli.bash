# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for quorvane-cli. The commands, each command's options and
# the design keys are read from the program's own --help, so a new command
# completes without a change here; only the values of a few options are named.

# The lines of one command's entries in the help text $1 ("" for the list of names).
_quorvane_cli_entry() {
    awk -v want="$2" <<<"$1" '
        /^Commands:/ { on = 1; next }
        /^[^ ]/ { on = 0 }
        on && /^  [a-z]/ { name = $1; if (want == "") print name }
        on && want != "" && name == want'
}

_quorvane_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} help entry words
    COMPREPLY=()
    # The program as typed, else the one on the PATH (a typed "~/bin/..." is not expanded here).
    help=$("${COMP_WORDS[0]}" --help 2>/dev/null || quorvane-cli --help 2>/dev/null) || return
    if [ "$COMP_CWORD" -eq 1 ]; then
        COMPREPLY=($(compgen -W "$(_quorvane_cli_entry "$help" | uniq) help --help --version" -- "$cur"))
        return
    fi
    case "$prev" in
        -o|--from) compopt -o filenames 2>/dev/null; COMPREPLY=($(compgen -f -- "$cur")); return ;;
        --paper) COMPREPLY=($(compgen -W "a4 letter a3 tabloid plotter" -- "$cur")); return ;;
        --format) COMPREPLY=($(compgen -W "pdf svg dxf" -- "$cur")); return ;;
        --diameters) COMPREPLY=($(compgen -W "inside outside" -- "$cur")); return ;;
        --bend-layout) COMPREPLY=($(compgen -W "pieces blank" -- "$cur")); return ;;
    esac
    case "${COMP_WORDS[1]}" in
        convert)
            [ "$COMP_CWORD" -eq 2 ] && COMPREPLY=($(compgen -W "c-to-f f-to-c kw-to-hp hp-to-kw mm-to-inch inch-to-mm" -- "$cur"))
            return ;;
        cone)
            [ "$COMP_CWORD" -eq 2 ] && COMPREPLY=($(compgen -W "from-angle from-side from-centre" -- "$cur"))
            return ;;
    esac
    entry=$(_quorvane_cli_entry "$help" "${COMP_WORDS[1]}")
    # Every option the entry names, and the design keys (listed under chamber) where it takes KEY=TEXT.
    words=$(awk '{ for (i = 1; i <= NF; i++) { w = $i; gsub(/^\[+|[],.]+$/, "", w); if (w ~ /^--?[a-z][a-z0-9-]*$/) print w } }' <<<"$entry" | sort -u)
    if [[ $entry == *KEY=TEXT* ]]; then
        words="$words $(awk '/^ +Keys:/ { keys = 1; sub(/^ +Keys:/, "") } keys && !/^ +[a-zA-Z]+( [a-zA-Z]+)*$/ { keys = 0 } keys { for (i = 1; i <= NF; i++) print $i "=" }' <<<"$help")"
    fi
    COMPREPLY=($(compgen -W "$words" -- "$cur"))
    if [[ $entry == *FILE* && $cur != -* ]]; then
        compopt -o filenames 2>/dev/null
        COMPREPLY+=($(compgen -f -- "$cur"))
    fi
    # A finished option takes its space; a key= waits for its value.
    if [ "${#COMPREPLY[@]}" -eq 1 ] && [[ ${COMPREPLY[0]} == *= ]]; then
        compopt -o nospace 2>/dev/null
    fi
}
complete -F _quorvane_cli quorvane-cli
