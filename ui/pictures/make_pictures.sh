#!/usr/bin/env bash
# Regenerates the built-in pictures of the program (JPEG, compiled in):
# 105 and 106, the start pictures, and 1105, 1106, 3000..3023, the dial
# pictures of the picture strip, the slide show and the dial-type window.
#
# A dial picture is Tavrel's own drawing of that dial (tavrel-cli draw)
# when the command can construct the family; until then the family gets a
# neutral drawing of a dial face in its own tint.
#
#   ui/pictures/make_pictures.sh [path/to/tavrel-cli]
set -euo pipefail
cd "$(dirname "$0")"
CLI="${1:-../../build/cli/tavrel-cli}"
PY=/usr/bin/python3
command -v convert >/dev/null || { echo "make_pictures: ImageMagick 'convert' is needed" >&2; exit 1; }

# picture  settings for tavrel-cli (foot=X,Y: the gnomon foot, default 400,300)  tint of the neutral drawing
PICTURES=(
  "1105|dialKind=h|#b07a2a"
  "1106|dialKind=v wallDeclination=0|#b07a2a"
  "3000|dialKind=v|#b07a2a"
  "3019|dialKind=v wallDeclination=-35|#b07a2a"
  "3001|dialKind=v umbrellaMode=true|#7a5aa8"
  "3002|dialKind=i umbrellaMode=true|#7a5aa8"
  "3003|dialKind=a azimuthDialKind=0 azimuthBasePlate=50|#2a7ab0"
  "3009|dialKind=a azimuthDialKind=1 azimuthHeightMode=1 azimuthBasePlate=50|#2a7ab0"
  "3015|dialKind=a azimuthDialKind=1 azimuthHeightMode=2 azimuthBasePlate=50|#2a7ab0"
  "3020|dialKind=p otherHourInterval=3|#2a7ab0"
  "3004|dialKind=q quadrantVariant=0|#3a8a4a"
  "3010|dialKind=q quadrantVariant=1 habermelGnomonLength=70.6 dateLineMode=2 otherHoursFrom=12|#3a8a4a"
  "3011|dialKind=q quadrantVariant=2 habermelGnomonLength=35 dateLineMode=2 otherHoursFrom=12|#3a8a4a"
  "3022|dialKind=q quadrantVariant=0 zodiacScale=2 includeAzimuthLines=false|#3a8a4a"
  "3023|dialKind=q quadrantVariant=1 constructionWithEot=true habermelGnomonLength=70.6 dateLineMode=2 otherHoursFrom=12|#3a8a4a"
  "3005|dialKind=z cylinderVariant=0|#a84a3a"
  "3012|dialKind=z cylinderVariant=1|#a84a3a"
  "3013|dialKind=z cylinderVariant=2|#a84a3a"
  "3014|dialKind=z cylinderVariant=1|#a84a3a"
  "3006|dialKind=k|#8a6a2a"
  "3007|dialKind=r|#4a4a8a"
  "3017|dialKind=r wholeYearQuadrant=true|#4a4a8a"
  "3018|dialKind=r ringRayDeflection=2|#4a4a8a"
  "3008|dialKind=m otherHourInterval=1 otherHoursFrom=7 otherHoursTo=17|#6a8a2a"
  "3016|dialKind=c latitude2=40.42 longitude2=3.70 drawingScale=25 constructionWithEot=true eotLinesFrom=12 eotLinesTo=12|#6a8a2a"
  "3021|dialKind=w latitude=48 otherHourInterval=1 sawyerTimeMode=0 sawyerMeanStraight=false cylinderWithEot=false foot=400,175|#6a8a2a"
)

# A neutral dial face: the arc of a horizontal dial with its hour lines.
neutral() {  # number tint
  local draw
  draw=$("$PY" - "$2" <<'PYEOF'
import math, sys
tint = sys.argv[1]
cx, cy, r = 200, 250, 170
parts = [f"stroke '{tint}' stroke-width 3 fill none",
         f"arc {cx-r},{cy-r} {cx+r},{cy+r} 180,360"]
for h in range(-6, 7):
    a = math.radians(h * 15)
    x, y = cx + r * math.sin(a), cy - r * math.cos(a)
    w = 3 if h % 3 == 0 else 1
    parts.append(f"stroke-width {w} line {cx},{cy} {x:.1f},{y:.1f}")
parts.append(f"stroke-width 2 fill '{tint}' polygon {cx-6},{cy} {cx+6},{cy} {cx},{cy-70}")
print(" ".join(parts))
PYEOF
)
  convert -size 400x300 xc:'#f4f0e6' -draw "$draw" -quality 88 "$1.jpg"
}

for entry in "${PICTURES[@]}"; do
  IFS='|' read -r number settings tint <<<"$entry"
  made=no
  if [ -x "$CLI" ]; then
    args=()
    foot=400,300
    for s in $settings; do
      case "$s" in foot=*) foot=${s#foot=} ;; *) args+=(--set "$s") ;; esac
    done
    tmp=$(mktemp --suffix=.svg)
    # A family the command cannot construct yet comes back as an empty
    # page: a drawing needs lines (elements, or the segments of the one
    # path a pen's lines are joined into).
    if "$CLI" --lang en --today 2024-06-21 "${args[@]}" draw --out "$tmp" --size 800x600 \
          --foot "$foot" >/dev/null 2>&1 \
        && [ "$(grep -o '<line\|<polyline\|<polygon\| L[0-9-]' "$tmp" | wc -l)" -ge 10 ] \
        && convert -density 96 "$tmp" -background white -flatten -resize 400x300 \
             -quality 88 "$number.jpg" 2>/dev/null; then
      made=yes
    fi
    rm -f "$tmp"
  fi
  [ "$made" = yes ] || neutral "$number" "$tint"
  echo "$number.jpg: $([ "$made" = yes ] && echo drawn by tavrel-cli || echo neutral)"
done

# The start pictures: a sky with the sun over a dial face, and the same at dusk.
start_picture() {  # number top bottom sun
  local draw
  draw=$("$PY" <<'PYEOF'
import math
cx, cy, r = 400, 520, 300
parts = ["stroke '#3b3426' stroke-width 4 fill '#e9dfc8'",
         f"polygon {cx-r},{cy} {cx+r},{cy} {cx+r-40},{cy+30} {cx-r+40},{cy+30}",
         "stroke '#5a4d36' stroke-width 3 fill none",
         f"arc {cx-r},{cy-r//2} {cx+r},{cy+r//2} 180,360"]
for h in range(-6, 7):
    a = math.radians(h * 15)
    x, y = cx + r * math.sin(a), cy - r / 2 * math.cos(a)
    parts.append(f"stroke-width {3 if h % 3 == 0 else 1} line {cx},{cy} {x:.1f},{y:.1f}")
parts.append(f"stroke-width 2 fill '#5a4d36' polygon {cx-8},{cy} {cx+8},{cy} {cx},{cy-150}")
print(" ".join(parts))
PYEOF
)
  convert -size 800x600 gradient:"$2"-"$3" \
    -fill "$4" -stroke none -draw "circle 620,140 620,200" \
    -draw "$draw" \
    -fill '#3b3426' -font DejaVu-Serif-Bold -pointsize 64 -annotate +40+90 'Tavrel' \
    -quality 88 "$1.jpg"
  echo "$1.jpg: start picture"
}
start_picture 105 '#9cc8ef' '#f6f1de' '#ffd23f'
start_picture 106 '#f2b26b' '#f7ead0' '#ff8a2a'
