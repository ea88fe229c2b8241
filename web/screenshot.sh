#!/usr/bin/env bash
# Serves the site on 127.0.0.1, gzipped as a host serves it, and has headless
# chromium, in a new profile, save a picture of the page with Air at 310 K and
# its viscosity charted, once the chart is drawn.
# Usage: web/screenshot.sh SITE_DIR OUTPUT.png
# SIZE=375,1600 for another window (width,height), SCHEME=dark for the
# dark colours, QUERY=... for another address.
set -euo pipefail
site=$1
output=$2

port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
/usr/bin/python3 "$(dirname "$0")/tests/serve.py" "$site" "$port" >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  /usr/bin/python3 -c "import socket; socket.create_connection(('127.0.0.1', $port), 1)" 2>/dev/null && break
  sleep 0.1
done

# The page starts its calculator after its first paint and draws the chart
# when it comes into view, which chromium's virtual time does not wait for:
# a real browser is driven, and the picture taken once the chart is there.
URL="http://127.0.0.1:$port/index.html?${QUERY:-fluid=air&T=310&plot=Mu}" OUTPUT=$output \
  SIZE=${SIZE:-1280,1000} SCHEME=${SCHEME:-light} /usr/bin/python3 - <<'PYTHON'
import os
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

options = webdriver.ChromeOptions()
options.binary_location = "/usr/bin/chromium"
for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                 f"--window-size={os.environ['SIZE']}",
                 f"--blink-settings=preferredColorScheme={0 if os.environ['SCHEME'] == 'dark' else 1}"):
    options.add_argument(argument)
driver = webdriver.Chrome(options=options, service=Service("/usr/bin/chromedriver"))
try:
    driver.get(os.environ["URL"])
    for _ in range(100):  # up to 10 s for the results and the chart
        if driver.execute_script("return !!document.querySelector('#chart canvas, canvas')"):
            break
        time.sleep(0.1)
    time.sleep(0.5)  # its first frame
    driver.save_screenshot(os.environ["OUTPUT"])
finally:
    driver.quit()
PYTHON
test -s "$output"
