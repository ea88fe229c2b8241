#!/usr/bin/env bash
# Vantorel's performance figures, in one run on this machine:
#   1. ns per look-up of each fluid through the door, and rows per second of
#      the CSV and JSON row writers with their ratio (Google Benchmark,
#      median of 5);
#   2. vantorel-props: rows per second of a 1,000,000-row CSV sweep written to
#      /dev/null, and its peak memory;
#   3. the window: from process start to the window first shown under Xvfb,
#      median of 15 starts, beside a minimal Qt Widgets window started the
#      same way in the same run (bench/yardstick_window.cpp), the ratio of the
#      two, and the window's peak memory;
#   4. a peer: saturated-water properties at the same 10,000 temperatures from
#      python3-iapws (IAPWS-IF97) and from vantorel-props, and the ratio;
#   5. the web page in headless chromium (bench/web.py): navigation to
#      results shown, in a new profile and on reload, what it transfers
#      (gzip), a look-up inside the browser, and, given LIGHTHOUSE,
#      Lighthouse's scores and timings for a phone and a desktop, with the
#      page served gzipped;
#   6. the Python module: air and saturated water over arrays of 1,000,000
#      temperatures, python3-iapws per state in the same run, and a Python
#      loop of single look-ups.
#   7. the Python module's texts and source rows of 1,000,000 and 10,000,000
#      saturated-water temperatures against the time of their values, and
#      the peak memory of each run beside that of its values and texts.
# Usage: bench/run.sh BUILD_DIR [SITE_DIR [LIGHTHOUSE]]
#   LIGHTHOUSE: the path of Lighthouse's command (`make bench` installs it
#   from bench/lighthouse/); without it the scores are left out.
set -euo pipefail
build=${1:-build}
site=${2:-$build/web}
lighthouse=${3:-}
props=$build/cli/vantorel-props
window=$build/window/vantorel
yardstick=$build/bench/yardstick_window
first_shown=$build/bench/first_shown

now_ns() { date +%s%N; }
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
peak_kb() { /usr/bin/time -f '%M' -o /tmp/vantorel-bench-time "$@" >/dev/null 2>&1 || true; tail -n 1 /tmp/vantorel-bench-time; }

echo "== Look-ups: ns per call (processor time), median of 5 repetitions"
medians=$("$build/bench/tables_bench" --benchmark_min_time=0.1 --benchmark_format=console 2>/dev/null |
  awk '/_median/ {sub("/repeats:5_median", "", $1); print $1, $4}')
awk '$1 !~ /^Rows\// {printf "  %-28s %6.1f ns\n", $1, $2}' <<<"$medians"
echo
echo "== Row writers: rows of air across its range, median of 5 repetitions"
awk '$1 ~ /^Rows\// {ns[$1] = $2; printf "  %-10s %6.1f ns per row, %5.2f million rows/s\n", $1, $2, 1e3 / $2}
  END {printf "  ratio: a JSON row takes %.2f times as long as a CSV row\n", ns["Rows/json"] / ns["Rows/csv"]}' <<<"$medians"

echo
echo "== vantorel-props: a 1,000,000-row CSV sweep of air to /dev/null"
sweep=(air --from 1000 --to 2000 --step 0.001 --format csv)
rows=$("$props" "${sweep[@]}" | tail -n +2 | wc -l)
best=""
for _ in 1 2 3 4 5; do
  t0=$(now_ns); "$props" "${sweep[@]}" >/dev/null; t1=$(now_ns)
  best=$(( ${best:-999999999999} < t1 - t0 ? ${best:-999999999999} : t1 - t0 ))
done
awk -v r="$rows" -v ns="$best" 'BEGIN {printf "  %d rows in %.3f s (best of 5): %.2f million rows/s\n", r, ns / 1e9, r / (ns / 1e9) / 1e6}'
echo "  peak memory: $(peak_kb "$props" "${sweep[@]}") KB (maximum resident set size)"

