#!/bin/sh
# Draws the pictures the guides show, each once as the guide lays it out and
# once at twice the size (name@2x) for screens that scale by 2. Run from this
# folder; the pictures land one folder up, beside the guides:
#   sh make-pictures.sh
set -e
OUT=..
FONT=Liberation-Sans
BOLD=Liberation-Sans-Bold
ACCENT='#008DA8'

# Every shape and text below is drawn in the 1 x picture's coordinates; the
# scale of the drawing context makes the 2 x picture from the same numbers.
for S in 1 2; do
  [ "$S" = 1 ] && X= || X=@2x
  # A drawing command in 1 x coordinates.
  d() { printf 'scale %s,%s %s' "$S" "$S" "$1"; }
  # A text whose baseline starts at x,y.
  t() { printf "scale %s,%s text %s,%s '%s'" "$S" "$S" "$1" "$2" "$3"; }
  size() { echo "$(($1 * S))x$(($2 * S))"; }

  # The wireless symbol: a dot under three arcs (rings cut to a quarter).
  convert -size "$(size 64 64)" xc:white -fill none -stroke "$ACCENT" -strokewidth 5 \
    -draw "$(d 'circle 32,56 32,16')" -draw "$(d 'circle 32,56 32,29')" -draw "$(d 'circle 32,56 32,42')" \
    -stroke none -fill white -draw "$(d 'polygon 32,56 -30,-6 -30,70 32,70')" \
    -draw "$(d 'polygon 32,56 94,-6 94,70 32,70')" \
    -fill "$ACCENT" -draw "$(d 'circle 32,54 32,59')" \
    -depth 8 "$OUT/wifi_icon$X.png"

  # A list of wireless networks with the user's network picked out.
  convert -size "$(size 300 150)" xc:white -stroke '#9a9a9a' -fill white -draw "$(d 'rectangle 0,0 299,149')" \
    -stroke none -fill '#f0f0f0' -draw "$(d 'rectangle 1,1 298,28')" \
    -font "$BOLD" -pointsize 13 -fill black -draw "$(t 10 19 'Wireless networks')" \
    -fill '#d8f0f4' -draw "$(d 'rectangle 1,34 298,70')" \
    -font "$BOLD" -pointsize 13 -fill black -draw "$(t 40 57 'Your network name')" \
    -font "$FONT" -pointsize 11 -fill '#333333' -draw "$(t 196 57 'Connect')" \
    -fill black -font "$FONT" -pointsize 13 -draw "$(t 40 97 'Neighbour 5G')" -draw "$(t 40 131 'Cafe guest')" \
    -fill "$ACCENT" -draw "$(d 'rectangle 12,58 15,64')" -draw "$(d 'rectangle 18,53 21,64')" \
    -draw "$(d 'rectangle 24,47 27,64')" \
    -fill '#9a9a9a' -draw "$(d 'rectangle 12,98 15,104')" -draw "$(d 'rectangle 18,93 21,104')" \
    -draw "$(d 'rectangle 12,132 15,138')" \
    -stroke "$ACCENT" -fill none -draw "$(d 'roundrectangle 188,42 260,64 6,6')" \
    -depth 8 "$OUT/network_list$X.png"

  # A phone showing its Wi-Fi settings.
  convert -size "$(size 130 230)" xc:white -stroke '#444444' -strokewidth 3 -fill '#fafafa' \
    -draw "$(d 'roundrectangle 8,4 122,226 14,14')" -strokewidth 1 -fill white -draw "$(d 'rectangle 16,24 114,200')" \
    -stroke none -fill '#444444' -draw "$(d 'circle 65,213 65,218')" \
    -font "$BOLD" -pointsize 12 -fill black -draw "$(t 22 42 'Wi-Fi')" \
    -fill "$ACCENT" -draw "$(d 'roundrectangle 84,31 108,43 6,6')" -fill white -draw "$(d 'circle 102,37 102,41')" \
    -fill '#d8f0f4' -draw "$(d 'rectangle 17,54 113,76')" \
    -font "$FONT" -pointsize 10 -fill black -draw "$(t 22 69 'Your network')" \
    -draw "$(t 22 95 'Neighbour 5G')" -draw "$(t 22 121 'Cafe guest')" \
    -depth 8 "$OUT/phone_wifi$X.png"

  # The router's front with its lights.
  convert -size "$(size 420 110)" xc:white -stroke '#555555' -strokewidth 2 -fill '#e9ecef' \
    -draw "$(d 'roundrectangle 4,14 416,78 12,12')" -stroke none \
    -fill '#2e9e3e' -draw "$(d 'circle 40,46 40,52')" -draw "$(d 'circle 100,46 100,52')" \
    -draw "$(d 'circle 160,46 160,52')" -draw "$(d 'circle 220,46 220,52')" \
    -draw "$(d 'circle 280,46 280,52')" -draw "$(d 'circle 340,46 340,52')" \
    -font "$FONT" -pointsize 12 -fill black \
    -draw "$(t 22 100 'Power')" -draw "$(t 88 100 'DSL')" -draw "$(t 138 100 'Internet')" \
    -draw "$(t 204 100 'WLAN')" -draw "$(t 260 100 'LAN 1-4')" -draw "$(t 330 100 'WPS')" \
    -depth 8 "$OUT/router_leds$X.png"

  # The router's back with its sockets.
  convert -size "$(size 440 130)" xc:white -stroke '#555555' -strokewidth 2 -fill '#e9ecef' \
    -draw "$(d 'roundrectangle 4,10 436,84 12,12')" -fill '#333333' -stroke none \
    -draw "$(d 'rectangle 24,34 50,58')" \
    -draw "$(d 'rectangle 90,32 120,60')" -draw "$(d 'rectangle 130,32 160,60')" \
    -draw "$(d 'rectangle 170,32 200,60')" -draw "$(d 'rectangle 210,32 240,60')" \
    -fill white -stroke '#333333' -strokewidth 2 -draw "$(d 'circle 290,46 290,51')" \
    -fill '#333333' -stroke none -draw "$(d 'circle 350,46 350,58')" -fill white -draw "$(d 'circle 350,46 350,50')" \
    -fill '#333333' -draw "$(d 'rectangle 392,36 414,56')" \
    -font "$FONT" -pointsize 12 -fill black \
    -draw "$(t 22 106 'DSL')" -draw "$(t 126 106 'LAN 1-4')" -draw "$(t 270 106 'Reset')" \
    -draw "$(t 328 106 'Power')" -draw "$(t 386 106 'On/Off')" \
    -depth 8 "$OUT/router_back$X.png"

  # The wall socket, the microfilter, the telephone and the router.
  convert -size "$(size 440 150)" xc:white -stroke '#333333' -strokewidth 2 -fill '#f4f4f4' \
    -draw "$(d 'rectangle 10,45 80,105')" -fill '#d8f0f4' -draw "$(d 'roundrectangle 150,50 240,100 8,8')" \
    -fill '#f4f4f4' -draw "$(d 'roundrectangle 330,10 430,60 8,8')" -draw "$(d 'roundrectangle 330,90 430,140 8,8')" \
    -fill none -strokewidth 3 -draw "$(d 'line 80,75 150,75')" -draw "$(d 'line 240,65 330,35')" \
    -draw "$(d 'line 240,85 330,115')" \
    -stroke none -font "$FONT" -pointsize 12 -fill black \
    -draw "$(t 17 80 'Wall socket')" -draw "$(t 158 72 'Microfilter')" -draw "$(t 162 88 'PHONE  DSL')" \
    -draw "$(t 350 40 'Telephone')" -draw "$(t 359 120 'Router')" \
    -quality 90 "$OUT/microfilter$X.jpg"

  # A straightened paper clip held into the reset hole.
  convert -size "$(size 200 110)" xc:white -stroke '#555555' -strokewidth 2 -fill '#e9ecef' \
    -draw "$(d 'roundrectangle 4,30 130,100 10,10')" -fill white -draw "$(d 'circle 60,65 60,71')" \
    -stroke '#8a8a8a' -strokewidth 4 -fill none -draw "$(d 'line 60,65 190,10')" \
    -stroke none -font "$FONT" -pointsize 12 -fill black -draw "$(t 40 92 'Reset')" \
    "$OUT/reset_button$X.gif"
done
