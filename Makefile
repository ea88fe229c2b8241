# The two commands of the README, and their helpers. Each installs the Debian
# packages it needs when they are missing, configures and builds in build/,
# then runs.

SHELL := /bin/bash
BUILD ?= build
# WERROR=ON makes every compiler warning an error (CI builds so).
WERROR ?= OFF
JOBS ?= $(shell nproc)
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

# What compiling needs, for the build and the packages alike: compiler,
# CMake, Qt 6 Widgets (with the offscreen platform for the window's tests),
# the CLI's parser and JSON writer, and pybind11, Python's headers and NumPy
# for the Python module.
COMPILE_PACKAGES := cmake g++ make pkg-config qt6-base-dev qt6-svg-dev qt6-qpa-plugins \
  libcli11-dev nlohmann-json3-dev pybind11-dev python3-dev python3-numpy

# What building and testing need besides: GoogleTest and Google Benchmark,
# the X client library the benchmarks' window timer uses, the fonts the
# window asks for, and Python 3 for the reference check, the validators of
# the menu entry and the AppStream description, the locale sources the
# command line's decimal-comma test compiles a German locale from, and
# for the Python module's tests pytest, the libraries its results meet
# (pandas, xarray, pint, Dask), python3-build for its sdist and mypy for its
# type stubs.
BUILD_PACKAGES := $(COMPILE_PACKAGES) libgtest-dev libgmock-dev libbenchmark-dev libxcb1-dev \
  fonts-ebgaramond fonts-liberation2 fonts-dejavu-core python3 \
  appstream desktop-file-utils locales python3-pytest \
  python3-pandas python3-xarray python3-pint python3-dask python3-build mypy

# What the window's desktop session test needs: a virtual X server, keys
# to type into it, its clipboard, a D-Bus session with the accessibility bus,
# and the Python bindings a screen reader reads that bus with.
DESKTOP_TEST_PACKAGES := xvfb xauth xdotool xclip dbus-daemon at-spi2-core python3-pyatspi

# What the benchmarks need besides the build: a virtual display to start the
# window in, a way to see it appear, GNU time for peak memory, and the peer.
BENCH_PACKAGES := xvfb xdotool time python3-iapws

# What the packages are built from: the build without any test framework,
# dpkg-buildflags and dpkg-shlibdeps, and lintian to check the result.
PACKAGE_PACKAGES := $(COMPILE_PACKAGES) dpkg-dev file lintian
PACKAGE_BUILD ?= build-package
# Debian's hardening flags: fortified functions, a strong stack protector,
# read-only relocations bound at start (bindnow), position-independent code.
# The packages ship no debugging information (-g0 after Debian's -g).
PACKAGE_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all

# What the Windows build needs: Debian's MinGW-w64 cross compiler (the posix
# thread model), CLI11's headers, Wine to run the programs in the tests, and
# zip's tools.
WINDOWS_PACKAGES := cmake make g++-mingw-w64-x86-64-posix libcli11-dev wine64 zip unzip
WINDOWS_BUILD ?= build-windows

# What fuzzing needs besides the build: clang, with libFuzzer and the
# sanitizers' runtimes.
FUZZ_PACKAGES := clang libclang-rt-14-dev
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_SEED ?=

# The sanitizer build: GCC's address (with leak) and undefined-behaviour
# sanitizers, the first report fatal. The one leak suppressed is glibc's own
# (tests/lsan.supp); the window's tests on the offscreen platform leak nothing.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_FLAGS := -fsanitize=address,undefined -fsanitize=float-cast-overflow \
  -fno-sanitize-recover=all -fno-omit-frame-pointer
SANITIZE_ENV := ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Installs the packages named in $(1) that dpkg does not list as installed.
define ensure_packages
@missing=""; \
for p in $(1); do \
  dpkg-query -W -f='$${db:Status-Status}' $$p 2>/dev/null | grep -qx installed || missing="$$missing $$p"; \
done; \
if [ -n "$$missing" ]; then \
  echo "Installing Debian packages:$$missing"; \
  $(SUDO) apt-get update -qq >/dev/null && \
  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing >/dev/null; \
fi
endef

# What `make web` needs: emscripten (with its clang and the node modules its
# linker runs), librsvg's rsvg-convert for the app's icons, and npm for the
# chart library, which a node from elsewhere may bring along instead of
# Debian's package.
WEB_PACKAGES := emscripten librsvg2-bin
WEB_BUILD ?= $(BUILD)/wasm
WEB_SITE ?= $(BUILD)/web

# What the page's tests in a real browser need: Debian's chromium, its
# driver, and Selenium for Debian's Python.
BROWSER_PACKAGES := chromium chromium-driver python3-selenium

