#!/usr/bin/env bash
# The bash completion of tavrel-cli (packaging/tavrel-cli.bash), driven as
# bash drives it: COMP_WORDS and COMP_CWORD set, the completion function
# called, COMPREPLY read. The expected words are the commands, options and
# choices the command-line documentation names, written out here rather
# than read from the program the completion reads.
#
#   completion_test.sh TAVREL_CLI COMPLETION_SCRIPT
set -uo pipefail
cli=$(realpath "$1")
script=$(realpath "$2")
dir=$(mktemp -d "${TMPDIR:-/tmp}/tavrel-completion.XXXXXX")
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/bin" "$dir/files"
ln -s "$cli" "$dir/bin/tavrel-cli"
touch "$dir/files/wall.tav" "$dir/files/dial.plt"
export PATH="$dir/bin:$PATH" HOME="$dir"
cd "$dir/files" || exit 1
# shellcheck source=/dev/null
source "$script"

# The completions of a command line; its last word (after the last blank)
# is the one being completed.
completions() {
  local line=$1
  local -a words
  read -ra words <<<"$line"
  [[ $line == *' ' ]] && words+=("")
  COMP_WORDS=("${words[@]}")
  COMP_CWORD=$((${#words[@]} - 1))
  COMPREPLY=()
  _tavrel_cli
  printf '%s\n' "${COMPREPLY[@]}"
}

# line | words that must be offered | words that must not be offered
# ("-" for none; "=" for "nothing at all is offered").
cases=(
  "tavrel-cli |angles calc draw graph horizon hpgl2dxf info plot settings show sun table|--out draw.svg"
  "tavrel-cli dr|draw|plot"
  "tavrel-cli --l|--lang|--data draw"
  "tavrel-cli --lang |de en|draw"
  "tavrel-cli --answer |yes no|draw"
  "tavrel-cli --lang en d|draw|de"
  "tavrel-cli --data wall.tav --answer yes s|settings show sun|yes"
  "tavrel-cli --set lat|latitude= latitude2=|longitude="
  "tavrel-cli --set colors|colors[0]= colors[11]=|colors="
  "tavrel-cli --data |wall.tav dial.plt|draw"
  "tavrel-cli draw --|--out --size --a3 --zoom --foot --text --grid --help|--lang --data"
  "tavrel-cli --lang en draw --s|--size --second|--set"
  "tavrel-cli draw --out |wall.tav dial.plt|--out"
  "tavrel-cli table |riseset eot eot-longitude declination transit eot-symmetric|default text"
  "tavrel-cli table --twilight |civil nautical astronomical|riseset"
  "tavrel-cli table --scope |month h1 h2|-"
  "tavrel-cli table eot --year |=|-"
  "tavrel-cli table eot --|--year --month --out --separator --twilight|riseset"
  "tavrel-cli graph |eot sunpath-polar sunpath-cartesian|-"
  "tavrel-cli graph eot --zo|--zone|--local"
  "tavrel-cli calc |eot riseset position azimuth|needs"
  "tavrel-cli calc position --timesys |apparent mean zone|-"
  "tavrel-cli plot --line-width |1 2 3|-"
  "tavrel-cli plot --|--out --line-width --coords --grid --foot --text --zoom|--lang"
  "tavrel-cli hpgl2dxf |dial.plt wall.tav|-"
)

failures=0
for c in "${cases[@]}"; do
  IFS='|' read -r line want avoid <<<"$c"
  got=$(completions "$line" | sort)
  problem=""
  if [[ $want == "=" ]]; then
    [[ -z $got ]] || problem="expected nothing"
  else
    for w in $want; do grep -qxF -- "$w" <<<"$got" || problem+=" missing $w;"; done
  fi
  if [[ $avoid != "-" ]]; then
    for w in $avoid; do grep -qxF -- "$w" <<<"$got" && problem+=" unexpected $w;"; done
  fi
  if [[ -n $problem ]]; then
    echo "FAIL '$line':$problem offered: $(tr '\n' ' ' <<<"$got")"
    failures=$((failures + 1))
  else
    echo "ok   '$line'"
  fi
done
echo "$failures of ${#cases[@]} cases failed"
[[ $failures -eq 0 ]]
