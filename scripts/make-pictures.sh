#!/usr/bin/env bash
# Draws the program's pictures into res/. The outputs are committed, so the
# build never needs ImageMagick; run this again only to change a picture.
#   keystride.ico     program icon: 16 and 48 px true colour, 32 px 16 colours
#   update.ico        the "Check for updates" icon, 16 px
#   jump.bmp          the Jump button's glyph, 16x16, 24 bits, BMP3
#   banner_main.jpg   main window title banner, stretched to client width x 50
#   banner_about.jpg  About window banner, 360x50
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/res"
# /usr/local/bin/convert may be a stand-in on the build machines.
im=/usr/bin/convert
[ -x "$im" ] || { echo "make-pictures: $im missing (bash scripts/setup.sh)" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Colours shared by all pictures.
outline='#0d2a4a'
top_face='#7fb3e6'
left_face='#2f6fb3'
right_face='#1b4a80'
arrow='#ffa31a'
arrow_edge='#5a2a00'
banner_left='#0c2748'
banner_right='#2a5b8e'
accent='#f39a1e'

# The program icon: a registry cube of 2x2x2 blocks with a jump arrow
# leaving it. Drawn large and scaled down; the 16 px one has its own
# drawing without the block lines, which would only blur at that size.
"$im" -size 256x256 xc:none \
  -stroke "$outline" -strokewidth 6 \
  -fill "$top_face" -draw "stroke-linejoin round polygon 108,14 200,64 108,114 16,64" \
  -fill "$left_face" -draw "stroke-linejoin round polygon 16,64 108,114 108,220 16,170" \
  -fill "$right_face" -draw "stroke-linejoin round polygon 108,114 200,64 200,170 108,220" \
  -stroke "$outline" -strokewidth 4 -fill none \
  -draw "line 62,39 154,89" -draw "line 154,39 62,89" \
  -draw "line 16,117 108,167" -draw "line 62,89 62,195" \
  -draw "line 108,167 200,117" -draw "line 154,89 154,195" \
  -stroke "$arrow_edge" -strokewidth 7 -fill "$arrow" \
  -draw "stroke-linejoin round polygon 116,166 184,166 184,136 242,192 184,248 184,218 116,218" \
  "$work/icon_large.png"

"$im" -size 256x256 xc:none \
  -stroke "$outline" -strokewidth 14 \
  -fill "$top_face" -draw "stroke-linejoin round polygon 104,16 200,64 104,112 8,64" \
  -fill "$left_face" -draw "stroke-linejoin round polygon 8,64 104,112 104,224 8,176" \
  -fill "$right_face" -draw "stroke-linejoin round polygon 104,112 200,64 200,176 104,224" \
  -stroke "$arrow_edge" -strokewidth 14 -fill "$arrow" \
  -draw "stroke-linejoin round polygon 104,160 168,160 168,120 240,184 168,248 168,208 104,208" \
  "$work/icon_small.png"

"$im" "$work/icon_small.png" -resize 16x16 "$work/icon16.png"
"$im" "$work/icon_large.png" -resize 48x48 "$work/icon48.png"
# The window icon is designed with 16 colours: a palette image with on/off
# transparency, which the icon writer stores at 4 bits per pixel.
"$im" "$work/icon16.png" \
  \( "$work/icon_large.png" -resize 32x32 -channel A -threshold 50% +channel \
     -dither None -colors 15 -type PaletteMatte \) \
  "$work/icon48.png" "$out/keystride.ico"

# The update icon sits on the dark banner: a green disc with a white arrow
# pointing down, outlined so it reads on any background.
"$im" -size 256x256 xc:none \
  -stroke '#0f3d14' -strokewidth 14 -fill '#3cb043' -draw "circle 128,128 128,12" \
  -stroke none -fill white \
  -draw "polygon 104,52 152,52 152,128 196,128 128,204 60,128 104,128" \
  -resize 16x16 "$out/update.ico"

# The Jump glyph: 24 bits have no transparency, so the background is the
# usual button face, and the bottom-left pixel holds that colour for code
# that keys the glyph out by it.
"$im" -size 256x256 xc:'#f0f0f0' \
  -stroke "$arrow_edge" -strokewidth 16 -fill "$arrow" \
  -draw "stroke-linejoin round polygon 20,84 120,84 120,28 240,128 120,228 120,172 20,172" \
  -resize 16x16 -type TrueColor "BMP3:$out/jump.bmp"

# Banners: a calm dark-blue gradient, light enough at the right for the
# white texts drawn over it, faint rings and an orange rule at the bottom.
banner() {  # width rings-centre-x output [extra draw arguments...]
  local width=$1 rings=$2 output=$3
  shift 3
  "$im" -size "50x$width" "gradient:$banner_left-$banner_right" -rotate -90 \
    \( -size "${width}x24" 'gradient:rgba(255,255,255,0.10)-rgba(255,255,255,0)' \
       -background none -extent "${width}x50" \) -composite \
    \( -size "${width}x50" xc:none -fill none -stroke 'rgba(255,255,255,0.09)' -strokewidth 1 \
       -draw "circle $rings,25 $rings,-45" -draw "circle $rings,25 $rings,-15" \
       -draw "circle $rings,25 $rings,12" \) -composite \
    "$@" \
    -fill "$accent" -stroke none -draw "rectangle 0,48 $width,49" \
    -strip -sampling-factor 1x1 -quality 92 "$output"
}
# The main window draws its icon, title and links over the left and right.
banner 530 350 "$out/banner_main.jpg"
banner 360 300 "$out/banner_about.jpg" \
  -font DejaVu-Sans-Bold -pointsize 20 -fill white -draw "text 20,31 'Keystride'" \
  -font DejaVu-Sans -pointsize 10 -fill '#c9dcf0' -draw "text 134,31 'by Korvel Software'"

echo "make-pictures: wrote keystride.ico update.ico jump.bmp banner_main.jpg banner_about.jpg"
