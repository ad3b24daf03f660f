#!/usr/bin/env bash
# Draws the dialog program's artwork with ImageMagick:
#   kolt_info.ico  the application icon: 64x64, 48x48, 32x32 and 16x16 images (the larger ones for
#                  screens scaled to 150 % and 200 %), 16 colours, transparent corners
#   banner.bmp     the 350x70 banner of the main dialog: 8-bit palette, uncompressed BMP3, showing
#                  the product name and the maker's web domain
#   banner-150.bmp, banner-200.bmp
#                  the same design drawn at 525x105 and 700x140, for screens scaled to 150 % and
#                  200 %
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

# A position of the 32x32 icon's design (a pixel centre) and a length of it, at the scale being
# drawn.
spot() {
    awk -v value="$1" -v scale="$scale" 'BEGIN { printf "%g", (value + 0.5) * scale - 0.5 }'
}
span() {
    awk -v value="$1" -v scale="$scale" 'BEGIN { printf "%g", value * scale }'
}
# A list of "x,y" positions of the design at the scale being drawn.
spots() {
    local point out=()
    for point in "$@"; do
        out+=("$(spot "${point%,*}"),$(spot "${point#*,}")")
    done
    printf '%s' "${out[*]}"
}

# The icon's 32x32 design at one scale (1: 32x32; 1.5: 48x48, the large icon at 150 %; 2: 64x64,
# at 200 %): a blue disc with a dark rim, a gloss on its upper half and a white "i" with a
# one-pixel shadow. Drawn without anti-aliasing so that it quantises to 16 colours cleanly.
draw_icon() {
    local scale=$1 file=$2 size
    size="$(span 32)x$(span 32)"
    "${im[@]}" -size "$size" xc:none +antialias \
        -fill "$navy" -draw "circle $(spots 15.5,15.5 15.5,0.5)" \
        \( -size "$size" gradient:"$light-$deep" \
           \( -size "$size" xc:black +antialias -fill white \
              -draw "circle $(spots 15.5,15.5 15.5,1.6)" \) \
           -alpha off -compose copy_opacity -composite \) -compose over -composite \
        \( -size "$size" xc:none +antialias -fill '#ffffff40' \
           -draw "ellipse $(spots 15.5,9) $(span 10),$(span 6) 180,360" \) \
        -composite \
        -fill "$navy" -draw "circle $(spots 16.5,8.5 16.5,5.8)" \
        -draw "polygon $(spots 12,13 18,13 18,24 20,24 20,27 12,27 12,24 14,24 14,16 12,16)" \
        -fill white -draw "circle $(spots 15.5,7.5 15.5,4.8)" \
        -draw "polygon $(spots 11,12 17,12 17,23 19,23 19,26 11,26 11,23 13,23 13,15 11,15)" \
        +dither -colors 16 "$file"
}
draw_icon 1 "$work/icon32.png"
draw_icon 1.5 "$work/icon48.png"
draw_icon 2 "$work/icon64.png"

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
"${im[@]}" \( "$work/icon64.png" -type PaletteMatte \) \( "$work/icon48.png" -type PaletteMatte \) \
    \( "$work/icon32.png" -type PaletteMatte \) \( "$work/icon16.png" -type PaletteMatte \) \
    "$work/kolt_info.ico"

# A length of the 350x70 banner's design at the scale being drawn (1, 1.5 or 2); the same in
# whole pixels, for sizes and offsets; and the last pixel of an edge that long.
at() {
    awk -v value="$1" -v scale="$scale" 'BEGIN { printf "%g", value * scale }'
}
px() {
    awk -v value="$1" -v scale="$scale" 'BEGIN { printf "%d", value * scale + 0.5 }'
}
last() {
    awk -v value="$1" -v scale="$scale" 'BEGIN { printf "%d", value * scale + 0.5 - 1 }'
}

# The banner at one scale: 350x70 pixels times the scale, every length of the design scaled with
# it, so that a screen at 150 % or 200 % shows a picture drawn for it rather than a stretched one.
draw_banner() {
    local scale=$1 file=$2 emblem domain_line
    emblem="$work/emblem-$scale.png"
    domain_line="$work/domain-$scale.png"

    # Banner emblem, 48x48 at 100 % and anti-aliased: the icon's disc with a white ring.
    "${im[@]}" -size "$(px 48)x$(px 48)" gradient:'#5fc3ff-#0d4f8c' \
        \( -size "$(px 48)x$(px 48)" xc:black -fill white \
           -draw "circle $(at 23.5),$(at 23.5) $(at 23.5),$(at 1.5)" \) \
        -alpha off -compose copy_opacity -composite \
        -fill none -stroke white -strokewidth "$(at 2.5)" \
        -draw "circle $(at 23.5),$(at 23.5) $(at 23.5),$(at 2.8)" \
        -stroke none -fill white -draw "circle $(at 23.5),$(at 13.5) $(at 23.5),$(at 10)" \
        -draw "roundrectangle $(at 20.5),$(at 19.5) $(at 26.5),$(at 36) $(at 1.5),$(at 1.5)" \
        -draw "rectangle $(at 18),$(at 33.5) $(at 29),$(at 36)" \
        -draw "rectangle $(at 18),$(at 19.5) $(at 23),$(at 21.5)" \
        "$emblem"

    # The domain line as its own picture, shrunk only if a long domain would run off the banner.
    "${im[@]}" -background none -font "$sans" -pointsize "$(at 11)" -kerning "$(at 0.6)" \
        -fill '#9fd6f5' label:"$domain" -resize "$(px 270)x>" "$domain_line"

    # A dark blue horizontal gradient with two faint light streaks, an orange base line, the
    # emblem with a soft shadow, "Kolt" bold and "Information" regular, and the domain beneath.
    "${im[@]}" -size "$(px 350)x$(px 70)" -define gradient:direction=east \
        gradient:'#0a2540-#0f5f8a' \
        \( -size "$(px 350)x$(px 70)" xc:none -fill '#ffffff12' \
           -draw "polygon $(at 220),0 $(at 262),0 $(at 202),$(at 70) $(at 160),$(at 70)" \
           -draw "polygon $(at 276),0 $(at 296),0 $(at 236),$(at 70) $(at 216),$(at 70)" \) \
        -composite \
        -fill '#f7a531' -draw "rectangle 0,$(at 67) $(last 350),$(last 70)" \
        \( "$emblem" -background '#00000070' -shadow "60x$(at 2)+$(px 1)+$(px 2)" \) \
        -geometry "+$(px 10)+$(px 9)" -composite \
        "$emblem" -geometry "+$(px 11)+$(px 9)" -composite \
        -font "$sans_bold" -pointsize "$(at 24)" -fill white -annotate "+$(px 70)+$(px 35)" 'Kolt' \
        -font "$sans" -pointsize "$(at 24)" -fill white -annotate "+$(px 131)+$(px 35)" \
        'Information' \
        "$domain_line" -geometry "+$(px 70)+$(px 43)" -composite \
        -alpha off -dither FloydSteinberg -colors 256 -type Palette -compress none \
        "BMP3:$file"
}

# Check what the resource compiler and LoadBitmap will be given before replacing anything.
check() {
    local got
    got=$("${im[@]}" "$1" -format '%w x %h, %z bit|' info:)
    if [[ $got != "$2" ]]; then
        echo "make-artwork: $(basename "$1") is '$got', expected '$2'" >&2
        exit 1
    fi
}
draw_banner 1 "$work/banner.bmp"
draw_banner 1.5 "$work/banner-150.bmp"
draw_banner 2 "$work/banner-200.bmp"

check "$work/kolt_info.ico" '64 x 64, 4 bit|48 x 48, 4 bit|32 x 32, 4 bit|16 x 16, 4 bit|'
check "$work/banner.bmp" '350 x 70, 8 bit|'
check "$work/banner-150.bmp" '525 x 105, 8 bit|'
check "$work/banner-200.bmp" '700 x 140, 8 bit|'

cp "$work/kolt_info.ico" "$work/banner.bmp" "$work/banner-150.bmp" "$work/banner-200.bmp" "$out/"
echo "make-artwork: wrote $out/kolt_info.ico and $out/banner*.bmp for $domain"
