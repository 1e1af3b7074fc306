#!/usr/bin/env bash
# The reader benchmark in one run: writes the workbooks (xlwt), loads them
# with the reader alone (Google Benchmark, from disk through the compound
# document) and prints the CPU time, cells per second and peak memory of
# `notorio-cli read-xls FILE > /dev/null` beside catdoc's xls2csv (when it
# is installed) as a Markdown table.
#
#     bench/run-bench.sh BUILD_DIR [FILES_DIR]
#
# Needs python3-xlwt for the files (kept in FILES_DIR, default
# BUILD_DIR/bench-files, and reused), and the targets notorio-cli and
# bench_biff_reader built in BUILD_DIR.
set -euo pipefail

build=${1:?usage: bench/run-bench.sh BUILD_DIR [FILES_DIR]}
files=${2:-$build/bench-files}
here=$(cd "$(dirname "$0")" && pwd)
cli=$build/src/cli/notorio-cli
bench=$(find "$build" -name bench_biff_reader -type f -perm -u+x | head -n 1)
python=/usr/bin/python3

if [ ! -x "$cli" ] || [ -z "$bench" ]; then
  echo "build the targets first: cmake --build $build --target notorio-cli bench_biff_reader" >&2
  exit 1
fi
if [ ! -f "$files/numbers.xls" ] || [ ! -f "$files/strings.xls" ] || [ ! -f "$files/numbers-half.xls" ]; then
  if ! "$python" -c 'import xlwt' 2>/dev/null; then
    echo "python3-xlwt is needed to write the benchmark files (apt-get install python3-xlwt)" >&2
    exit 1
  fi
  mkdir -p "$files"
  "$python" "$here/make-bench-files.py" "$files"
fi

echo "## Reader alone (Google Benchmark, from disk)"
NOTORIO_BENCH_DIR=$files "$bench" --benchmark_filter='File' --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep -E 'Benchmark|_min|_median|-----'

# CPU seconds (user + system) per run and peak memory, over ten runs (the
# clock of /usr/bin/time counts in hundredths of a second).
runs=10
measure() {
  local out
  out=$(mktemp)
  /usr/bin/time -o "$out" -f '%U %S %M' \
    bash -c 'for _ in $(seq "$0"); do "$@" >/dev/null 2>&1; done; true' "$runs" "$@"
  awk -v n="$runs" '{printf "%.4f %s\n", ($1 + $2) / n, $3}' "$out"
  rm -f "$out"
}

echo
echo "## Whole programs, output to /dev/null (CPU time per run, mean of $runs runs)"
echo
echo "| program | file | file MB | cells | CPU s | M cells/s | peak RSS MB |"
echo "|---|---|---:|---:|---:|---:|---:|"
for name in numbers-half numbers strings; do
  file=$files/$name.xls
  size=$(stat -c %s "$file")
  cells=$("$cli" read-xls "$file" | grep -c '"event":"cell"')
  read -r cpu rss < <(measure "$cli" read-xls "$file")
  awk -v n="$name" -v s="$size" -v c="$cells" -v t="$cpu" -v m="$rss" 'BEGIN{
    printf "| notorio-cli read-xls | %s | %.1f | %d | %.4f | %.2f | %.1f |\n",
           n, s/1e6, c, t, (t > 0 ? c/t/1e6 : 0), m/1024 }'
  if command -v xls2csv >/dev/null 2>&1; then
    read -r cpu rss < <(measure xls2csv "$file")
    awk -v n="$name" -v s="$size" -v c="$cells" -v t="$cpu" -v m="$rss" 'BEGIN{
      printf "| xls2csv (catdoc) | %s | %.1f | %d | %.4f | %.2f | %.1f |\n",
             n, s/1e6, c, t, (t > 0 ? c/t/1e6 : 0), m/1024 }'
  fi
done
# The start of the program alone: an empty file, refused at once.
read -r cpu rss < <(measure "$cli" read-xls /dev/null)
awk -v t="$cpu" -v m="$rss" 'BEGIN{
  printf "| notorio-cli start-up (empty file) | - | 0 | 0 | %.4f | - | %.1f |\n", t, m/1024 }'
if ! command -v xls2csv >/dev/null 2>&1; then
  echo
  echo "(xls2csv is not installed: apt-get install catdoc to compare)"
fi
