#!/usr/bin/env bash
# Package export benchmark: each package export against the export it is
# measured by, on the same media deck in the same run. Writes the media deck
# with mkdeck (200 slides, about 150 MB of pictures, several shown on
# several slides, and two videos), then runs, REPS times in turn, `tarvik
# html`, `tarvik epub`, `tarvik scorm`, `tarvik h5p`, `tarvik web` and
# `tarvik pwa` on it, and prints the medians, the ratios and the peak
# resident memory of each. Targets: the EPUB, SCORM and H5P exports each at
# most 1.3 times the HTML export, the PWA export at most 1.1 times the web
# folder export.
#
#   BUILD=build REPS=5 SLIDES=200 bash bench/packages.sh
set -euo pipefail

# shellcheck source=common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
reps=${REPS:-5}
slides=${SLIDES:-200}

if [ ! -x /usr/bin/time ]; then
  echo "bench/packages: /usr/bin/time is missing (the Debian package time; make deps installs it)" >&2
  exit 1
fi
bench_setup tarvik Tarvik mkdeck
deck=$work/deck.pptx
"$build/bin/mkdeck" media "$deck" --slides "$slides"

# Each export into a fresh output, as a first export of the deck; /usr/bin/time
# writes the peak resident set in KiB to $work/<kind>.rss.
declare -A outputs=([html]=out.html [epub]=out.epub [scorm]=out.scorm.zip [h5p]=out.h5p [web]=out_Web [pwa]=out_PWA)
run_export() {
  local kind=$1
  rm -rf "${work:?}/${outputs[$kind]}"
  /usr/bin/time -f %M -o "$work/$kind.rss" "$build/bin/tarvik" "$kind" "$deck" "$work/${outputs[$kind]}" >/dev/null
}

kinds=(html epub scorm h5p web pwa)
# One untimed run of each warms the page cache and checks that all work.
for kind in "${kinds[@]}"; do run_export "$kind"; done

declare -A ms rss
for ((i = 1; i <= reps; i++)); do
  for kind in "${kinds[@]}"; do
    t0=$(now_ns)
    run_export "$kind"
    t1=$(now_ns)
    ms[$kind]+="$(( (t1 - t0) / 1000000 )) "
    rss[$kind]=$(printf '%s\n' ${rss[$kind]:-0} "$(tail -n 1 "$work/$kind.rss")" | sort -n | tail -n 1)
  done
done

declare -A med
size=$(stat -c %s "$deck")
echo "bench/packages: $slides slides, deck $size bytes, $reps runs each"
for kind in "${kinds[@]}"; do
  med[$kind]=$(printf '%s\n' ${ms[$kind]} | median)
  printf '  tarvik %-5s median %6s ms  peak RSS %6.1f MB  (runs: %s)\n' "$kind" "${med[$kind]}" \
    "$(awk -v r="${rss[$kind]}" 'BEGIN { print r * 1024 / 1e6 }')" "${ms[$kind]% }"
done
echo "  book $(stat -c %s "$work/out.epub") bytes, single file $(stat -c %s "$work/out.html") bytes," \
  "SCORM package $(stat -c %s "$work/out.scorm.zip") bytes, H5P package $(stat -c %s "$work/out.h5p") bytes"
for kind in epub scorm h5p; do
  awk -v k="$kind" -v a="${med[$kind]}" -v b="${med[html]}" \
    'BEGIN { if (b > 0) printf "  %-5s / html         %.2fx (target: at most 1.3x)\n", k, a / b }'
done
awk -v a="${med[pwa]}" -v b="${med[web]}" \
  'BEGIN { if (b > 0) printf "  pwa / web            %.2fx (target: at most 1.1x)\n", a / b }'
