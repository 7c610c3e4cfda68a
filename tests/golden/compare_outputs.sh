#!/usr/bin/env bash
# Regenerates every output of designs.tsv with the built tavrel-cli and
# compares it byte for byte with the recorded outputs in expected/.
# On a mismatch the actual outputs stay in ACTUALDIR and the first differing
# line of each differing file is printed.
#   compare_outputs.sh TAVREL_CLI ACTUALDIR
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
actual="$2"
rm -rf "$actual"
"$here/make_outputs.sh" "$1" "$actual" || { echo "make_outputs.sh failed"; exit 1; }
if [ ! -d "$here/expected" ]; then echo "no recorded outputs in $here/expected"; exit 1; fi
status=0
while IFS= read -r -d '' f; do
  rel="${f#$here/expected/}"
  if [ ! -f "$actual/$rel" ]; then echo "missing: $rel"; status=1; continue; fi
  if ! cmp -s "$f" "$actual/$rel"; then
    status=1
    echo "differs: $rel (actual kept in $actual/$rel)"
    diff <(tr '\r;' '\n\n' <"$f") <(tr '\r;' '\n\n' <"$actual/$rel") | head -6
  fi
done < <(find "$here/expected" -type f -print0 | sort -z)
while IFS= read -r -d '' f; do
  rel="${f#$actual/}"
  [ -f "$here/expected/$rel" ] || { echo "new output not recorded: $rel"; status=1; }
done < <(find "$actual" -type f -print0 | sort -z)
[ $status -eq 0 ] && echo "all outputs identical"
exit $status
