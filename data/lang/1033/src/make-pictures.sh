#!/bin/sh
# Draws the pictures the guides show. Run from this folder; the pictures land
# one folder up, beside the guides:  sh make-pictures.sh
set -e
OUT=..
FONT=Liberation-Sans
BOLD=Liberation-Sans-Bold
ACCENT='#008DA8'

# The wireless symbol: a dot under three arcs (rings cut to a quarter).
convert -size 64x64 xc:white -fill none -stroke "$ACCENT" -strokewidth 5 \
  -draw "circle 32,56 32,16" -draw "circle 32,56 32,29" -draw "circle 32,56 32,42" \
  -stroke none -fill white -draw "polygon 32,56 -30,-6 -30,70 32,70" -draw "polygon 32,56 94,-6 94,70 32,70" \
  -fill "$ACCENT" -draw "circle 32,54 32,59" \
  -depth 8 "$OUT/wifi_icon.png"

# A list of wireless networks with the user's network picked out.
convert -size 300x150 xc:white -stroke '#9a9a9a' -fill white -draw "rectangle 0,0 299,149" \
  -stroke none -fill '#f0f0f0' -draw "rectangle 1,1 298,28" \
  -font "$BOLD" -pointsize 13 -fill black -annotate +10+19 "Wireless networks" \
  -fill '#d8f0f4' -draw "rectangle 1,34 298,70" \
  -font "$BOLD" -pointsize 13 -fill black -annotate +40+57 "Your network name" \
  -font "$FONT" -pointsize 11 -fill '#333333' -annotate +196+57 "Connect" \
  -fill black -font "$FONT" -pointsize 13 -annotate +40+97 "Neighbour 5G" -annotate +40+131 "Cafe guest" \
  -fill "$ACCENT" -draw "rectangle 12,58 15,64" -draw "rectangle 18,53 21,64" -draw "rectangle 24,47 27,64" \
  -fill '#9a9a9a' -draw "rectangle 12,98 15,104" -draw "rectangle 18,93 21,104" \
  -draw "rectangle 12,132 15,138" \
  -stroke "$ACCENT" -fill none -draw "roundrectangle 188,42 260,64 6,6" \
  -depth 8 "$OUT/network_list.png"

# A phone showing its Wi-Fi settings.
convert -size 130x230 xc:white -stroke '#444444' -strokewidth 3 -fill '#fafafa' \
  -draw "roundrectangle 8,4 122,226 14,14" -strokewidth 1 -fill white -draw "rectangle 16,24 114,200" \
  -stroke none -fill '#444444' -draw "circle 65,213 65,218" \
  -font "$BOLD" -pointsize 12 -fill black -annotate +22+42 "Wi-Fi" \
  -fill "$ACCENT" -draw "roundrectangle 84,31 108,43 6,6" -fill white -draw "circle 102,37 102,41" \
  -fill '#d8f0f4' -draw "rectangle 17,54 113,76" \
  -font "$FONT" -pointsize 10 -fill black -annotate +22+69 "Your network" \
  -annotate +22+95 "Neighbour 5G" -annotate +22+121 "Cafe guest" \
  -depth 8 "$OUT/phone_wifi.png"

# The router's front with its lights.
convert -size 420x110 xc:white -stroke '#555555' -strokewidth 2 -fill '#e9ecef' \
  -draw "roundrectangle 4,14 416,78 12,12" -stroke none \
  -fill '#2e9e3e' -draw "circle 40,46 40,52" -draw "circle 100,46 100,52" -draw "circle 160,46 160,52" \
  -draw "circle 220,46 220,52" -draw "circle 280,46 280,52" -draw "circle 340,46 340,52" \
  -font "$FONT" -pointsize 12 -fill black \
  -annotate +22+100 "Power" -annotate +88+100 "DSL" -annotate +138+100 "Internet" \
  -annotate +204+100 "WLAN" -annotate +260+100 "LAN 1-4" -annotate +330+100 "WPS" \
  -depth 8 "$OUT/router_leds.png"

# The router's back with its sockets.
convert -size 440x130 xc:white -stroke '#555555' -strokewidth 2 -fill '#e9ecef' \
  -draw "roundrectangle 4,10 436,84 12,12" -fill '#333333' -stroke none \
  -draw "rectangle 24,34 50,58" \
  -draw "rectangle 90,32 120,60" -draw "rectangle 130,32 160,60" -draw "rectangle 170,32 200,60" -draw "rectangle 210,32 240,60" \
  -fill white -stroke '#333333' -strokewidth 2 -draw "circle 290,46 290,51" \
  -fill '#333333' -stroke none -draw "circle 350,46 350,58" -fill white -draw "circle 350,46 350,50" \
  -fill '#333333' -draw "rectangle 392,36 414,56" \
  -font "$FONT" -pointsize 12 -fill black \
  -annotate +22+106 "DSL" -annotate +126+106 "LAN 1-4" -annotate +270+106 "Reset" \
  -annotate +328+106 "Power" -annotate +386+106 "On/Off" \
  -depth 8 "$OUT/router_back.png"

# The wall socket, the microfilter, the telephone and the router.
convert -size 440x150 xc:white -stroke '#333333' -strokewidth 2 -fill '#f4f4f4' \
  -draw "rectangle 10,45 80,105" -fill '#d8f0f4' -draw "roundrectangle 150,50 240,100 8,8" \
  -fill '#f4f4f4' -draw "roundrectangle 330,10 430,60 8,8" -draw "roundrectangle 330,90 430,140 8,8" \
  -fill none -strokewidth 3 -draw "line 80,75 150,75" -draw "line 240,65 330,35" -draw "line 240,85 330,115" \
  -stroke none -font "$FONT" -pointsize 12 -fill black \
  -annotate +17+80 "Wall socket" -annotate +158+72 "Microfilter" -annotate +162+88 "PHONE  DSL" \
  -annotate +350+40 "Telephone" -annotate +359+120 "Router" \
  -quality 90 "$OUT/microfilter.jpg"

# A straightened paper clip held into the reset hole.
convert -size 200x110 xc:white -stroke '#555555' -strokewidth 2 -fill '#e9ecef' \
  -draw "roundrectangle 4,30 130,100 10,10" -fill white -draw "circle 60,65 60,71" \
  -stroke '#8a8a8a' -strokewidth 4 -fill none -draw "line 60,65 190,10" \
  -stroke none -font "$FONT" -pointsize 12 -fill black -annotate +40+92 "Reset" \
  "$OUT/reset_button.gif"
