#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers) in build-fuzz and runs each for SECONDS seconds (default 60),
# starting from its seed corpus in fuzz/corpus/<target>. New inputs go to
# build-fuzz/corpus/<target>; a crash, leak or hang is saved under
# fuzz/crashes/ and makes the script fail after all targets have run.
# Leaks inside libgsf itself are not reported (fuzz/lsan-suppressions.txt;
# whole allocation stacks are kept so that the suppression can see them).
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail

seconds=${1:-60}
shift || true
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
jobs=${JOBS:-$(nproc)}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNOTORIO_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
  >/dev/null
cmake --build "$build" -j "$jobs" --target fuzz_targets

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(biff_plain biff_compound archive_text archive_xml clipboard)
fi

mkdir -p "$root/fuzz/crashes"
failed=()
for target in "${targets[@]}"; do
  work="$build/corpus/$target"
  mkdir -p "$work"
  echo "== fuzz_$target for ${seconds}s"
  if ! UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      ASAN_OPTIONS=fast_unwind_on_malloc=0 \
      LSAN_OPTIONS=suppressions="$root/fuzz/lsan-suppressions.txt" \
      "$build/fuzz/fuzz_$target" "$work" "$root/fuzz/corpus/$target" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 \
      -max_len=16384 -print_final_stats=1 \
      -artifact_prefix="$root/fuzz/crashes/$target-" 2>"$build/fuzz-$target.log"; then
    failed+=("$target")
    tail -n 40 "$build/fuzz-$target.log"
  else
    grep -E "^stat::(number_of_executed_units|new_units_added)|cov:" "$build/fuzz-$target.log" | tail -n 3
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "findings in: ${failed[*]} (see fuzz/crashes/)"
  exit 1
fi
echo "no findings"
