#!/bin/bash
# The Windows zip of `make windows`, unpacked and run under Wine: each
# command line gives vantorel-props.exe the same stdout, stderr and exit
# status as the Linux vantorel-props (CRLF read as LF), and the C example
# linked to vantorel.dll prints what it prints linked to libvantorel.so.
# Exits 77 (skipped) when there is no zip or Wine cannot start.
# Usage: run.sh WINDOWS_BUILD LINUX_PROPS LINUX_LIBVANTOREL SOURCE_DIR WORK_DIR
set -u
windows_build=$1 linux_props=$2 linux_library=$3 source=$4 work=$5
start=$(date +%s%N)

skip() { echo "SKIPPED: $*"; exit 77; }

zip=$(ls "$windows_build"/vantorel-*-windows-x64.zip 2>/dev/null | head -n 1)
[ -n "$zip" ] || skip "no vantorel-*-windows-x64.zip in $windows_build (make windows builds it)"
wine=$(command -v wine64 || { [ -x /usr/lib/wine/wine64 ] && echo /usr/lib/wine/wine64; } || command -v wine) ||
  skip "no wine64 (Debian: wine64)"
wineserver=$(command -v wineserver || echo "$(dirname "$wine")/wineserver")

rm -rf "$work" && mkdir -p "$work/linux" "$work/windows" || exit 1
unzip -q "$zip" -d "$work/unpacked" || exit 1
root=$(echo "$work"/unpacked/vantorel-*-windows-x64)

# One Wine prefix for every run, kept beside the cross build (creating it
# takes half a minute); its server stays up between the runs of this suite.
export WINEPREFIX=$windows_build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$wineserver" -p 60 2>/dev/null
trap '"$wineserver" -k 2>/dev/null' EXIT
started=$("$wine" cmd.exe /c echo started 2>/dev/null | tr -d '\r')
[ "$started" = started ] || skip "Wine cannot start a program here ($wine)"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for file in bin/vantorel.dll bin/vantorel-props.exe bin/air_at_310_c.exe lib/libvantorel.dll.a lib/vantorel.def \
            include/vantorel/vantorel.h include/vantorel/vantorel_c.h include/vantorel/version.h LICENSE README-windows.txt; do
  [ -f "$root/$file" ] || fail "the zip has no $file"
done

# Runs one command line on both systems: its name, the exit status
# expected, then its arguments.
same() {
  local name=$1 status=$2
  shift 2
  "$linux_props" "$@" >"$work/linux/$name.out" 2>"$work/linux/$name.err"
  local linux_status=$?
  "$wine" "$root/bin/vantorel-props.exe" "$@" >"$work/windows/$name.out" 2>"$work/windows/$name.err"
  local windows_status=$?
  [ "$linux_status" = "$status" ] || fail "$name: Linux exits $linux_status, not $status: $*"
  [ "$windows_status" = "$status" ] || fail "$name: Windows exits $windows_status, not $status: $*"
  for stream in out err; do
    sed -i 's/\r$//' "$work/windows/$name.$stream"
    if ! cmp -s "$work/linux/$name.$stream" "$work/windows/$name.$stream"; then
      fail "$name: std$stream differs: $*"
      diff "$work/linux/$name.$stream" "$work/windows/$name.$stream" | head -n 6
    fi
  done
}

# One case a line: name, exit status, then the arguments as a shell reads them.
cases='
air             0 air 310
air_ends        0 air 100 3000 --format csv
co2_list_text   0 "Carbon Dioxide (CO2)" 400 450 --format csv
water_celsius   0 water 100°C --format csv
water_explain   0 saturated-water "25 °C" --explain
water_critical  0 water 647.3 --format json
r12_fahrenheit  0 r12 -40°F
r12_unicode     0 r12 "−40 F" --format csv
oil_celsius     0 engine-oil 80C --format json
mercury_si      0 mercury 600 --format csv --si
nak_metal       0 nak-45 500 --explain
sweep_json      0 helium --from 100 --to 1000 --step 50 --format json
sweep_celsius   0 nitrogen --from -150C --to 0C --step 10 --format csv --si
sweep_fahrenh   0 r12 --from -40F --to 100F --step 7.5 --format csv
sweep_10001     0 water --from 273.15 --to 373.15 --step 0.01 --format csv
list            0 --list
list_json       0 --list --format json
version         0 --version
help            0 --help
out_of_range    2 air 5000
celsius_range   2 air 5000°C
unknown         2 watr 300
ambiguous       2 nak 300
not_a_number    2 air abc
no_temperature  2 air
bad_format      2 air 310 --format xml
to_below_from   2 air --from 400 --to 300 --step 10
'
while read -r line; do
  [ -n "$line" ] || continue
  eval "same $line"
done <<<"$cases"
rows=$(($(wc -l <"$work/windows/sweep_10001.out") - 1))
[ "$rows" = 10001 ] || fail "the long sweep has $rows rows, not 10001"

# The C example, built here against the Linux library, and from the zip.
if command -v cc >/dev/null; then
  cc -std=c99 -I"$source/include" "$source/examples/c/main.c" "$linux_library" \
     -Wl,-rpath,"$(dirname "$linux_library")" -o "$work/linux/air_at_310_c" || fail "the C example does not build on Linux"
  "$work/linux/air_at_310_c" >"$work/linux/c_example.out"
  "$wine" "$root/bin/air_at_310_c.exe" | sed 's/\r$//' >"$work/windows/c_example.out"
  cmp -s "$work/linux/c_example.out" "$work/windows/c_example.out" ||
    fail "the C example prints differently: $(diff "$work/linux/c_example.out" "$work/windows/c_example.out" | head -n 6)"
  grep -q 'dynamic viscosity: 1.893e-05' "$work/windows/c_example.out" || fail "the C example printed no viscosity of air"
else
  echo "no C compiler: the C example is left out"
fi

echo "$(echo "$cases" | grep -c .) command lines and the C example under Wine in $((($(date +%s%N) - start) / 1000000)) ms"
[ "$failures" = 0 ]
