# bash completion for tavrel-cli.
#
# Commands, options and their choices are read from the program's own help
# (`tavrel-cli --help`, `tavrel-cli COMMAND --help`) and the field names
# of --set from `tavrel-cli show`, so the completion always matches the
# program it completes. In a help text, a synopsis line starts with two
# blanks and a description line with sixteen or more (a line that starts
# with "[" before the description continues the synopsis); "--opt a|b|c" offers
# the choices a, b and c, "--opt F.svg|F.png" (or FILE) file names, and a
# description "KIND: a, b, c" the choices of a command's first argument.

# The synopsis of a help text: the term of each entry and the lines that
# continue it, without the descriptions.
_tavrel_cli_synopsis() {
  awk 'NF && /^  [^ ]/ { line = substr($0, 3); described = sub(/  +[^ ].*$/, "", line)
                         print line; next }
       NF { match($0, /^ */); rest = substr($0, RLENGTH + 1)
            if (RLENGTH < 16 || (!described && rest ~ /^\[/)) print; else described = 1 }'
}

# "--opt FORM" pairs of a synopsis, one per line; an option without an
# argument has an empty FORM. "[--zone|--local]" gives two options.
_tavrel_cli_options() {
  tr -d '[]' | tr ' ' '\n' | awk '
    /^--/ { if (opt != "") print opt; n = split($0, alt, "|"); for (i = 1; i < n; ++i) print alt[i]
            opt = alt[n]; next }
    NF && opt != "" { print opt " " $0; opt = ""; next }
    { opt = "" }
    END { if (opt != "") print opt }'
}

# The choices a FORM offers ("de|en" -> "de en"); empty for names of files
# and for values to type (FILE, F.svg|F.png, WxH, YYYY-MM-DD, N).
_tavrel_cli_choices() {
  case $1 in
    *[A-Z]*|'') return ;;
    *'|'*) tr '|' '\n' <<<"$1" | tr -d "'" ;;
  esac
}

# The words a description lists after "NAME:" ("KIND: eot, riseset,
# position (needs --time), azimuth"): the first word of each item, up to
# an item that opens a bracket it does not close.
_tavrel_cli_listed() {
  tr '\n' ' ' | awk -v name="$1" '{
    at = index($0, name ": "); if (!at) exit
    n = split(substr($0, at + length(name) + 2), item, ",")
    for (i = 1; i <= n; ++i) {
      split(item[i], word, " "); print word[1]
      if (gsub(/\(/, "(", item[i]) > gsub(/\)/, ")", item[i])) exit
    }
  }'
}

_tavrel_cli_wants_file() {
  case $1 in
    *FILE*|F.*|*'|F'*) return 0 ;;
  esac
  return 1
}

# The value of an option whose FORM is $1, completing $2: file names or
# the FORM's choices. False when the option takes no value.
_tavrel_cli_value() {
  [[ -n $1 ]] || return 1
  if _tavrel_cli_wants_file "$1"; then
    COMPREPLY=($(compgen -f -- "$2"))
  else
    COMPREPLY=($(compgen -W "$(_tavrel_cli_choices "$1")" -- "$2"))
  fi
  return 0
}

_tavrel_cli() {
  local prog=${COMP_WORDS[0]} cur=${COMP_WORDS[COMP_CWORD]}
  local prev=${COMP_WORDS[COMP_CWORD - 1]}
  local help global_forms command= form i w
  COMPREPLY=()
  help=$("$prog" --help 2>/dev/null) || return
  global_forms=$(sed -n '/^Global options/,/^$/p' <<<"$help" | _tavrel_cli_synopsis | _tavrel_cli_options)

  # The command is the first word that is neither a global option nor its value.
  for ((i = 1; i < COMP_CWORD; ++i)); do
    w=${COMP_WORDS[i]}
    if [[ $w == -* ]]; then
      form=$(awk -v o="$w" '$1 == o { print $2 }' <<<"$global_forms")
      [[ -n $form ]] && ((++i))
      continue
    fi
    command=$w
    break
  done

  if [[ -z $command ]]; then
    form=$(awk -v o="$prev" '$1 == o { print $2 }' <<<"$global_forms")
    if [[ $prev == --set ]]; then
      local fields
      fields=$("$prog" show 2>/dev/null | sed -n 's/^\([A-Za-z][A-Za-z0-9]*\(\[[0-9]*\]\)\{0,1\}\)=.*/\1=/p')
      COMPREPLY=($(compgen -W "$fields" -- "$cur"))
      compopt -o nospace 2>/dev/null
      return
    fi
    [[ $prev == -* ]] && _tavrel_cli_value "$form" "$cur" && return
    if [[ $cur == -* ]]; then
      COMPREPLY=($(compgen -W "$(cut -d' ' -f1 <<<"$global_forms") --help" -- "$cur"))
    else
      local commands
      commands=$(sed -n '/^Commands/,/^$/p' <<<"$help" | awk '/^  [^ ]/ { print $1 }')
      COMPREPLY=($(compgen -W "$commands" -- "$cur"))
    fi
    return
  fi

  local command_help synopsis forms
  command_help=$("$prog" "$command" --help 2>/dev/null) || return
  synopsis=$(tail -n +2 <<<"$command_help" | sed -n '/^  [^ ]/,/^$/p' | _tavrel_cli_synopsis)
  forms=$(_tavrel_cli_options <<<"$synopsis")

  if [[ $prev == -* ]]; then
    form=$(awk -v o="$prev" '$1 == o { print $2 }' <<<"$forms")
    _tavrel_cli_value "$form" "$cur" && return
  fi
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$(cut -d' ' -f1 <<<"$forms") --help" -- "$cur"))
    return
  fi
  # The first argument of a command: "eot|sunpath-polar|..." in the
  # synopsis, or "KIND: a, b, c" in the description.
  local first positional=
  first=$(awk 'NR == 1 { print $2 }' <<<"$synopsis")
  for ((i = i + 1; i < COMP_CWORD; ++i)); do
    [[ ${COMP_WORDS[i]} != -* && ${COMP_WORDS[i - 1]} != -* ]] && positional=1
  done
  if [[ -z $positional ]]; then
    local choices=
    if [[ $first != -* ]]; then
      choices=$(_tavrel_cli_choices "$first")
      [[ -z $choices ]] && choices=$(_tavrel_cli_listed "$first" <<<"$command_help")
    fi
    if [[ -n $choices ]]; then
      COMPREPLY=($(compgen -W "$choices" -- "$cur"))
      return
    fi
  fi
  COMPREPLY=($(compgen -f -- "$cur"))
}

complete -F _tavrel_cli tavrel-cli
