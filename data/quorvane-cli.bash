# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for quorvane-cli
_quorvane_cli() {
    local cur prev commands keys
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}
    commands="chamber flatcone save templates timing reverse port-width segment-area port-area area-to-diameter port-timing bmep convert cone help"
    keys="timing= RPM= temp= heats= gasConstant= portWindowD= portLength= portFlangeD= portToPipe= portToMid= portToOutlet= hornCoefficient="
    if [ "$COMP_CWORD" -eq 1 ]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi
    case "$prev" in
        -o|--from) COMPREPLY=($(compgen -f -- "$cur")); return ;;
        --paper) COMPREPLY=($(compgen -W "a4 letter a3 tabloid plotter" -- "$cur")); return ;;
        --format) COMPREPLY=($(compgen -W "pdf svg dxf" -- "$cur")); return ;;
    esac
    case "${COMP_WORDS[1]}" in
        reverse)
            COMPREPLY=($(compgen -W "--length --timing --temp --rpm --heats --gas-constant --json" -- "$cur")) ;;
        chamber|save|flatcone|templates|timing)
            local options="--straight-header"
            case "${COMP_WORDS[1]}" in
                chamber) options="$options --json" ;;
                timing) options="$options --transfer --rpm --json" ;;
                save) options="--from" ;;
                flatcone) options="$options --batch --thickness" ;;
                templates) options="$options --thickness --cone --only --format -o --paper --overlap --pieces --seam-allowance --roll-lines --mid-thickness" ;;
            esac
            COMPREPLY=($(compgen -W "$keys $options" -- "$cur") $(compgen -f -- "$cur"))
            compopt -o nospace 2>/dev/null
            ;;
        convert)
            [ "$COMP_CWORD" -eq 2 ] && COMPREPLY=($(compgen -W "c-to-f f-to-c kw-to-hp hp-to-kw mm-to-inch inch-to-mm" -- "$cur")) ;;
        cone)
            [ "$COMP_CWORD" -eq 2 ] && COMPREPLY=($(compgen -W "from-angle from-side from-centre" -- "$cur")) ;;
        port-area)
            COMPREPLY=($(compgen -W "--r1 --k1 --r2 --k2 --segment-radius --segment-height" -- "$cur")) ;;
    esac
}
complete -F _quorvane_cli quorvane-cli
