#!/usr/bin/env bash
# Builds one of the libFuzzer targets of the horizon profile with clang++
# (address and undefined-behaviour sanitizers), compiling the few sources
# it needs directly, and runs it on one core on its corpus:
#   asc  elevation_grid_fuzz.cpp  on tests/fuzz/asc_corpus (grid reader and computation)
#   ele  horizon_profile_fuzz.cpp on tests/fuzz/ele_corpus (profile-file reader)
#
# usage: tests/fuzz/run-horizon-fuzz.sh asc|ele [SECONDS] [BUILD_DIR] [-- extra libFuzzer flags]
#   SECONDS    run time, default 600
#   BUILD_DIR  default /tmp/build-tavrel-horizon-fuzz-TARGET
# New inputs go to BUILD_DIR/corpus (the checked-in corpus is only read);
# crashes to BUILD_DIR/artifacts. The checked-in corpora hold hand-made
# seeds and the inputs below 8 KB of a merged (-merge=1) run of 11 minutes.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
target="${1:?usage: run-horizon-fuzz.sh asc|ele [SECONDS] [BUILD_DIR]}"
seconds="${2:-600}"
build="${3:-/tmp/build-tavrel-horizon-fuzz-$target}"
shift $(( $# > 3 ? 3 : $# )) || true
[ "${1:-}" = "--" ] && shift

case "$target" in
  asc) main="$here/elevation_grid_fuzz.cpp"; corpus="$here/asc_corpus"; maxlen=60000 ;;
  ele) main="$here/horizon_profile_fuzz.cpp"; corpus="$here/ele_corpus"; maxlen=40000 ;;
  *) echo "unknown target $target" >&2; exit 2 ;;
esac

cxx="${CXX:-clang++}"
mkdir -p "$build/gen/resources" "$build/corpus" "$build/artifacts"

# The language tables, generated as the normal build does.
source "$here/fuzz-common.sh"
generate_language_tables "$cxx" "$root" "$build"

sources=(
  "$main"
  "$root/tables/elevation_grid.cpp" "$root/tables/horizon_calculation.cpp" "$root/tables/horizon_profile.cpp"
  "$root/core/text_encoding.cpp" "$root/core/text_file.cpp"
  "$root/core/design_state.cpp" "$root/core/platform.cpp" "$root/core/batch_platform.cpp" "$root/core/language.cpp"
  "$root/plot/number_text.cpp" "$root/plot/geometry.cpp"
  "$build/gen/resources/language_tables.cpp"
)
"$cxx" -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I "$root" -o "$build/horizon_fuzz" "${sources[@]}"

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
exec "$build/horizon_fuzz" "$build/corpus" "$corpus" \
  -max_total_time="$seconds" -max_len="$maxlen" -timeout=10 -rss_limit_mb=1024 \
  -artifact_prefix="$build/artifacts/" -print_final_stats=1 "$@"
