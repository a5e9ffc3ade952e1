#!/usr/bin/env bash
# Builds everything with clang, AddressSanitizer and UndefinedBehaviorSanitizer (any undefined
# behaviour stops the process) into build/sanitize, runs the whole test suite there, then the
# random use of each window (three seeds of MONKEY_EVENTS events, default 5000), then each
# fuzz target of tests/fuzz over its seed corpus, side by side, for FUZZ_SECONDS seconds
# (default 60; 0 skips them). Installs clang and its sanitizer runtimes first when missing.
#
#   bash tools/run-sanitized.sh            suite, random use and fuzz targets
#   FUZZ_SECONDS=600 MONKEY_EVENTS=20000 bash tools/run-sanitized.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash tools/install-deps.sh
# The sanitizer and fuzzer runtimes are only recommended by clang's package: named here.
missing=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
dir=build/sanitize
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Sanitize \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS="-O1 -gline-tables-only" -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" \
  -DROVE_SANITIZE=ON -DROVE_BUILD_FUZZ=ON -DROVE_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" --parallel "$(nproc)"

# Every report fails the run; leaks of the libraries below us are suppressed in the file named.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tools/sanitizer-suppressions.txt:print_suppressions=0
export QT_QPA_PLATFORM=offscreen
(cd "$dir" && ctest --output-on-failure --parallel "$(nproc)" --timeout 900)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Random use of each window (tests/monkey): seeds 1 to 3, MONKEY_EVENTS events each (default
# 5000; 0 skips them), the seeds of one window side by side. A failing run's log is kept in
# build/sanitize/monkey-findings; `monkey --window <name> --shrink <log>` shortens it.
events=${MONKEY_EVENTS:-5000}
if [ "$events" -gt 0 ]; then
  monkey_failed=0
  for window in designer-receipt designer-pages preview clinic; do
    pids=()
    for seed in 1 2 3; do
      # The random runs look for crashes and undefined behaviour; leaks are the suite's to
      # find (every test process checks them). A clinic run was seen to end with a few
      # hundred bytes that Qt allocated and LeakSanitizer could not trace to our code.
      ASAN_OPTIONS=${ASAN_OPTIONS}:detect_leaks=0 \
      "$dir/tests/monkey/monkey" --window "$window" --seed "$seed" --events "$events" \
        --log "$work/monkey-$window-$seed.log" >"$work/monkey-$window-$seed.out" 2>&1 &
      pids+=("$!:$seed")
    done
    for entry in "${pids[@]}"; do
      seed=${entry#*:}
      if wait "${entry%%:*}"; then
        echo "monkey $window seed $seed: $(grep -m1 'events, ' "$work/monkey-$window-$seed.out" | sed 's/^monkey: //')"
      else
        echo "monkey $window seed $seed found a fault:"; tail -60 "$work/monkey-$window-$seed.out"
        mkdir -p "$dir/monkey-findings"; cp "$work/monkey-$window-$seed.log" "$dir/monkey-findings/"
        monkey_failed=1
      fi
    done
  done
  [ "$monkey_failed" = 0 ] || exit 1
fi

seconds=${FUZZ_SECONDS:-60}
[ "$seconds" -gt 0 ] || exit 0
pids=()
for corpus in tests/fuzz/corpus/*/; do
  name=$(basename "$corpus")
  target=$dir/tests/fuzz/fuzz_$name
  # New inputs go to a scratch folder; the repository's seeds are only read.
  mkdir -p "$work/$name"
  "$target" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$work/$name-" "$work/$name" "$corpus" >"$work/$name.log" 2>&1 &
  pids+=("$!:$name")
done
failed=0
for entry in "${pids[@]}"; do
  if ! wait "${entry%%:*}"; then
    name=${entry#*:}
    echo "fuzz_$name found a fault:"; tail -60 "$work/$name.log"
    mkdir -p "$dir/fuzz-findings"; cp "$work/$name"-* "$dir/fuzz-findings/" 2>/dev/null || true
    failed=1
  else
    name=${entry#*:}
    echo "fuzz_$name: $(grep -m1 'stat::number_of_executed_units' "$work/$name.log" | awk '{print $2}') inputs, no finding"
  fi
done
exit $failed