.PHONY: run screenshot test test-sanitize soak fuzz bench package windows python-plot wheel build web deps clean

# What `make screenshot` needs besides the build: a virtual X server, a way
# to type into it and a way to take its picture.
SCREENSHOT_PACKAGES := xvfb xauth xdotool imagemagick

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  echo "No display to open the window on: try 'xvfb-run -a $(BUILD)/window/vantorel', or 'make screenshot'."; \
	else \
	  echo $(BUILD)/window/vantorel; $(BUILD)/window/vantorel; \
	fi

# Starts the window on a virtual screen, chooses Air at 310 K from the
# keyboard and writes docs/screenshot.png; opens the web page with Air at
# 310 K in headless chromium and writes docs/web.png.
screenshot: build web
	$(call ensure_packages,$(SCREENSHOT_PACKAGES) chromium)
	@mkdir -p docs
	xvfb-run -a -s '-screen 0 1024x768x24' window/screenshot.sh $(BUILD)/window/vantorel docs/screenshot.png
	@echo "Wrote docs/screenshot.png"
	web/screenshot.sh $(WEB_SITE) docs/web.png
	@echo "Wrote docs/web.png"

test: build web windows
	$(call ensure_packages,$(BROWSER_PACKAGES))
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# A long random session with the window on the offscreen platform, checked
# after every action: SOAK_ACTIONS actions (default 20000), from SEED when
# given, else from a new seed that it prints.
SOAK_ACTIONS ?= 20000
soak: build
	QT_QPA_PLATFORM=offscreen VANTOREL_MONKEY_ACTIONS=$(SOAK_ACTIONS) VANTOREL_MONKEY_SEED=$(SEED) \
	  $(BUILD)/tests/window_monkey

# Every test of make test, built with the sanitizers in $(SANITIZE_BUILD)/.
# Fails on a failed test and on any sanitizer report in the tests' output.
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVANTOREL_BENCH=OFF -DVANTOREL_WERROR=$(WERROR) \
	  "-DCMAKE_CXX_FLAGS=$(SANITIZE_FLAGS)" >/dev/null
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	$(SANITIZE_ENV) ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS)
	@if grep -nE 'ERROR: (Address|Leak)Sanitizer|runtime error:|SUMMARY: (Address|Leak|UndefinedBehavior)Sanitizer' \
	    $(SANITIZE_BUILD)/Testing/Temporary/LastTest.log; then \
	  echo "Sanitizer reports in $(SANITIZE_BUILD)/Testing/Temporary/LastTest.log"; exit 1; \
	fi
	@echo "No sanitizer report."

# Each fuzz target for FUZZ_SECONDS (default 60) under libFuzzer with the
# address and undefined-behaviour sanitizers, in its own build directory;
# FUZZ_SEED repeats a run. New inputs and findings stay in $(FUZZ_BUILD)/.
fuzz: deps
	$(call ensure_packages,$(FUZZ_PACKAGES))
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DVANTOREL_FUZZ=ON >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_SEED=$(FUZZ_SEED) tests/fuzz/run.sh $(FUZZ_BUILD)