echo
echo "== The window: process start to first shown, under Xvfb, beside a minimal window"
if [ -x "$window" ] && [ -x "$yardstick" ]; then
  export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
  # Xvfb picks a free display and writes its number once it accepts clients;
  # -noreset keeps it from resetting, and refusing clients, each time the last
  # window closes.
  ready=$(mktemp -u)
  mkfifo "$ready"
  Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null || true' EXIT
  read -r n <"$ready"
  rm -f "$ready"
  display=:$n
  # Without first_shown (no libxcb1-dev): starts a program and polls until its
  # window is shown (xdotool's own --sync waits in steps of half a second);
  # fails if the program ends.
  shown() {
    DISPLAY=$display "$1" 2>/dev/null &
    app=$!
    until DISPLAY=$display xdotool search --onlyvisible --pid "$app" >/dev/null 2>&1; do
      kill -0 "$app" 2>/dev/null || return 1
      sleep 0.002
    done
  }
  # Milliseconds from just before the start until the window is mapped.
  start_ms() {
    if [ -x "$first_shown" ]; then
      DISPLAY=$display "$first_shown" "$1" 2>/dev/null || { echo "  $1 did not start" >&2; exit 1; }
      return
    fi
    local t0 t1
    t0=$(now_ns)
    shown "$1" || { echo "  $1 did not start" >&2; exit 1; }
    t1=$(now_ns)
    kill "$app"; wait "$app" 2>/dev/null || true
    echo $(( (t1 - t0) / 1000000 ))
  }
  # A first start of each warms the caches, and waits for the new server if
  # need be.
  for program in "$window" "$yardstick"; do
    for try in 1 2 3 4 5; do start_ms "$program" >/dev/null 2>&1 && break; sleep 0.5; done
  done
  if [ -x "$first_shown" ]; then
    echo "  (timed by first_shown, which waits for the X server to map the window)"
  else
    echo "  (timed by polling with xdotool: build first_shown, with libxcb1-dev, for a steadier figure)"
  fi
  # The two take turns, each going first every other time, so that whatever
  # else the machine does falls on both alike.
  ours=() minimal=()
  for i in $(seq 15); do
    if (( i % 2 )); then
      ours+=($(start_ms "$window")); minimal+=($(start_ms "$yardstick"))
    else
      minimal+=($(start_ms "$yardstick")); ours+=($(start_ms "$window"))
    fi
  done
  ours_median=$(printf '%s\n' "${ours[@]}" | median)
  minimal_median=$(printf '%s\n' "${minimal[@]}" | median)
  echo "  vantorel starts (ms):        ${ours[*]}"
  echo "  minimal window starts (ms):  ${minimal[*]}"
  echo "  median: vantorel $ours_median ms, minimal window $minimal_median ms"
  awk -v a="$ours_median" -v b="$minimal_median" 'BEGIN {printf "  ratio: %.2f (vantorel / minimal window)\n", a / b}'
  DISPLAY=$display /usr/bin/time -f '%M' -o /tmp/vantorel-bench-time "$window" &
  timed=$!
  DISPLAY=$display xdotool search --sync --onlyvisible --name '^Vantorel$' >/dev/null
  sleep 0.5
  kill "$(pgrep -P "$timed")"
  wait "$timed" 2>/dev/null || true
  echo "  peak memory: $(tail -n 1 /tmp/vantorel-bench-time) KB (maximum resident set size, once shown)"
else
  echo "  (no window in this build)"
fi

echo
echo "== A peer: saturated water at the same 10,000 temperatures"
# 273.16 + i * 0.0373 K for i = 0 ... 9999, inside both ranges.
from=273.16 step=0.0373 to=646.1227
t0=$(now_ns); n=$("$props" saturated-water --from $from --to $to --step $step --format csv | tail -n +2 | wc -l); t1=$(now_ns)
ours=$(( t1 - t0 ))
peer=$(/usr/bin/python3 - "$from" "$step" <<'PY'
import sys, time
from iapws import IAPWS97
a, s = float(sys.argv[1]), float(sys.argv[2])
t0 = time.perf_counter()
for i in range(10000):
    t = a + i * s
    f, g = IAPWS97(T=t, x=0), IAPWS97(T=t, x=1)
    # pressure, volumes, heat of vaporisation, specific heats, viscosities,
    # conductivities, Prandtl numbers, surface tension
    (f.P, f.v, g.v, g.h - f.h, f.cp, g.cp, f.mu, g.mu, f.k, g.k, f.Prandt, g.Prandt, f.sigma)
print(int((time.perf_counter() - t0) * 1e9))
PY
)
awk -v n="$n" -v ours="$ours" -v peer="$peer" 'BEGIN {
  printf "  vantorel-props saturated-water sweep, %d rows, whole process: %8.1f ms\n", n, ours / 1e6
  printf "  python3-iapws IAPWS97, 10000 temperatures, computing only:    %8.1f ms\n", peer / 1e6
  printf "  ratio: the peer takes %.0f times as long\n", peer / ours }'

echo
echo "== The web page ($site), in headless chromium"
if [ -f "$site/index.html" ]; then
  /usr/bin/python3 "$(dirname "$0")/web.py" "$site" ${lighthouse:+"$lighthouse"}
else
  echo "  (no site: make web writes it)"
fi

echo
echo "== The Python module: vantorel.lookup in /usr/bin/python3, on $(nproc) cores (load average $(cut -d' ' -f1 /proc/loadavg))"
if [ -d "$build/python/vantorel" ]; then
  PYTHONPATH=$build/python /usr/bin/python3 - <<'PY'
