#!/usr/bin/env bash
# Runs each libFuzzer target of a fuzz build for a bounded time and says, per
# target, how many inputs it ran and whether it found anything.
#   FUZZ_SECONDS  seconds per target (default 60)
#   FUZZ_SEED     libFuzzer's seed (default: a random one, printed, so that a
#                 run can be repeated)
# Each target starts from its committed corpus and its past findings; the
# inputs it adds go to BUILD_DIR/corpus/TARGET, a finding to
# BUILD_DIR/findings/TARGET, never into the repository. A hang of more than
# 10 seconds on one input is a finding. Exits 1 when anything was found.
# Usage: tests/fuzz/run.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: tests/fuzz/run.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
seconds=${FUZZ_SECONDS:-60}
seed=${FUZZ_SEED:-$(( (RANDOM << 16 | RANDOM) + 1 ))}
echo "Fuzzing ${seconds} s per target with seed ${seed} (FUZZ_SEED=${seed} repeats it from the same inputs)"

# The longest input of each target: temperature texts of up to 64 KiB; the
# look-up reads at most a dozen bytes.
declare -A max_len=([temperature_text]=65536 [lookup]=64)
declare -A options=([temperature_text]="-dict=$here/temperature_text.dict" [lookup]="-use_value_profile=1")

found_any=0
summary=()
for target in temperature_text lookup; do
  scratch=$build/corpus/$target
  findings=$build/findings/$target
  log=$build/fuzz-$target.log
  mkdir -p "$scratch" "$findings"
  inputs=("$scratch" "$here/corpus/$target")
  if [ -d "$here/regressions/$target" ]; then inputs+=("$here/regressions/$target"); fi
  before=$(find "$findings" -type f | sort)
  echo
  echo "== $target: $seconds s (log: $log)"
  started=$(date +%s)
  set +e
  # shellcheck disable=SC2086
  "$build/tests/fuzz/$target" -seed="$seed" -max_total_time="$seconds" -timeout=10 \
    -max_len="${max_len[$target]}" -print_final_stats=1 -artifact_prefix="$findings/" \
    ${options[$target]} "${inputs[@]}" >"$log" 2>&1
  status=$?
  set -e
  took=$(( $(date +%s) - started ))
  # The last status line counts the runs: "#12345 DONE ..." or the last
  # "#N pulse/NEW/REDUCE" line before a finding.
  runs=$(awk '/^stat::number_of_executed_units:/ {n = $2} END {print n}' "$log")
  if [ -z "$runs" ]; then runs=$(grep -oE '^#[0-9]+' "$log" | tail -n 1 | tr -d '#'); fi
  new=$(comm -13 <(echo "$before") <(find "$findings" -type f | sort) | tr '\n' ' ')
  if [ "$status" -eq 0 ] && [ -z "$new" ]; then
    result="nothing found"
  else
    found_any=1
    result="FOUND (exit $status): ${new:-no input saved}"
    grep -E -A 1 'ERROR:|check failed|runtime error|deadly signal|timeout' "$log" | head -n 6 || true
    echo "  to run it again: $build/tests/fuzz/$target FILE; once fixed, keep it in tests/fuzz/regressions/$target/"
  fi
  line="$target: ${runs:-?} inputs run in $took s, $(find "$scratch" -type f | wc -l) units in $scratch; $result"
  echo "$line"
  summary+=("$line")
done

echo
echo "== Summary (seed $seed)"
printf '%s\n' "${summary[@]}"
exit "$found_any"
