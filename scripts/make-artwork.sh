#!/usr/bin/env bash
# Draws the dialog program's artwork with ImageMagick:
#   kolt_info.ico  the application icon: 32x32 and 16x16 images, 16 colours, transparent corners
#   banner.bmp     the 350x70 banner of the main dialog: 8-bit palette, uncompressed BMP3, showing
#                  the product name and the maker's web domain
# Usage: scripts/make-artwork.sh [web domain] [output folder]
# The defaults are the build's default branding and gui/res (the committed artwork). A build
# configured with another web domain runs this itself and draws into its build tree. The output depends only on the
# arguments, the fonts and the ImageMagick version, so re-running it leaves the files unchanged.
set -euo pipefail

domain=${1:-www.kolt.example}
repo=$(cd "$(dirname "$0")/.." && pwd)
out=${2:-$repo/gui/res}

if command -v magick >/dev/null 2>&1; then
    im=(magick)
elif command -v convert >/dev/null 2>&1; then
    im=(convert)
else
    echo "make-artwork: ImageMagick is missing (Debian package imagemagick)" >&2
    exit 1
fi

# DejaVu Sans ships with fontconfig on Debian (package fonts-dejavu-core).
font_file() {
    local file
    file=$(fc-match -f '%{file}' "$1" 2>/dev/null || true)
    if [[ ! -f $file || $(basename "$file") != "$2" ]]; then
        echo "make-artwork: font $2 not found (Debian package fonts-dejavu-core)" >&2
        exit 1
    fi
    printf '%s' "$file"
}
sans=$(font_file 'DejaVu Sans:style=Book' DejaVuSans.ttf)
sans_bold=$(font_file 'DejaVu Sans:style=Bold' DejaVuSans-Bold.ttf)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# The palette of the emblem, shared by the icon and the banner.
navy='#0a3563'
light='#86d4ff'
deep='#1358a0'

# Icon, 32x32: a blue disc with a dark rim, a gloss on its upper half and a white "i" with a
# one-pixel shadow. Drawn without anti-aliasing so that it quantises to 16 colours cleanly.
"${im[@]}" -size 32x32 xc:none +antialias \
    -fill "$navy" -draw 'circle 15.5,15.5 15.5,0.5' \
    \( -size 32x32 gradient:"$light-$deep" \
       \( -size 32x32 xc:black +antialias -fill white -draw 'circle 15.5,15.5 15.5,1.6' \) \
       -alpha off -compose copy_opacity -composite \) -compose over -composite \
    \( -size 32x32 xc:none +antialias -fill '#ffffff40' -draw 'ellipse 15.5,9 10,6 180,360' \) \
    -composite \
    -fill "$navy" -draw 'circle 16.5,8.5 16.5,5.8' \
    -draw 'polygon 12,13 18,13 18,24 20,24 20,27 12,27 12,24 14,24 14,16 12,16' \
    -fill white -draw 'circle 15.5,7.5 15.5,4.8' \
    -draw 'polygon 11,12 17,12 17,23 19,23 19,26 11,26 11,23 13,23 13,15 11,15' \
    +dither -colors 16 "$work/icon32.png"

# Icon, 16x16: the same emblem placed pixel by pixel, since a scaled-down 32x32 blurs the "i".
"${im[@]}" -size 16x16 xc:none +antialias \
    -fill "$navy" -draw 'circle 7.5,7.5 7.5,0' \
    \( -size 16x16 gradient:"$light-$deep" \
       \( -size 16x16 xc:black +antialias -fill white -draw 'circle 7.5,7.5 7.5,1.1' \) \
       -alpha off -compose copy_opacity -composite \) -compose over -composite \
    -fill "$navy" -draw 'rectangle 8,4 9,5' -draw 'rectangle 8,7 9,12' -draw 'rectangle 6,12 10,12' \
    -fill white -draw 'rectangle 7,3 8,4' -draw 'rectangle 6,6 8,6' -draw 'rectangle 7,6 8,11' \
    -draw 'rectangle 6,11 9,11' \
    +dither -colors 16 "$work/icon16.png"

# A palette image with transparency makes ImageMagick write 4-bit images with an AND mask.
"${im[@]}" \( "$work/icon32.png" -type PaletteMatte \) \( "$work/icon16.png" -type PaletteMatte \) \
    "$work/kolt_info.ico"

# Banner emblem, 48x48 and anti-aliased: the icon's disc with a white ring.
"${im[@]}" -size 48x48 gradient:'#5fc3ff-#0d4f8c' \
    \( -size 48x48 xc:black -fill white -draw 'circle 23.5,23.5 23.5,1.5' \) \
    -alpha off -compose copy_opacity -composite \
    -fill none -stroke white -strokewidth 2.5 -draw 'circle 23.5,23.5 23.5,2.8' \
    -stroke none -fill white -draw 'circle 23.5,13.5 23.5,10' \
    -draw 'roundrectangle 20.5,19.5 26.5,36 1.5,1.5' -draw 'rectangle 18,33.5 29,36' \
    -draw 'rectangle 18,19.5 23,21.5' \
    "$work/emblem.png"

# The domain line as its own picture, shrunk only if a long domain would run off the banner.
"${im[@]}" -background none -font "$sans" -pointsize 11 -kerning 0.6 -fill '#9fd6f5' \
    label:"$domain" -resize '270x>' "$work/domain.png"

# Banner: a dark blue horizontal gradient with two faint light streaks, an orange base line, the
# emblem with a soft shadow, "Kolt" bold and "Information" regular, and the domain beneath.
"${im[@]}" -size 350x70 -define gradient:direction=east gradient:'#0a2540-#0f5f8a' \
    \( -size 350x70 xc:none -fill '#ffffff12' \
       -draw 'polygon 220,0 262,0 202,70 160,70' -draw 'polygon 276,0 296,0 236,70 216,70' \) \
    -composite \
    -fill '#f7a531' -draw 'rectangle 0,67 349,69' \
    \( "$work/emblem.png" -background '#00000070' -shadow 60x2+1+2 \) -geometry +10+9 -composite \
    "$work/emblem.png" -geometry +11+9 -composite \
    -font "$sans_bold" -pointsize 24 -fill white -annotate +70+35 'Kolt' \
    -font "$sans" -pointsize 24 -fill white -annotate +131+35 'Information' \
    "$work/domain.png" -geometry +70+43 -composite \
    -alpha off -dither FloydSteinberg -colors 256 -type Palette -compress none \
    "BMP3:$work/banner.bmp"

# Check what the resource compiler and LoadBitmap will be given before replacing anything.
check() {
    local got
    got=$("${im[@]}" "$1" -format '%w x %h, %z bit|' info:)
    if [[ $got != "$2" ]]; then
        echo "make-artwork: $(basename "$1") is '$got', expected '$2'" >&2
        exit 1
    fi
}
check "$work/kolt_info.ico" '32 x 32, 4 bit|16 x 16, 4 bit|'
check "$work/banner.bmp" '350 x 70, 8 bit|'

cp "$work/kolt_info.ico" "$work/banner.bmp" "$out/"
echo "make-artwork: wrote $out/kolt_info.ico and $out/banner.bmp for $domain"
