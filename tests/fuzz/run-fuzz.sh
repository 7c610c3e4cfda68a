#!/usr/bin/env bash
# Builds the libFuzzer target of the HPGL-to-DXF converter with clang
# (address and undefined-behaviour sanitizers) in its own build folder and
# runs it on the corpus in tests/fuzz/corpus.
#
# usage: tests/fuzz/run-fuzz.sh [SECONDS] [BUILD_DIR] [-- extra libFuzzer flags]
#   SECONDS    run time, default 600
#   BUILD_DIR  default /tmp/build-tavrel-fuzz
# New inputs found go to BUILD_DIR/corpus (the checked-in corpus is only
# read); crashes to BUILD_DIR/artifacts. A corpus file is one byte of
# options (line-width choice and scale, see hpgl2dxf_fuzz.cpp) followed by
# the plot file.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
seconds="${1:-600}"
build="${2:-/tmp/build-tavrel-fuzz}"
shift $(( $# > 2 ? 2 : $# )) || true
[ "${1:-}" = "--" ] && shift

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
  -DTAVREL_FUZZ=ON -DTAVREL_BUILD_TESTS=ON -DTAVREL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target hpgl2dxf_fuzz -j "${FUZZ_JOBS:-1}"

mkdir -p "$build/corpus" "$build/artifacts"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
exec "$build/tests/dxf/hpgl2dxf_fuzz" "$build/corpus" "$here/corpus" \
  -max_total_time="$seconds" -max_len=20000 -timeout=10 -rss_limit_mb=1024 \
  -artifact_prefix="$build/artifacts/" -print_final_stats=1 "$@"