# The Debian packages, in $(PACKAGE_BUILD)/: a build of only what they ship
# (no tests, no benchmarks), for /usr, with Debian's hardening flags; then
# lintian, which must find no error and no warning.
package:
	$(call ensure_packages,$(PACKAGE_PACKAGES))
	@export $(PACKAGE_FLAGS); ldflags=$$(dpkg-buildflags --get LDFLAGS); \
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DVANTOREL_TESTS=OFF -DVANTOREL_BENCH=OFF -DCMAKE_STRIP=$(CURDIR)/dist/strip-for-package \
	  "-DCMAKE_CXX_FLAGS=$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS) -g0" \
	  "-DCMAKE_EXE_LINKER_FLAGS=$$ldflags" "-DCMAKE_SHARED_LINKER_FLAGS=$$ldflags" \
	  "-DCMAKE_MODULE_LINKER_FLAGS=$$ldflags" >/dev/null
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack
	lintian --fail-on error,warning $(PACKAGE_BUILD)/*.deb
	@ls $(PACKAGE_BUILD)/*.deb

# vantorel.dll (with its import library), vantorel-props.exe and the C
# example for 64-bit Windows, cross-compiled in $(WINDOWS_BUILD)/, and the
# zip of them there, made once the DLL is seen to export the public calls
# and nothing else. The tests run them under Wine.
windows:
	$(call ensure_packages,$(WINDOWS_PACKAGES))
	@cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DVANTOREL_WERROR=$(WERROR) -DVANTOREL_TESTS=OFF -DVANTOREL_BENCH=OFF \
	  -DVANTOREL_WINDOW=OFF -DVANTOREL_PYTHON=OFF >/dev/null
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# What the README's plot of air needs besides the build.
PLOT_PACKAGES := python3-matplotlib

# Draws μ and k of air over its range with the book's rows marked, from the
# module in the build, to docs/python-air.png.
python-plot: build
	$(call ensure_packages,$(PLOT_PACKAGES))
	PYTHONPATH=$(BUILD)/python /usr/bin/python3 examples/python/plot_air.py docs/python-air.png

# What building the sdist and the wheel from this checkout needs, offline: a
# compiler, Python's headers, build, and pip with setuptools, pybind11 and
# wheel; none of the build's Qt or test tools.
WHEEL_PACKAGES := g++ python3-dev python3-pip python3-setuptools python3-pybind11 python3-wheel python3-build

# The module's sdist (pyproject.toml, MANIFEST.in), then the wheel pip builds
# from that sdist alone, both in $(BUILD)/wheel/.
wheel:
	$(call ensure_packages,$(WHEEL_PACKAGES))
	rm -f $(BUILD)/wheel/vantorel-*.tar.gz
	/usr/bin/python3 -m build --sdist --no-isolation --outdir $(BUILD)/wheel .
	/usr/bin/python3 -m pip wheel --no-build-isolation --no-index --no-deps -w $(BUILD)/wheel $(BUILD)/wheel/vantorel-*.tar.gz

# Speed and memory of the table procedures, vantorel-props and the window,
# a peer's time for the same saturated-water look-ups, and the web page's
# start, size, look-ups and Lighthouse scores in headless chromium.
# Lighthouse comes from the npm registry at the version
# bench/lighthouse/package-lock.json pins, into $(LIGHTHOUSE_DIR), and is
# installed again only when that lock file changes; it drives Debian's
# chromium and downloads no browser of its own.
LIGHTHOUSE_DIR ?= $(BUILD)/lighthouse
bench: build web
	$(call ensure_packages,$(BENCH_PACKAGES) $(BROWSER_PACKAGES))
	@cmp -s bench/lighthouse/package-lock.json $(LIGHTHOUSE_DIR)/installed.json || { \
	  echo "Installing Lighthouse from bench/lighthouse/package-lock.json into $(LIGHTHOUSE_DIR)"; \
	  mkdir -p $(LIGHTHOUSE_DIR) && \
	  cp bench/lighthouse/package.json bench/lighthouse/package-lock.json $(LIGHTHOUSE_DIR)/ && \
	  (cd $(LIGHTHOUSE_DIR) && PUPPETEER_SKIP_DOWNLOAD=1 PUPPETEER_SKIP_CHROMIUM_DOWNLOAD=1 \
	    npm ci --ignore-scripts --no-audit --no-fund --loglevel=error) && \
	  cp bench/lighthouse/package-lock.json $(LIGHTHOUSE_DIR)/installed.json; }
	bench/run.sh $(BUILD) $(WEB_SITE) $(LIGHTHOUSE_DIR)/node_modules/.bin/lighthouse

# The page's tests run against the site that `make web` writes, the Wine
# suite against the programs of `make windows`.
build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DVANTOREL_WERROR=$(WERROR) \
	  -DVANTOREL_WEB_SITE=$(abspath $(WEB_SITE)) -DVANTOREL_WINDOWS_DIR=$(abspath $(WINDOWS_BUILD)) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

# The static site in $(WEB_SITE)/: tables/ compiled to WebAssembly by
# emscripten in $(WEB_BUILD)/, the page, and the chart library from npm.
web:
	$(call ensure_packages,cmake make $(WEB_PACKAGES))
	@command -v npm >/dev/null 2>&1 || { \
	  echo "Installing Debian packages: npm"; \
	  $(SUDO) apt-get update -qq >/dev/null && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends npm >/dev/null; }
	@NODE_PATH=/usr/share/nodejs emcmake cmake -S web -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DVANTOREL_WERROR=$(WERROR) \
	  -DVANTOREL_SITE_DIR=$(abspath $(WEB_SITE)) >/dev/null
	NODE_PATH=/usr/share/nodejs cmake --build $(WEB_BUILD) -j $(JOBS)
	@echo "The site is in $(WEB_SITE)/. Serve it and open http://127.0.0.1:8000/ with:"
	@echo "  python3 web/tests/serve.py $(WEB_SITE) 8000   (gzipped, as a host serves it)"

deps:
	$(call ensure_packages,$(BUILD_PACKAGES) $(DESKTOP_TEST_PACKAGES))

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(SANITIZE_BUILD) $(PACKAGE_BUILD) $(WINDOWS_BUILD)
