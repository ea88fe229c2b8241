#!/usr/bin/env bash
# Starts the calculator on the X display that xvfb-run provides, drives it
# from the keyboard as a user would, and saves a picture of the window.
# Usage: xvfb-run -a window/screenshot.sh PROGRAM OUTPUT.png
set -euo pipefail
program=$1
output=$2

"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Vantorel$' | head -n 1)
# Without a window manager nobody gives the new window the keyboard.
xdotool windowfocus --sync "$window"
sleep 0.5

# The focus starts in the category list, on its prompt.
xdotool key --delay 150 Down      # "Gases at Atmoshperic Pressure"
xdotool key --delay 150 Tab Down  # the fluid list, "Air"
xdotool key --delay 150 Tab       # the temperature box, its "0" selected
xdotool type --delay 80 310
xdotool key Return
sleep 0.5

import -window "$window" "$output"
