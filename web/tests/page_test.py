#!/usr/bin/python3
"""The web page in a real browser: Debian's chromium, headless, driven by
Selenium against the site that `make web` writes, served on 127.0.0.1.

    page_test.py SITE_DIR VANTOREL_PROPS DATA_DIR [TestClass ...]

PageTest drives the page as a user does and holds what it shows to
vantorel-props; TextsTest holds the texts of the page's module for every
fluid across its range to vantorel-props; ReferenceTest holds the page to
the independent reference (tests/reference/reference.py) and its examples
worked out by hand.
"""

import csv
import functools
import http.server
import io
import os
import random
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import urllib.parse

from selenium import webdriver
from selenium.common.exceptions import NoAlertPresentException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

SITE = PROPS = DATA = None
HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))


# ---------------------------------------------------------------------------
# The server, the browser and vantorel-props.

class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class Server:
    """The site on 127.0.0.1, on a port the system picks."""

    def __init__(self, site):
        handler = functools.partial(QuietHandler, directory=site)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = f"http://127.0.0.1:{self.httpd.server_address[1]}/"
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


def start_browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--disable-dev-shm-usage", f"--user-data-dir={profile}", "--window-size=1280,1000"):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def props(*args):
    """vantorel-props' CSV for `args`, as a list of rows (dicts)."""
    out = subprocess.run([PROPS, *args, "--format", "csv"], check=True, capture_output=True, text=True).stdout
    return list(csv.DictReader(io.StringIO(out)))


def props_csv(*args):
    return subprocess.run([PROPS, *args, "--format", "csv"], check=True, capture_output=True, text=True).stdout


class BrowserCase(unittest.TestCase):
    """One server and one browser, in a fresh profile, for a class of tests."""

    @classmethod
    def setUpClass(cls):
        cls.profile = tempfile.mkdtemp(prefix="vantorel-chromium-")
        cls.server = Server(SITE)
        cls.driver = start_browser(cls.profile)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.stop()
        shutil.rmtree(cls.profile, ignore_errors=True)

    def open(self, query="", server=None):
        self.driver.get((server or self.server).url + "index.html" + (f"?{query}" if query else ""))
        self.wait_for(lambda d: d.execute_script("return document.documentElement.dataset.ready === 'true'"))

    def wait_for(self, condition, timeout=10):
        return WebDriverWait(self.driver, timeout).until(condition)

    def shown(self):
        """data-property -> text of every value the page shows."""
        return self.driver.execute_script(
            "return Object.fromEntries([...document.querySelectorAll('[data-property]')]"
            ".map((e) => [e.dataset.property, e.textContent]))")

    def element(self, element_id):
        return self.driver.find_element(By.ID, element_id)

    def alert_text(self):
        return self.driver.find_element(By.CSS_SELECTOR, '[role="alert"]').text

    def module(self, body, *args):
        """Runs `body` in the page with `v`, an instance of the page's
        WebAssembly module of its own, and `args`; returns what it returns."""
        script = ("const done = arguments[arguments.length - 1];"
                  "(window.vantorelUnderTest ??= import('./vantorel.js').then((m) => m.default())).then((v) => {"
                  f"const args = arguments; done((() => {{ {body} }})()); }})"
                  ".catch((e) => done({error: String(e)}));")
        self.driver.set_script_timeout(300)
        return self.driver.execute_async_script(script, *args)


# ---------------------------------------------------------------------------
# As a user uses it.

