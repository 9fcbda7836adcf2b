#!/usr/bin/env bash
# HTML export benchmark: what exporting a media-heavy deck to one HTML file
# costs in time and memory. Writes the media deck with mkdeck (200 slides,
# about 150 MB of pictures, several shown on several slides, and two videos),
# then times, side by side in one run, `tarvik html` on it and the floor: an
# `unzip -qo` of the deck into a temporary folder plus `base64` of each of its
# media files to /dev/null, the least any single-file export must do. Each is
# run REPS times, alternating; the medians and their ratio are printed, with
# tarvik's peak resident memory (from /usr/bin/time) against the size of the
# HTML file it wrote. Targets: a time ratio of at most 2, and a peak memory of
# at most 3 times the output's size.
#
#   BUILD=build REPS=5 SLIDES=200 bash bench/html.sh
set -euo pipefail

# shellcheck source=common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
reps=${REPS:-5}
slides=${SLIDES:-200}

if [ ! -x /usr/bin/time ]; then
  echo "bench/html: /usr/bin/time is missing (the Debian package time; make deps installs it)" >&2
  exit 1
fi
bench_setup tarvik Tarvik mkdeck
deck=$work/deck.pptx
out=$work/out.html
"$build/bin/mkdeck" media "$deck" --slides "$slides"

floor() {
  unzip -qo "$deck" -d "$work/unzipped"
  local f
  for f in "$work"/unzipped/ppt/media/*; do
    base64 "$f" >/dev/null
  done
}

# /usr/bin/time writes the peak resident set in KiB to $work/rss.
export_html() {
  rm -f "$out"
  /usr/bin/time -f %M -o "$work/rss" "$build/bin/tarvik" html "$deck" "$out" >/dev/null
}

# One untimed run of each warms the page cache and checks that both work.
export_html
floor && rm -rf "$work/unzipped"

html_ms=() floor_ms=() rss_kib=()
for ((i = 1; i <= reps; i++)); do
  t0=$(now_ns)
  floor
  t1=$(now_ns)
  rm -rf "$work/unzipped"
  t2=$(now_ns)
  export_html
  t3=$(now_ns)
  floor_ms+=($(( (t1 - t0) / 1000000 )))
  html_ms+=($(( (t3 - t2) / 1000000 )))
  rss_kib+=($(tail -n 1 "$work/rss"))
done

html_median=$(printf '%s\n' "${html_ms[@]}" | median)
floor_median=$(printf '%s\n' "${floor_ms[@]}" | median)
rss_max=$(printf '%s\n' "${rss_kib[@]}" | sort -n | tail -n 1)
media=$(unzip -Z1 "$deck" | grep -c '^ppt/media/')
size=$(stat -c %s "$deck")
out_size=$(stat -c %s "$out")
echo "bench/html: $slides slides, $media media files, deck $size bytes, $reps runs each"
echo "  tarvik html          median ${html_median} ms  (runs: ${html_ms[*]})"
echo "  unzip -qo + base64   median ${floor_median} ms  (runs: ${floor_ms[*]})"
awk -v a="$html_median" -v b="$floor_median" \
  'BEGIN { if (b > 0) printf "  time ratio           %.2fx the floor (target: at most 2x)\n", a / b }'
awk -v r="$rss_max" -v o="$out_size" 'BEGIN {
  printf "  peak RSS             %.1f MB for %.1f MB of HTML: %.2fx the output (target: at most 3x)\n",
    r * 1024 / 1e6, o / 1e6, (o > 0) ? r * 1024 / o : 0 }'
echo "  (peak RSS per run, KiB: ${rss_kib[*]})"
