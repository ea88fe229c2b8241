#!/usr/bin/env bash
# Serves the site on 127.0.0.1 and has headless chromium, in a new profile,
# save a picture of the page with Air at 310 K and its viscosity charted.
# Usage: web/screenshot.sh SITE_DIR OUTPUT.png
# SIZE=375,1600 for another window (width,height), SCHEME=dark for the
# dark colours, QUERY=... for another address.
set -euo pipefail
site=$1
output=$2

port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
/usr/bin/python3 -m http.server -d "$site" -b 127.0.0.1 "$port" >/dev/null 2>&1 &
server=$!
profile=$(mktemp -d)
trap 'kill "$server" 2>/dev/null || true; rm -rf "$profile"' EXIT
for _ in $(seq 50); do
  /usr/bin/python3 -c "import socket; socket.create_connection(('127.0.0.1', $port), 1)" 2>/dev/null && break
  sleep 0.1
done

# The virtual time budget lets the module load, the results and the chart
# appear before the picture is taken.
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --user-data-dir="$profile" --hide-scrollbars --window-size="${SIZE:-1280,1000}" --virtual-time-budget=5000 \
  ${SCHEME:+--blink-settings=preferredColorScheme=$([ "$SCHEME" = dark ] && echo 0 || echo 1)} \
  --screenshot="$output" "http://127.0.0.1:$port/index.html?${QUERY:-fluid=air&T=310&plot=Mu}" 2>/dev/null
test -s "$output"
