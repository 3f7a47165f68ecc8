# bash completion for vesta-cli. The commands and their options are read from the program's own
# help (`vesta-cli help`, `vesta-cli help COMMAND`), so they follow the program as it changes.

_vesta_cli_commands() {
  "$1" help 2>/dev/null | sed -n 's/^  vesta-cli \([a-z][a-z-]*\).*/\1/p'
}

_vesta_cli_options() {
  "$1" help "$2" 2>/dev/null | grep -o -- '--[a-z][a-z-]*' | sort -u
  # Every command shows its help with --help.
  echo --help
}

_vesta_cli() {
  local cur prev program=$1
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  if [ "$COMP_CWORD" -eq 1 ]; then
    mapfile -t COMPREPLY < <(compgen -W "$(_vesta_cli_commands "$program") --help --version" -- "$cur")
    return
  fi
  local command=${COMP_WORDS[1]}
  case $command in
    help)
      [ "$COMP_CWORD" -eq 2 ] &&
        mapfile -t COMPREPLY < <(compgen -W "$(_vesta_cli_commands "$program")" -- "$cur")
      return ;;
    receive)
      if [ "$COMP_CWORD" -eq 2 ]; then
        mapfile -t COMPREPLY < <(compgen -W "patch performance rhythm system patch-bank \
performance-bank rhythm-bank global" -- "$cur")
        return
      fi ;;
  esac
  case $prev in
    # Options that take a value other than a file: nothing sensible to offer.
    --number | --device | --retries | --seed | --factor | --element | --no-tone | --from | \
      --to | --name | --include | --exclude | --kinds)
      return ;;
    --port | --in | --out)
      local IFS=$'\n'
      mapfile -t COMPREPLY < <(compgen -W "$("$program" ports 2>/dev/null | sed -n 's/^  //p' |
        sort -u)" -- "$cur")
      return ;;
  esac
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$(_vesta_cli_options "$program" "$command")" -- "$cur")
    return
  fi
  # Everything else is a file: folders and the sound files first, any file when none matches.
  local had_extglob=0
  shopt -q extglob && had_extglob=1
  shopt -s extglob
  mapfile -t COMPREPLY < <(compgen -d -- "$cur"
    compgen -f -X '!*.@([Ss][Yy][Xx]|[Gg][Ll][Bb]|[Ll][Ii][Bb])' -- "$cur")
  [ $had_extglob -eq 1 ] || shopt -u extglob
  [ ${#COMPREPLY[@]} -eq 0 ] && mapfile -t COMPREPLY < <(compgen -f -- "$cur")
  compopt -o filenames 2>/dev/null
}

complete -F _vesta_cli vesta-cli
