#!/usr/bin/env bash
# Builds the libFuzzer target of the settings reader with clang++ (address
# and undefined-behaviour sanitizers), compiling the few sources it needs
# directly, and runs it on one core on the corpus in
# tests/fuzz/settings_corpus.
#
# usage: tests/fuzz/run-settings-fuzz.sh [SECONDS] [BUILD_DIR] [-- extra libFuzzer flags]
#   SECONDS    run time, default 600
#   BUILD_DIR  default /tmp/build-tavrel-settings-fuzz
# New inputs go to BUILD_DIR/corpus (the checked-in corpus is only read);
# crashes to BUILD_DIR/artifacts. A corpus file is one byte of options
# (answers to the reader's questions, file name, language; see
# settings_reader_fuzz.cpp) followed by the settings file.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
seconds="${1:-600}"
build="${2:-/tmp/build-tavrel-settings-fuzz}"
shift $(( $# > 2 ? 2 : $# )) || true
[ "${1:-}" = "--" ] && shift

cxx="${CXX:-clang++}"
mkdir -p "$build/gen/resources" "$build/corpus" "$build/artifacts"

# The language tables, generated as the normal build does.
source "$here/fuzz-common.sh"
generate_language_tables "$cxx" "$root" "$build"

sources=(
  "$here/settings_reader_fuzz.cpp"
  "$root/core/settings_file.cpp" "$root/core/text_encoding.cpp" "$root/core/text_file.cpp"
  "$root/core/design_state.cpp" "$root/core/startup.cpp" "$root/core/platform.cpp"
  "$root/core/batch_platform.cpp" "$root/core/scripted_platform.cpp" "$root/core/language.cpp"
  "$root/astro/calendar.cpp" "$root/astro/solar_ephemeris.cpp"
  "$root/plot/number_text.cpp" "$root/plot/geometry.cpp"
  "$build/gen/resources/language_tables.cpp"
)
"$cxx" -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I "$root" -o "$build/settings_reader_fuzz" "${sources[@]}"

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
exec "$build/settings_reader_fuzz" "$build/corpus" "$here/settings_corpus" \
  -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=1024 \
  -artifact_prefix="$build/artifacts/" -print_final_stats=1 "$@"
