#!/usr/bin/env bash
# Start-up time of the desktop program: from launching the process to the
# first paint of the main window, measured with tavrel_ui_probe (the same
# start-up as tavrel, boxes answered by the probe) on a virtual X display.
#
#   ui/tools/measure_startup.sh [BUILD_DIR] [RUNS]
#
# Runs in a fresh folder twice: without "tav.ini" (first start) and with
# the "tav.ini" a first start leaves behind when the user lets it be made.
# Prints the median, minimum and maximum of RUNS starts for each.
set -euo pipefail
BUILD_DIR="$(cd "${1:-build}" && pwd)"
RUNS="${2:-15}"
PROBE="$BUILD_DIR/ui/tavrel_ui_probe"
[ -x "$PROBE" ] || { echo "measure_startup: $PROBE not built" >&2; exit 1; }

DISPLAY_NUMBER=$((90 + RANDOM % 100))
Xvfb ":$DISPLAY_NUMBER" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
WORK=$(mktemp -d)
trap 'kill $XVFB 2>/dev/null; rm -rf "$WORK"' EXIT
export DISPLAY=":$DISPLAY_NUMBER"
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

measure() {  # label
  local times=()
  "$PROBE" startup "$(date +%s%N)" >/dev/null 2>&1 || true  # warm the file cache
  for _ in $(seq "$RUNS"); do
    local t
    t=$("$PROBE" startup "$(date +%s%N)" 2>/dev/null | awk '/shown_after_launch_ms/ {print $2}')
    times+=("$t")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk -v label="$1" -v n="$RUNS" '
    { v[NR] = $1 }
    END { printf "%-28s median %6.1f ms   min %6.1f ms   max %6.1f ms   (%d starts)\n",
          label, (n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2), v[1], v[n], n }'
}

cd "$WORK"
measure "without tav.ini"
# A settings file as the program writes it: the probe answers No to the
# question, so write it through the batch front end when that can.
if [ -x "$BUILD_DIR/cli/tavrel-cli" ] && "$BUILD_DIR/cli/tavrel-cli" settings --write tav.ini >/dev/null 2>&1; then
  measure "with tav.ini"
fi
