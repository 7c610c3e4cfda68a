#!/usr/bin/env bash
# The drawing and table windows of the real program on a virtual X
# display: screenshots, the printed page of the default dial (PDF through
# the printer, and a PNG of it), the gnomon scale bar measured on that
# page, and the time of a zoom step as the user sees it.
#
#   ui/tools/work_window_shots.sh [BUILD_DIR] [DOCS_DIR]
set -euo pipefail
BUILD_DIR="$(cd "${1:-build}" && pwd)"
DOCS_DIR="$(mkdir -p "${2:-docs}" && cd "${2:-docs}" && pwd)"
PROBE="$BUILD_DIR/ui/tavrel_work_window_probe"
[ -x "$PROBE" ] || { echo "work_window_shots: $PROBE not built" >&2; exit 1; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$XDG_RUNTIME_DIR" "$DOCS_DIR/screenshots" && chmod 700 "$XDG_RUNTIME_DIR"
cd "$WORK"
run() { xvfb-run -a -s "-screen 0 1600x1000x24" "$PROBE" "$@" 2>/dev/null; }

run drawing "$DOCS_DIR/screenshots/drawing_window_en.png" en
run table "$DOCS_DIR/screenshots/table_window_en.png" en
run calculator "$DOCS_DIR/screenshots/calculator_window_en.png" en
echo "$DOCS_DIR/screenshots/drawing_window_en.png"
echo "$DOCS_DIR/screenshots/table_window_en.png"
echo "$DOCS_DIR/screenshots/calculator_window_en.png"

# The printed page: 100 pixels per inch for the picture, 254 (a pixel is
# 0.1 mm) for the measurement.
run print "$WORK/page.pdf" en
pdftoppm -r 100 -png -singlefile "$WORK/page.pdf" "$DOCS_DIR/drawing-window-print"
echo "$DOCS_DIR/drawing-window-print.png"
pdfinfo "$WORK/page.pdf" | grep -E "Pages|Page size"
pdftoppm -r 254 -gray -singlefile "$WORK/page.pdf" "$WORK/page"
/usr/bin/python3 - "$WORK/page.pgm" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
magic, w, h, maxv, pix = data.split(maxsplit=4)
w, h = int(w), int(h)
# The upright strokes of the gnomon scale bar, 2 mm above its horizontal
# stroke (85 units above the frame's bottom at 2050).
y = 2100 - 50 - 85 - 20
row = pix[y * w:(y + 1) * w]
runs, start = [], None
for x in range(0, 700):
    dark = row[x] < 160
    if dark and start is None: start = x
    if not dark and start is not None: runs.append((start + x - 1) / 2); start = None
print("page %dx%d pixels at 254 ppi; scale bar strokes at x = %s; gnomon on paper %.2f mm"
      % (w, h, runs[:2], (runs[1] - runs[0]) / 10))
PY

run zoom 41
