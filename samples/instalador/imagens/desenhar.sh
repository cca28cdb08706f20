#!/bin/sh
# Draws the sample's pictures with ImageMagick (apt-get install imagemagick): the window's
# background (640 x 480, a band on the left with the logo, a line above the buttons) and the
# window's icon. The PNG files are kept in the repository; run this only to change them.
set -eu
cd "$(dirname "$0")"
im=/usr/bin/convert
[ -x "$im" ] || im=convert

# The background: a light page, the band on the left, the line and the strip of the buttons.
"$im" -size 640x480 xc:'#f4f6f9' \
    \( -size 480x170 gradient:'#2b6c8f-#17324d' -rotate 90 \) -geometry +0+0 -composite \
    -fill '#e8ecf1' -draw 'rectangle 170,431 639,479' \
    -stroke '#c3ccd6' -strokewidth 1 -draw 'line 170,430 639,430' \
    -stroke white -strokewidth 5 -fill none -draw 'circle 85,95 85,45' \
    -stroke none -fill white -font DejaVu-Sans-Bold -pointsize 56 \
    -gravity NorthWest -annotate +66+62 'Z' \
    -font DejaVu-Sans-Bold -pointsize 22 -annotate +36+168 'ZelVyn' \
    -font DejaVu-Sans -pointsize 12 -fill '#cfe3ee' -annotate +30+200 'assistente de exemplo' \
    -font DejaVu-Sans -pointsize 11 -annotate +20+450 'Olá ZelVyn 1.0' \
    -depth 8 -strip fundo.png

# The icon: a rounded blue square with the letter.
"$im" -size 48x48 xc:none \
    \( -size 48x48 gradient:'#2b6c8f-#17324d' \) \
    \( -size 48x48 xc:none -fill white -draw 'roundrectangle 0,0 47,47 9,9' \) \
    -delete 0 -compose CopyOpacity -composite -compose Over \
    -fill white -font DejaVu-Sans-Bold -pointsize 34 -gravity center -annotate +0+1 'Z' \
    -depth 8 -strip icone.png
