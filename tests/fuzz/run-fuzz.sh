#!/usr/bin/env bash
# Builds one libFuzzer harness of tests/fuzz with clang++ (the CMake option
# TAVREL_FUZZ: libFuzzer, address and undefined-behaviour sanitizers) and
# runs it, niced, on one core, starting from its seed corpus.
#
# usage: tests/fuzz/run-fuzz.sh NAME [MINUTES] [BUILD_DIR] [-- extra libFuzzer flags]
#   NAME       settings_reader, construction_data, ham_file, outline_tools,
#              elevation_grid, horizon_profile, hpgl2dxf or cli_set
#              (NAME_fuzz.cpp says what an input is)
#   MINUTES    run time, default 10
#   BUILD_DIR  default /tmp/build-tavrel-fuzz
# New inputs go to BUILD_DIR/corpus/NAME (the checked-in NAME_corpus is only
# read), crashes to BUILD_DIR/artifacts/NAME/. The statistics at the end
# give the inputs executed and the peak memory. An input that runs longer
# than FUZZ_TIMEOUT seconds (default 30; raise it on a busy machine, the
# fuzzer runs niced) counts as a hang.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
name="${1:?usage: run-fuzz.sh NAME [MINUTES] [BUILD_DIR] [-- libFuzzer flags]}"
minutes="${2:-10}"
build="${3:-/tmp/build-tavrel-fuzz}"
shift $(( $# > 3 ? 3 : $# )) || true
[ "${1:-}" = "--" ] && shift

# The longest input tried: enough for the structures of each format; the
# file size caps of the readers are tested elsewhere.
case "$name" in
  settings_reader|construction_data|ham_file) max_len=8192 ;;
  outline_tools) max_len=16384 ;;
  elevation_grid) max_len=60000 ;;
  horizon_profile) max_len=40000 ;;
  hpgl2dxf) max_len=20000 ;;
  cli_set) max_len=1024 ;;
  *) echo "run-fuzz.sh: unknown harness '$name'" >&2; exit 2 ;;
esac

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" \
    -DTAVREL_FUZZ=ON -DTAVREL_BUILD_TESTS=OFF -DTAVREL_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target "${name}_fuzz" -j "${FUZZ_JOBS:-2}"

mkdir -p "$build/corpus/$name" "$build/artifacts/$name"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
exec nice -n 19 "$build/tests/fuzz/${name}_fuzz" "$build/corpus/$name" "$here/${name}_corpus" \
  -max_total_time=$(( minutes * 60 )) -max_len="$max_len" -timeout="${FUZZ_TIMEOUT:-30}" -rss_limit_mb=2048 \
  -artifact_prefix="$build/artifacts/$name/" -print_final_stats=1 "$@"