import time

import numpy as np
from iapws import IAPWS97

import vantorel


def best_of(times, call, clock=time.perf_counter):
    best = float("inf")
    for _ in range(times):
        t0 = clock()
        call()
        best = min(best, clock() - t0)
    return best


# The wall-clock figure is the one that counts; the processor time (of all
# the threads) shows how much of it a busy machine took away.
n = 1_000_000
air = vantorel.lookup("air", []).fluid
for order, T in [("in order", np.linspace(air.t_min, air.t_max, n)),
                 ("in random order", np.random.default_rng(1).uniform(air.t_min, air.t_max, n))]:
    s = best_of(5, lambda: vantorel.lookup(air, T))
    cpu = best_of(5, lambda: vantorel.lookup(air, T), time.process_time)
    print(f"  air, {n:,} temperatures {order} in one array, all 8 properties: "
          f"{s * 1e3:6.1f} ms (best of 5), {n / s / 1e6:5.1f} million temperatures/s; "
          f"processor time {cpu * 1e3:.1f} ms")

# Saturated water at temperatures inside both ranges.
T = np.linspace(273.16, 646.1, n)
ours = best_of(5, lambda: vantorel.lookup("saturated-water", T)) / n
states = np.linspace(273.16, 646.1, 500)
t0 = time.perf_counter()
for t in states:
    f, g = IAPWS97(T=t, x=0), IAPWS97(T=t, x=1)
    (f.P, f.v, g.v, g.h - f.h, f.cp, g.cp, f.mu, g.mu, f.k, g.k, f.Prandt, g.Prandt, f.sigma)
peer = (time.perf_counter() - t0) / len(states)
print(f"  saturated water, {n:,} temperatures in one array, all 14 properties: {ours * 1e9:7.1f} ns per state")
print(f"  python3-iapws IAPWS97(T=t, x=0) and (T=t, x=1), {len(states)} temperatures: {peer * 1e6:7.1f} µs per state")
print(f"  ratio: the peer takes {peer / ours:,.0f} times as long per state")

calls = 100_000
temps = np.linspace(air.t_min, air.t_max, calls).tolist()


def loop(fluid):
    for t in temps:
        vantorel.lookup(fluid, t)["mu"]


for name, fluid in [('"air"', "air"), ("a Fluid", air)]:
    s = best_of(3, lambda: loop(fluid))
    print(f"  a Python loop of {calls:,} single look-ups by {name}, reading μ: {s / calls * 1e6:5.2f} µs per call")
PY
else
  echo "  (no Python module in this build)"
fi

echo
echo "== The Python module: .text and .source of saturated water against its values"
if [ -d "$build/python/vantorel" ]; then
  for n in 1000000 10000000; do
    PYTHONPATH=$build/python /usr/bin/time -v -o /tmp/vantorel-bench-time /usr/bin/python3 - "$n" <<'PY'
import sys
import time

import numpy as np

import vantorel

n = int(sys.argv[1])
T = np.linspace(273.15, 647.3, n)
best = {"values": float("inf"), "text": float("inf"), "source": float("inf")}
for _ in range(3 if n <= 1_000_000 else 2):
    t0 = time.perf_counter()
    r = vantorel.lookup("saturated-water", T)
    t1 = time.perf_counter()
    texts = r.text
    t2 = time.perf_counter()
    source = r.source
    t3 = time.perf_counter()
    for what, s in [("values", t1 - t0), ("text", t2 - t1), ("source", t3 - t2)]:
        best[what] = min(best[what], s)
    held = [T.nbytes, sum(v.nbytes for v in r.values()), sum(t.nbytes for t in texts.values()),
            source.rows.nbytes + source.corrected.nbytes]
    del r, texts, source  # one reading at a time, for the peak memory
print(f"  {n:,} temperatures, best of runs: values {best['values'] * 1e3:.0f} ms, "
      f".text {best['text'] * 1e3:.0f} ms ({best['text'] / best['values']:.2f} times the values), "
      f".source {best['source'] * 1e3:.0f} ms ({best['source'] / best['values']:.2f} times)")
print("  T {:.0f} MB + values {:.0f} MB + texts {:.0f} MB + sources {:.0f} MB = {:.0f} MB".format(
    *(b / 1e6 for b in held), sum(held) / 1e6), end="")
PY
    awk -F': ' '/Maximum resident set size/ {printf "; peak memory of the run %.0f MB (maximum resident set size)\n", $2 / 1000}' \
      /tmp/vantorel-bench-time
  done
else
  echo "  (no Python module in this build)"
fi
