#!/usr/bin/env bash
# Screenshots of the real program on a virtual X display: the main window
# with the dial-type window open, in German and in English.
#
#   ui/tools/screenshots.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
BUILD_DIR="$(cd "${1:-build}" && pwd)"
OUT_DIR="$(mkdir -p "${2:-docs/screenshots}" && cd "${2:-docs/screenshots}" && pwd)"
PROBE="$BUILD_DIR/ui/tavrel_ui_probe"
[ -x "$PROBE" ] || { echo "screenshots: $PROBE not built" >&2; exit 1; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cd "$WORK"
for lang in de en; do
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$PROBE" screenshot "$OUT_DIR/main_window_dial_type_$lang.png" "$lang" dialtype 2>/dev/null
  echo "$OUT_DIR/main_window_dial_type_$lang.png"
done
