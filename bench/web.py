#!/usr/bin/python3
"""The web page's speed and size, in Debian's headless chromium:

    web.py SITE_DIR [LIGHTHOUSE]

  1. from navigation to the first results shown, in a new profile each
     time (9 runs), and on reload once the service worker keeps the site
     (10 reloads). Two times each: the frame that shows them (the page's
     own performance mark, at the start of that frame) and when that frame
     was painted (the results heading's element timing);
  2. everything the page transfers: each file it requests, gzip -9;
  3. one look-up inside the browser: the checked call timed inside the
     WebAssembly module, and one calculation as the page's script makes it
     (the call, its texts and working, and the crossing into JavaScript);
  4. given LIGHTHOUSE, the path of Lighthouse's command (`make bench`
     installs the version bench/lighthouse/package-lock.json pins), its
     four scores and five timings for a phone and for a desktop, one after
     the other in the same run, with the page served gzipped as a web
     server would send it (web/tests/serve.py). Lighthouse drives Debian's
     chromium; its timings are simulated from the page's own trace (a
     mid-range phone on a slow 4G line; a desktop on a fast line), so they
     move with how busy this machine is, which is printed beside them.
"""

import functools
import gzip
import http.server
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

QUERY = "index.html?fluid=air&T=310"
SHOWN = "return performance.getEntriesByName('vantorel-results-shown').map((e) => e.startTime)[0] ?? null"


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def start_browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     f"--user-data-dir={profile}", "--window-size=1280,1000"):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def shown_after(driver):
    return WebDriverWait(driver, 20).until(lambda d: d.execute_script(SHOWN))


def painted_after(driver):
    """When the frame that first showed the results was on the screen."""
    driver.set_script_timeout(20)
    return driver.execute_async_script("""
        const done = arguments[0];
        new PerformanceObserver((list, observer) => {
          const entry = list.getEntries().find((e) => e.identifier === 'results');
          if (entry) { observer.disconnect(); done(entry.renderTime); }
        }).observe({ type: 'element', buffered: true });""")


def settle(driver):
    """A new browser spends its first second or so on its own pages (the
    new-tab page, the address bar's pop-ups), all competing for the two
    cores. Wait that out, so that the navigation times the page's own
    start: the profile is still new, with nothing cached, no service
    worker and no compiled code kept."""
    driver.get("about:blank")
    time.sleep(2)


def times(values):
    return f"{' '.join(f'{t:.0f}' for t in values)}   median {statistics.median(values):.0f}"


def lighthouse(site, command):
    """Lighthouse's scores and timings for a phone and a desktop, the page
    served as a web server would send it."""
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "web", "tests"))
    import serve
    server = serve.serve(site)
    url = f"http://127.0.0.1:{server.server_address[1]}/{QUERY}"
    # Lighthouse runs the browser it is given and fetches none of its own.
    environment = {**os.environ, "CHROME_PATH": "/usr/bin/chromium", "PUPPETEER_SKIP_DOWNLOAD": "1"}
    print(f"  Lighthouse {lighthouse_version(command)}, Air at 310 K, served gzipped by web/tests/serve.py:")
    try:
        for device, preset in [("phone", []), ("desktop", ["--preset=desktop"])]:
            load = os.getloadavg()[0]
            with tempfile.TemporaryDirectory() as folder:
                report = os.path.join(folder, "report.json")
                subprocess.run([command, url, "--quiet", "--output=json", f"--output-path={report}",
                                "--chrome-flags=--headless --no-sandbox",
                                "--only-categories=performance,accessibility,best-practices,seo", *preset],
                               check=True, env=environment)
                with open(report, encoding="utf-8") as f:
                    result = json.load(f)
            if result.get("runtimeError"):
                print(f"    {device:8} Lighthouse failed: {result['runtimeError'].get('message')}")
                continue
            scores = " ".join(f"{name} {round(c['score'] * 100) if c['score'] is not None else '-'}"
                              for name, c in result["categories"].items())
            audits = result["audits"]
            timings = ", ".join(f"{label} {audits[key].get('displayValue', '-')}" for label, key in [
                ("FCP", "first-contentful-paint"), ("LCP", "largest-contentful-paint"),
                ("TBT", "total-blocking-time"), ("CLS", "cumulative-layout-shift"), ("SI", "speed-index")])
            print(f"    {device:8} {scores}")
            print(f"    {'':8} {timings} (load average {load:.2f} as it started)")
    finally:
        server.shutdown()