class PageTest(BrowserCase):

    def test_shows_the_window_texts_for_one_fluid_of_each_category_and_the_markers(self):
        cases = [("air", "310"), ("engine-oil", "300"), ("saturated-water", "647.3"), ("saturated-water", "430"),
                 ("lead", "756"), ("mercury", "273"), ("pbbi", "644")]
        for fluid, t in cases:
            with self.subTest(fluid=fluid, T=t):
                self.open(f"fluid={fluid}&T={t}")
                expected = props(fluid, t)[0]
                del expected["T"]
                self.assertEqual(self.shown(), expected)
        self.open("fluid=saturated-water&T=647.3")
        self.assertEqual(self.shown()["Cpf"], "INFINITE")
        self.assertEqual(self.shown()["Betaf"], "----")

    def test_a_link_opens_with_its_fluid_temperature_unit_and_plotted_property_from_its_own_files(self):
        self.open("fluid=air&T=310&plot=Mu")
        self.assertEqual(self.element("category").get_attribute("value"), "0")
        self.assertEqual(self.element("fluid").get_attribute("value"), "air")
        self.assertEqual(self.element("temperature").get_attribute("value"), "310")
        self.assertEqual(self.element("plot-property").get_attribute("value"), "Mu")
        self.assertEqual(self.element("results-title").text, "Air at 310 K")
        self.assertIn("Table A.4, 100K <= T <= 3000K", self.element("fluid-range").text)
        self.assertEqual(self.shown()["Mu"], "189.3E-7")
        # A name people type, and a unit.
        self.open("fluid=co2&T=126.85&unit=C")
        self.assertEqual(self.element("fluid").get_attribute("value"), "carbon-dioxide")
        self.assertEqual(self.element("unit").get_attribute("value"), "C")
        self.assertEqual(self.element("results-title").text, "Carbon Dioxide (CO2) at 400 K (126.85 °C)")
        self.assertEqual(self.shown()["Rho"], "1.3257")
        self.chart_colours()  # once the chart library has loaded too
        asked = self.driver.execute_script("return performance.getEntriesByType('resource').map((r) => r.name)")
        self.assertEqual([name for name in asked if not name.startswith(self.server.url)], [])

    def test_the_url_follows_what_the_user_chooses(self):
        self.open("fluid=air")
        field = self.element("temperature")
        field.send_keys("500")
        query = urllib.parse.parse_qs(urllib.parse.urlsplit(self.driver.current_url).query)
        self.assertEqual(query["fluid"], ["air"])
        self.assertEqual(query["T"], ["500"])
        link = self.driver.current_url
        self.open("fluid=lead&T=700")
        self.driver.get(link)
        self.wait_for(lambda d: d.execute_script("return document.documentElement.dataset.ready === 'true'"))
        self.assertEqual(self.shown(), {k: v for k, v in props("air", "500")[0].items() if k != "T"})

    def test_results_follow_each_keystroke_and_celsius_is_converted_in_decimal(self):
        self.open("fluid=air")
        self.element("unit").send_keys(Keys.ARROW_DOWN)  # K -> °C, from the keyboard
        self.assertEqual(self.element("unit").get_attribute("value"), "C")
        field = self.element("temperature")
        field.send_keys("3")
        self.assertEqual(self.element("results-title").text, "Air at 276.15 K (3 °C)")
        self.assertEqual(self.shown(), {k: v for k, v in props("air", "276.15")[0].items() if k != "T"})
        for key in "6.85":
            field.send_keys(key)
        # 36.85 °C is 310 K exactly in decimal (in binary 36.85 + 273.15 is not).
        self.assertEqual(self.element("results-title").text, "Air at 310 K (36.85 °C)")
        self.assertEqual(self.shown(), {k: v for k, v in props("air", "310")[0].items() if k != "T"})
        self.element("unit").send_keys(Keys.ARROW_DOWN)  # °F: 36.85 °F is 275.844... K
        self.assertEqual(self.element("results-title").text, "Air at 275.84444444444443 K (36.85 °F)")
        self.assertEqual(self.alert_text(), "")

    def test_errors_show_inline_with_the_range_and_never_as_a_dialog(self):
        self.open("fluid=air&T=5000")
        self.assertEqual(self.alert_text(), "T = 5000 K is outside the range of Air, 100K <= T <= 3000K")
        self.assertFalse(self.element("results").is_displayed())
        self.assertEqual(self.element("temperature").get_attribute("aria-invalid"), "true")
        field = self.element("temperature")
        field.send_keys(Keys.CONTROL, "a")
        field.send_keys("abc")
        self.assertEqual(self.alert_text(), '"abc" is not a temperature: type a number such as 310 or 36.85')
        self.assertEqual(set(self.shown().values()), {""})
        field.send_keys(Keys.CONTROL, "a")
        field.send_keys("310,5")
        self.assertIn("with a point as the decimal mark", self.alert_text())
        with self.assertRaises(NoAlertPresentException):
            self.driver.switch_to.alert.text
        field.send_keys(Keys.CONTROL, "a")
        field.send_keys("310.5")
        self.assertEqual(self.alert_text(), "")
        self.assertTrue(self.element("results").is_displayed())
        self.open("fluid=helum&T=300")
        self.assertEqual(self.alert_text(), 'unknown fluid "helum"; closest: helium')

    def test_the_working_and_the_book_rows_are_shown(self):
        self.open("fluid=air&T=310")
        working = self.element("working")
        self.assertFalse(self.element("working-lines").is_displayed())
        working.find_element(By.TAG_NAME, "summary").send_keys(Keys.ENTER)  # opens from the keyboard
        lines = [li.text for li in self.element("working-lines").find_elements(By.TAG_NAME, "li")]
        self.assertEqual(len(lines), 8)
        self.assertEqual(lines[0], "ρ = 1.1614 + (310 − 300)/(350 − 300) × (0.9950 − 1.1614) = 1.12812 → 1.1281")
        self.assertEqual(lines[7], "β·10³ = 1000/310 = 3.2258 → 3.23")
        self.assertEqual(self.element("source").text, "From Table A.4, between the rows at 300 K and 350 K.")

    def chart_colours(self):
        """How many pixels of the chart's canvas have the curve's, the book
        rows' and the marker's colours."""
        self.wait_for(lambda d: d.find_elements(By.CSS_SELECTOR, "#chart canvas"))
        time.sleep(0.2)  # the chart follows the results by a frame
        return self.driver.execute_script("""
            const canvas = document.querySelector('#chart canvas');
            const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
            const near = (i, r, g, b) => Math.abs(data[i] - r) + Math.abs(data[i + 1] - g) + Math.abs(data[i + 2] - b) < 40;
            const count = {curve: 0, rows: 0, marker: 0};
            for (let i = 0; i < data.length; i += 4) {
              if (data[i + 3] < 200) continue;
              if (near(i, 0x1c, 0x5d, 0x99)) count.curve++;
              if (near(i, 0x9c, 0x2a, 0x00)) count.rows++;
              if (near(i, 0x11, 0x11, 0x11)) count.marker++;
            }
            return count;""")

    def test_the_chart_draws_the_property_over_the_range_with_rows_and_the_temperature(self):
        self.open("fluid=air&T=310&plot=Mu")
        drawn = self.chart_colours()
        self.assertGreater(drawn["curve"], 500)
        self.assertGreater(drawn["rows"], 200)
        self.assertGreater(drawn["marker"], 25)
        self.assertIn("μ·10⁷ (N·s/m²)", self.element("chart").text)
        self.assertEqual(self.element("chart").get_attribute("aria-label"),
                         "Chart of the dynamic viscosity of Air over 100K <= T <= 3000K, with 310 K marked")
        # Without a temperature there is nothing to mark.
        self.open("fluid=air&plot=Mu")
        self.assertEqual(self.chart_colours()["marker"], 0)

    def test_the_chart_leaves_a_gap_where_the_book_has_no_value(self):
        # Lead's specific heat ends at 755 K, a third of the way along its
        # range (644 K to 977 K): the right two thirds of the plot are empty.
        self.open("fluid=lead&T=700&plot=Cp")
        self.chart_colours()
        columns = self.driver.execute_script("""
            const canvas = document.querySelector('#chart canvas');
            const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
            const xs = [];
            for (let i = 0; i < data.length; i += 4)
              if (Math.abs(data[i] - 0x1c) + Math.abs(data[i + 1] - 0x5d) + Math.abs(data[i + 2] - 0x99) < 40)
                xs.push((i / 4) % canvas.width);
            return [Math.min(...xs), Math.max(...xs), canvas.width];""")
        left, right, width = columns
        self.assertLess(right - left, 0.5 * width)

    def test_a_sweep_downloads_the_csv_that_vantorel_props_writes(self):
        downloads = tempfile.mkdtemp(prefix="vantorel-downloads-")
        self.addCleanup(shutil.rmtree, downloads, True)
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
        for fluid, start, end, step in [("air", "300", "310", "0.5"), ("saturated-water", "640", "647.3", "0.25"),
                                        ("lead", "644", "977", "37")]:
            with self.subTest(fluid=fluid):
                self.open(f"fluid={fluid}")
                for field, text in (("sweep-from", start), ("sweep-to", end), ("sweep-step", step)):
                    self.element(field).clear()
                    self.element(field).send_keys(text)
                self.element("sweep-step").send_keys(Keys.ENTER)
                expected = props_csv(fluid, "--from", start, "--to", end, "--step", step)
                rows = self.driver.find_elements(By.CSS_SELECTOR, "#sweep-table tbody tr")
                self.assertEqual(len(rows), expected.count("\n") - 1)
                self.element("download").click()
                name = os.path.join(downloads, f"{fluid}-{start}-{end}-{step}.csv")
                self.wait_for(lambda d: os.path.exists(name) and os.path.getsize(name) > 0)
                with open(name, encoding="utf-8", newline="") as f:
                    self.assertEqual(f.read(), expected)
                query = urllib.parse.parse_qs(urllib.parse.urlsplit(self.driver.current_url).query)
                self.assertEqual((query["from"], query["to"], query["step"]), ([start], [end], [step]))

    def test_a_sweep_refuses_bad_input_inline(self):
        self.open("fluid=air")
        self.element("sweep-from").clear()
        self.element("sweep-from").send_keys("50")
        self.element("sweep-from").send_keys(Keys.ENTER)
        sweep_alert = self.element("sweep-error")
        self.assertEqual(sweep_alert.get_attribute("role"), "alert")
        self.assertEqual(sweep_alert.text, "From: T = 50 K is outside the range of Air, 100K <= T <= 3000K")
        self.assertFalse(self.element("sweep-output").is_displayed())

    def test_copy_puts_tab_separated_rows_with_units_on_the_clipboard(self):
        self.driver.execute_cdp_cmd("Browser.grantPermissions", {
            "origin": self.server.url.rstrip("/"), "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        self.open("fluid=air&from=300&to=301&step=0.5")
        self.assertTrue(self.element("sweep-output").is_displayed())
        self.element("copy").click()
        self.wait_for(lambda d: self.element("sweep-status").text.startswith("Copied"))
        copied = self.driver.execute_async_script(
            "const done = arguments[0]; navigator.clipboard.readText().then(done, (e) => done(String(e)));")
        self.assertEqual(copied,
                         "T (K)\tρ (kg/m³)\tc_p (kJ/kg·K)\tμ (N·s/m²)\tν (m²/s)\tk (W/m·K)\tα (m²/s)\tPr\tβ (K⁻¹)\n"
                         + props_csv("air", "--from", "300", "--to", "301", "--step", "0.5")
                         .split("\n", 1)[1].replace(",", "\t"))

    def test_every_control_has_a_label_and_the_keyboard_reaches_them_in_order(self):
        self.open("fluid=air&T=310")
        unlabelled = self.driver.execute_script("""
            return [...document.querySelectorAll('input, select, button')].filter((e) =>
              !(e.labels && e.labels.length) && !e.getAttribute('aria-label') && !e.textContent.trim()).map((e) => e.id);""")
        self.assertEqual(unlabelled, [])
        self.driver.execute_script("document.activeElement.blur()")
        order = []
        for _ in range(6):
            ActionChains(self.driver).send_keys(Keys.TAB).perform()
            order.append(self.driver.switch_to.active_element.get_attribute("id"))
        self.assertEqual(order[:5], ["category", "fluid", "temperature", "unit", ""])
        self.assertEqual(order[4:6], ["", "plot-property"])  # the working's summary, then the chart's choice

    def test_a_keyboard_alone_chooses_a_category_fluid_and_temperature(self):
        self.open()
        self.element("category").send_keys(Keys.ARROW_DOWN, Keys.ARROW_DOWN)  # Saturated Water
        self.assertEqual(self.element("fluid").get_attribute("value"), "saturated-water")
        self.element("category").send_keys(Keys.TAB)
        self.driver.switch_to.active_element.send_keys(Keys.TAB)
        self.driver.switch_to.active_element.send_keys("373.15")
        self.assertEqual(self.driver.switch_to.active_element.get_attribute("id"), "temperature")
        self.assertEqual(self.shown()["P"], "1.0133")

    def test_text_has_readable_contrast(self):
        self.open("fluid=air&T=5000")
        ratios = self.driver.execute_script("""
            const luminance = (colour) => {
              const [r, g, b] = colour.match(/[\\d.]+/g).slice(0, 3).map(Number).map((c) => {
                c /= 255;
                return c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
              });
              return 0.2126 * r + 0.7152 * g + 0.0722 * b;
            };
            const background = (e) => {
              for (; e; e = e.parentElement) {
                const c = getComputedStyle(e).backgroundColor;
                if (!c.endsWith(', 0)') && c !== 'transparent') return c;
              }
              return 'rgb(255, 255, 255)';
            };
            const out = {};
            for (const selector of ['h1', 'label', '.hint', '.error', 'button', 'summary', 'footer p', '.si', 'th']) {
              const e = document.querySelector(selector);
              const [a, b] = [luminance(getComputedStyle(e).color), luminance(background(e))];
              out[selector] = (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
            }
            return out;""")
        for selector, ratio in ratios.items():
            self.assertGreaterEqual(ratio, 4.5, selector)

    def test_fits_a_phone_and_uses_a_wide_screen(self):
        self.addCleanup(self.driver.set_window_size, 1280, 1000)
        self.driver.set_window_size(375, 800)
        self.open("fluid=saturated-water&T=373.15&from=273.15&to=300&step=1")
        self.assertLessEqual(self.driver.execute_script("return document.documentElement.scrollWidth"),
                             self.driver.execute_script("return window.innerWidth"))
        for element_id in ("category", "fluid", "temperature", "chart"):
            rect = self.element(element_id).rect
            self.assertLessEqual(rect["x"] + rect["width"], 375, element_id)
        self.driver.set_window_size(1920, 1080)
        self.open("fluid=air&T=310")
        calculator, chart = self.element("calculator").rect, self.element("plot").rect
        self.assertGreaterEqual(chart["x"], calculator["x"] + calculator["width"])  # side by side
        self.assertGreater(self.element("chart").rect["width"], 700)


class OfflineTest(BrowserCase):

    def test_works_offline_after_the_first_visit(self):
        server = Server(SITE)
        self.open("fluid=air&T=310", server=server)
        self.driver.set_script_timeout(30)
        controlled = self.driver.execute_async_script("""
            const done = arguments[0];
            navigator.serviceWorker.ready.then(() => {
              if (navigator.serviceWorker.controller) return done(true);
              navigator.serviceWorker.addEventListener('controllerchange', () => done(true));
            });""")
        self.assertTrue(controlled)
        server.stop()
        self.open("fluid=nitrogen&T=500&plot=K", server=server)
        self.assertEqual(self.shown(), {k: v for k, v in props("nitrogen", "500")[0].items() if k != "T"})
        self.assertTrue(self.wait_for(lambda d: d.find_elements(By.CSS_SELECTOR, "#chart canvas")))


# ---------------------------------------------------------------------------
# The module's texts, everywhere.

class TextsTest(BrowserCase):

    def test_every_fluid_across_its_range_shows_what_vantorel_props_shows(self):
        self.open()
        fluids = self.module("return JSON.parse(v.catalog()).flatMap((c) => c.fluids.map((f) => [f.id, f.Tmin, f.Tmax]));")
        self.assertEqual(len(fluids), 22)
        rng = random.Random(20261208)
        cells = 0
        for fid, tmin, tmax in fluids:
            # Every quarter kelvin, the ends, and random doubles of all 17 digits.
            ts = [tmin + i * 0.25 for i in range(int((tmax - tmin) / 0.25) + 1)] + [tmax]
            ts += [rng.uniform(tmin, tmax) for _ in range(200)]
            with self.subTest(fluid=fid):
                page = self.module("""
                    const [fid, ts] = args;
                    return ts.map((t) => {
                      const r = JSON.parse(v.calculate(fid, String(t), 'K'));
                      return r.error ? [r.error] : [r.Ttext, ...r.properties.map((p) => p.text)];
                    });""", fid, ts)
                expected = subprocess.run([PROPS, fid, *map(repr, ts), "--format", "csv"], check=True,
                                          capture_output=True, text=True).stdout.splitlines()[1:]
                self.assertEqual(len(page), len(expected))
                for t, got, want in zip(ts, page, expected):
                    self.assertEqual(",".join(got), want, f"T = {t!r}")
                    cells += len(got)
        self.assertGreater(cells, 200_000)

    def test_shortest_texts_have_the_digits_javascript_gives(self):
        # JavaScript's own number-to-text is the shortest round trip too:
        # the module's texts must carry the same digits and exponent.
        self.open()
        mismatches = self.module("""
            const split = (text) => {
              const m = /^(-?)(\\d+)(?:\\.(\\d+))?(?:e([+-]?\\d+))?$/.exec(text);
              if (!m) return text;
              let digits = m[2] + (m[3] || ''), exponent = Number(m[4] || 0) - (m[3] || '').length;
              const lead = digits.match(/^0*/)[0].length;
              digits = digits.slice(lead) || '0';
              while (digits.length > 1 && digits.endsWith('0')) { digits = digits.slice(0, -1); exponent++; }
              return m[1] + digits + 'e' + (digits === '0' ? 0 : exponent);
            };
            const view = new DataView(new ArrayBuffer(8));
            let seed = 12345;
            const next = () => (seed = (seed * 1103515245 + 12345) % 2147483648);
            const values = [0.1, 0.3, 1e21, 1e22, 5e-324, 1.7976931348623157e308, 2 ** -1022, 300.30000000000001];
            for (let e = -1074; e <= 1023; e++) values.push(2 ** e);
            for (let i = 0; i < 20000; i++) {
              view.setUint32(0, next() * 2 + (next() & 1));
              view.setUint32(4, next() * 2 + (next() & 1));
              const x = view.getFloat64(0);
              if (Number.isFinite(x)) values.push(x);
            }
            const bad = [];
            for (const x of values) {
              const text = v.shortest(x);
              // A whole number from 2^53 up is written plain with all its
              // digits, as printf's %.0f writes it; JavaScript rounds them off.
              const whole = /^-?\d+$/.test(text) && Math.abs(x) >= 2 ** 53;
              if (whole ? Number(text) !== x : split(text) !== split(String(x))) bad.push([x, text, String(x)]);
            }
            return bad.slice(0, 10);""")
        self.assertEqual(mismatches, [])

    def test_celsius_and_fahrenheit_convert_exactly_in_decimal(self):
        self.open()
        got = self.module("return args[0].map(([text, unit]) => v.kelvin(text, unit));",
                          [["36.85", "C"], ["-273.15", "C"], ["98.6", "F"], ["-459.67", "F"], ["212", "F"],
                           ["0.1", "C"], ["1e-3", "C"], ["abc", "C"], ["", "K"]])
        self.assertEqual(got, [310.0, 0.0, 310.15, 0.0, 373.15, 273.25, 273.151, None, None])


# ---------------------------------------------------------------------------
# Against the independent reference.

class ReferenceTest(BrowserCase):

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        sys.path.insert(0, os.path.join(SOURCE, "tests", "reference"))
        import reference
        cls.reference = reference
        cls.fluids = {f[0]: f for f in reference.build_fluids(DATA)}

    def test_the_examples_worked_out_by_hand(self):
        for fid, t, cells in self.reference.EXAMPLES:
            with self.subTest(fluid=fid, T=t):
                self.open(f"fluid={fid}&T={t!r}")
                shown = self.shown()
                self.assertEqual({k: shown.get(k) for k in cells}, cells)

    def test_random_temperatures_of_every_fluid_match_the_reference(self):
        self.open()
        ranges = self.module("return JSON.parse(v.catalog()).flatMap((c) => c.fluids.map((f) => [f.id, f.Tmin, f.Tmax]));")
        rng = random.Random(7)
        for fid, tmin, tmax in ranges:
            fluid = self.fluids[fid]
            for t in [round(rng.uniform(tmin, tmax), rng.choice([0, 1, 2, 3])) for _ in range(3)]:
                with self.subTest(fluid=fid, T=t):
                    self.open(f"fluid={fid}&T={t!r}")
                    self.assertEqual(self.shown(), dict(zip(fluid[1], self.reference.expected_cells(fluid, t))))


if __name__ == "__main__":
    if len(sys.argv) < 4:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    SITE, PROPS, DATA = sys.argv[1:4]
    if not os.path.isfile(os.path.join(SITE, "index.html")):
        print(f"page_test: no site at {SITE}: run `make web` first", file=sys.stderr)
        sys.exit(1)
    unittest.main(argv=[sys.argv[0], "-v", *sys.argv[4:]])
