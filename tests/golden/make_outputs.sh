#!/usr/bin/env bash
# Writes every file the program produces for the designs of designs.tsv, plus
# the tables, into OUTDIR (one folder per design). The same script records the
# reference outputs and, in the test, the outputs to compare with them.
#   make_outputs.sh TAVREL_CLI OUTDIR
set -euo pipefail
cli="$(realpath "$1")"
out="$2"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$out"
out="$(realpath "$out")"
today=2026-06-01

run() {  # run DIR ARGS...: stdout, stderr and exit status into DIR/log.txt
  local dir="$1"; shift
  local rc=0
  (cd "$dir" && "$cli" --today "$today" "$@" >>stdout.txt 2>>stderr.txt) || rc=$?
  echo "$* -> $rc" >>"$dir/log.txt"
}

while IFS=$'\t' read -r name lang settings; do
  [[ -z "$name" || "$name" == \#* ]] && continue
  d="$out/$name"
  rm -rf "$d"; mkdir -p "$d"
  sets=()
  for kv in $settings; do sets+=(--set "$kv"); done
  g=(--lang "$lang" "${sets[@]}")
  # The recorded pictures and plots are those of the dials alone; the world
  # map over the planar dials has tests of its own.
  m=(--set mapOverlay=false)
  run "$d" "${g[@]}" "${m[@]}" plot --out plot.plt --coords coords.txt
  # The coordinates listing belongs to the planar dials: the other families
  # are plotted without it.
  [ -f "$d/plot.plt" ] || run "$d" "${g[@]}" "${m[@]}" plot --out plot.plt
  run "$d" "${g[@]}" "${m[@]}" plot --out plot.dxf
  run "$d" "${g[@]}" "${m[@]}" plot --out plot-grid-foot.plt --grid 10 --foot 700,450 --text 120,880 --zoom 1.5 --line-width 2
  run "$d" "${g[@]}" "${m[@]}" draw --out draw.svg
  run "$d" "${g[@]}" "${m[@]}" draw --out draw-a3.svg --a3 --foot 800,500 --grid
  run "$d" "${g[@]}" angles
  run "$d" "${g[@]}" info
  run "$d" "${g[@]}" settings --write settings.tav
done <"$here/designs.tsv"

t="$out/tables"
rm -rf "$t"; mkdir -p "$t"
for lang in de en; do
  for kind in eot eot-longitude declination transit eot-symmetric; do
    run "$t" --lang "$lang" table "$kind" --year 2027 --out "$kind-$lang.txt"
    run "$t" --lang "$lang" table "$kind" --year 2027 --out "$kind-$lang.csv"
  done
  run "$t" --lang "$lang" table riseset --year 2027 --month 3 --out "riseset-$lang.txt"
  run "$t" --lang "$lang" --set latitude=-34 table riseset --year 2027 --scope h2 --twilight nautical --out "riseset-h2-$lang.csv" --separator ','
  run "$t" --lang "$lang" calc riseset --date 2027-06-21
  run "$t" --lang "$lang" calc position --date 2027-03-01 --time 10:30:00 --timesys zone
  run "$t" --lang "$lang" calc azimuth --date 2027-10-01 --azimuth 30
done
