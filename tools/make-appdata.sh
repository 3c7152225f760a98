#!/usr/bin/env bash
# Regenerates Lumivue's own pictures, sound, default project and folder notes
# in appdata/ (the pristine application folder) and the desktop icons in
# dist/icons/. Needs ImageMagick (convert) and python3; the build does not.
# Only the files listed here are written: templates, help pages, the
# pictures drawn by tools/make-content.sh and the tutorial's screenshots
# (tools/make-tutorial-screenshots.sh) are left alone.
set -euo pipefail
cd "$(dirname "$0")/.."
app=appdata
mkdir -p "$app"/{Restaurer,Textures,Modeles,Aide,Aide_Contextuelle,AideCapture,Exemples} dist/icons/{48,256}
font=DejaVu-Sans
bold=DejaVu-Sans-Bold

# Slide 0 of the default project: a soft evening gradient with the name.
convert -size 600x350 gradient:'#2b5876-#4e4376' \
    \( -size 600x350 radial-gradient:'#ffffff40-#00000000' \) -compose over -composite \
    -font "$bold" -pointsize 72 -fill '#00000055' -gravity center -annotate +3+-17 'Lumivue' \
    -font "$bold" -pointsize 72 -fill '#fdf6e3' -gravity center -annotate +0-20 'Lumivue' \
    -font "$font" -pointsize 22 -fill '#e8e0f0' -gravity center -annotate +0+45 'Vos images, en diaporama' \
    -strip -colors 128 "$app/Nouveau0.gif"

# Background tile of the main window and of the pages: faint linen, seamless
# because it is made periodic with -virtual-pixel tile before the blur.
convert -size 128x128 xc:'#efe9dc' -seed 7 +noise Gaussian -virtual-pixel tile \
    -blur 0x1.2 -modulate 100,30 -fill '#efe9dc' -colorize 70% \
    -strip -quality 88 "$app/imgFond.jpg"

# Table wood: noise stretched along the grain plus slow bands, coloured brown.
gray_to_rgb=(-colorspace gray -auto-level -colorspace sRGB -type TrueColor)
convert -size 64x256 xc: -seed 11 +noise Random -virtual-pixel tile -blur 0x1.5 -resize 256x256! \
    \( -size 256x256 gradient: -function sinusoid 9,0 \) -compose blend -define compose:args=30 -composite \
    -virtual-pixel tile -blur 0x0.7 "${gray_to_rgb[@]}" +level-colors '#5a3a1c,#b57f48' \
    -strip -quality 88 "$app/imgFondTable.jpg"

# Two of the textures offered for slideshow backgrounds (tools/make-textures.py
# draws the others); both tile because the noise is blurred with wrap-around.
convert -size 128x128 xc:gray50 -seed 5 +noise Gaussian -virtual-pixel tile -blur 0x0.8 "${gray_to_rgb[@]}" \
    +level-colors '#d2c4a6,#ece3cf' -strip -quality 85 "$app/Textures/Papier.jpg"
convert -size 128x128 xc: -seed 9 +noise Random -virtual-pixel tile -blur 0x3 "${gray_to_rgb[@]}" \
    +level-colors '#3f5e3a,#9bb58a' -strip -quality 85 "$app/Textures/Feuillage.jpg"

# Desktop icon: a framed slide with a sun over hills.
convert -size 256x256 xc:none \
    -fill '#3b3f6b' -draw 'roundrectangle 16,40 240,216 22,22' \
    -fill '#fdf6e3' -draw 'roundrectangle 32,56 224,200 10,10' \
    -fill '#f2b84b' -draw 'circle 168,100 168,124' \
    -fill '#5b8c5a' -draw 'polygon 32,200 96,118 150,200' \
    -fill '#3f6e45' -draw 'polygon 100,200 170,136 224,190 224,200' \
    -strip dist/icons/256/lumivue.png
convert dist/icons/256/lumivue.png -resize 48x48 -strip dist/icons/48/lumivue.png

python3 tools/make-appdata.py "$app"
# The copies in Restaurer/ and Modeles/ and the current template page are
# made by the build (cmake/AssembleAppData.cmake), not kept here.
