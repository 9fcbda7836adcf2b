#!/usr/bin/env bash
# Load benchmark: how much more reading a large deck costs than unpacking it.
# Writes the benchmark deck with mkdeck (500 slides of about twenty shapes),
# then times, side by side in one run, `tarvik info` on it and `unzip -qo` of
# the same deck into a temporary folder. Each is run REPS times, alternating;
# the medians and their ratio are printed. Target: a ratio of at most 2.
#
#   BUILD=build REPS=7 SLIDES=500 bash bench/load.sh
set -euo pipefail

# shellcheck source=common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
reps=${REPS:-7}
slides=${SLIDES:-500}
bench_setup tarvik mkdeck
deck=$work/bench.pptx
"$build/bin/mkdeck" bench "$deck" --slides "$slides"

# One untimed run of each warms the page cache and checks that both work.
"$build/bin/tarvik" info "$deck" >/dev/null
unzip -qo "$deck" -d "$work/warm" && rm -rf "$work/warm"

info_ms=() unzip_ms=()
for ((i = 1; i <= reps; i++)); do
  t0=$(now_ns)
  unzip -qo "$deck" -d "$work/unzipped"
  t1=$(now_ns)
  rm -rf "$work/unzipped"
  t2=$(now_ns)
  "$build/bin/tarvik" info "$deck" >/dev/null
  t3=$(now_ns)
  unzip_ms+=($(( (t1 - t0) / 1000000 )))
  info_ms+=($(( (t3 - t2) / 1000000 )))
done

info_median=$(printf '%s\n' "${info_ms[@]}" | median)
unzip_median=$(printf '%s\n' "${unzip_ms[@]}" | median)
entries=$(unzip -Z1 "$deck" | wc -l)
size=$(stat -c %s "$deck")
echo "bench/load: $slides slides, $entries entries, $size bytes, $reps runs each"
echo "  tarvik info   median ${info_median} ms  (runs: ${info_ms[*]})"
echo "  unzip -qo     median ${unzip_median} ms  (runs: ${unzip_ms[*]})"
awk -v a="$info_median" -v b="$unzip_median" \
  'BEGIN { if (b > 0) printf "  ratio         %.2fx bare unzip (target: at most 2x)\n", a / b }'