def lighthouse_version(command):
    return subprocess.run([command, "--version"], check=True, capture_output=True, text=True).stdout.strip()


def main(site):
    httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(QuietHandler, directory=site))
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{httpd.server_address[1]}/{QUERY}"

    fresh, fresh_painted, launched, files = [], [], [], set()
    for run in range(14):
        profile = tempfile.mkdtemp(prefix="vantorel-bench-")
        driver = start_browser(profile)
        try:
            # Most runs navigate once the browser has settled; every third
            # right after it starts, for comparison.
            right_after_launch = run % 3 == 2
            if not right_after_launch:
                settle(driver)
            driver.get(url)
            if right_after_launch:
                launched.append(shown_after(driver))
                continue
            fresh.append(shown_after(driver))
            fresh_painted.append(painted_after(driver))
            if run == 0:
                # Every file the page asked for, the service worker included.
                WebDriverWait(driver, 20).until(lambda d: d.execute_script(
                    "return navigator.serviceWorker.ready.then(() => true)"))
                names = driver.execute_script(
                    "return [location.href, ...performance.getEntriesByType('resource').map((r) => r.name)]")
                files = {urllib.parse.urlsplit(n).path.lstrip("/") or "index.html" for n in names} | {"sw.js"}
        finally:
            driver.quit()
            shutil.rmtree(profile, ignore_errors=True)

    profile = tempfile.mkdtemp(prefix="vantorel-bench-")
    driver = start_browser(profile)
    try:
        driver.get(url)
        shown_after(driver)
        driver.set_script_timeout(60)
        driver.execute_async_script("""
            const done = arguments[0];
            navigator.serviceWorker.ready.then(() => {
              if (navigator.serviceWorker.controller) return done();
              navigator.serviceWorker.addEventListener('controllerchange', () => done());
            });""")
        reloads, reloads_painted = [], []
        for _ in range(10):
            driver.refresh()
            reloads.append(shown_after(driver))
            reloads_painted.append(painted_after(driver))
        inside, calls = driver.execute_async_script("""
            const done = arguments[0];
            import('./vantorel.js').then((m) => m.default()).then((v) => {
              // A first round lets the engine move the hot code from its
              // quick first compiler to its optimising one.
              const round = () => ['air', 'saturated-water', 'lead'].map((f) =>
                [f, ...['table', 'values', 'reading'].map((k) => v.nanosecondsPerLookUp(f, k, 1000000))]);
              round();
              const inside = round();
              const count = 20000;
              const start = performance.now();
              for (let i = 0; i < count; i++) JSON.parse(v.calculate('air', String(100 + (i % 2900)), 'K'));
              done([inside, (performance.now() - start) * 1e6 / count]);
            });""")
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)
        httpd.shutdown()

    print("  navigation to results shown, Air at 310 K (ms):")
    print(f"    new profile, frame:    {times(fresh)}")
    print(f"    new profile, painted:  {times(fresh_painted)}")
    print(f"    reload, frame:         {times(reloads)}")
    print(f"    reload, painted:       {times(reloads_painted)}")
    print(f"    new profile, navigated as the browser starts, frame: {times(launched)}")
    print("  transferred, each file as gzip -9 would send it (bytes):")
    total = 0
    for name in sorted(files):
        with open(os.path.join(site, name), "rb") as f:
            raw = f.read()
        packed = len(gzip.compress(raw, 9))
        total += packed
        print(f"    {name:20} {len(raw):8d} raw {packed:8d} gzip")
    print(f"    total {total / 1024:.1f} KB gzip")
    print("  one look-up inside the browser:")
    print("    in the module (ns):     table look-up   SI values (LookUpValues)   whole reading (LookUp)")
    for fluid, table, values, reading in inside:
        print(f"      {fluid:20} {table:10.1f} {values:16.1f} {reading:24.1f}")
    print(f"    calculate('air', T) from the page's script, with texts and working: {calls / 1000:.1f} µs")


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    main(sys.argv[1])
    if len(sys.argv) == 3:
        lighthouse(sys.argv[1], sys.argv[2])
