# The two commands of the README, and their helpers. Each installs the Debian
# packages it needs when they are missing, configures and builds in build/,
# then runs.

SHELL := /bin/bash
BUILD ?= build
JOBS ?= $(shell nproc)
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

# What building and testing need: compiler, CMake, Qt 6 Widgets (with the
# offscreen platform for the window's tests), the fonts the window asks for,
# the CLI's parser and JSON writer, GoogleTest and Google Benchmark, the X
# client library the benchmarks' window timer uses, and Python 3 for the
# reference check, the validators of the menu entry and the AppStream
# description, and the locale sources the command line's decimal-comma test
# compiles a German locale from.
BUILD_PACKAGES := cmake g++ make pkg-config qt6-base-dev qt6-qpa-plugins \
  libcli11-dev nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev libxcb1-dev \
  fonts-ebgaramond fonts-liberation2 fonts-dejavu-core python3 \
  appstream desktop-file-utils locales

# What the window's desktop session test needs: a virtual X server, keys
# to type into it, its clipboard, a D-Bus session with the accessibility bus,
# and the Python bindings a screen reader reads that bus with.
DESKTOP_TEST_PACKAGES := xvfb xauth xdotool xclip dbus-daemon at-spi2-core python3-pyatspi

# What the benchmarks need besides the build: a virtual display to start the
# window in, a way to see it appear, GNU time for peak memory, and the peer.
BENCH_PACKAGES := xvfb xdotool time python3-iapws

# What packaging needs: dpkg-shlibdeps for the package's dependencies.
PACKAGE_PACKAGES := dpkg-dev file

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

.PHONY: run screenshot test test-sanitize soak fuzz bench package build deps clean

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
# keyboard and writes docs/screenshot.png.
screenshot: build
	$(call ensure_packages,$(SCREENSHOT_PACKAGES))
	@mkdir -p docs
	xvfb-run -a -s '-screen 0 1024x768x24' window/screenshot.sh $(BUILD)/window/vantorel docs/screenshot.png
	@echo "Wrote docs/screenshot.png"

test: build
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
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVANTOREL_BENCH=OFF \
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

# A Debian package of everything `cmake --install` installs, in build/.
package: build
	$(call ensure_packages,$(PACKAGE_PACKAGES))
	cd $(BUILD) && cpack

# Speed and memory of the table procedures, vantorel-props and the window,
# and a peer's time for the same saturated-water look-ups.
bench: build
	$(call ensure_packages,$(BENCH_PACKAGES))
	bench/run.sh $(BUILD)

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

deps:
	$(call ensure_packages,$(BUILD_PACKAGES) $(DESKTOP_TEST_PACKAGES))

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(SANITIZE_BUILD)
