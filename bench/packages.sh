#!/usr/bin/env bash
# Package export benchmark: each package export against the export it is
# measured by, on the same media deck in the same run. Writes the media deck
# with mkdeck (200 slides, about 150 MB of pictures, several shown on
# several slides, and two videos), then runs, REPS times in turn, `tarvik
# html`, `tarvik epub`, `tarvik scorm`, `tarvik h5p`, `tarvik web` and
# `tarvik pwa` on it, and prints the medians of their wall and CPU times
# (user plus system, which the machine's other load disturbs less), the
# ratios and the peak resident memory of each. Targets: the EPUB, SCORM and
# H5P exports each at most 1.3 times the HTML export, the PWA export at most
# 1.1 times the web folder export.
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
# writes its wall and CPU seconds and peak resident set in KiB to $work/<kind>.time.
declare -A outputs=([html]=out.html [epub]=out.epub [scorm]=out.scorm.zip [h5p]=out.h5p [web]=out_Web [pwa]=out_PWA)
run_export() {
  local kind=$1
  rm -rf "${work:?}/${outputs[$kind]}"
  /usr/bin/time -f '%e %U %S %M' -o "$work/$kind.time" "$build/bin/tarvik" "$kind" "$deck" \
    "$work/${outputs[$kind]}" >/dev/null
}

kinds=(html epub scorm h5p web pwa)
# One untimed run of each warms the page cache and checks that all work.
for kind in "${kinds[@]}"; do run_export "$kind"; done

declare -A ms cpu rss
for ((i = 1; i <= reps; i++)); do
  for kind in "${kinds[@]}"; do
    t0=$(now_ns)
    run_export "$kind"
    t1=$(now_ns)
    read -r _ user system peak <"$work/$kind.time"
    ms[$kind]+="$(( (t1 - t0) / 1000000 )) "
    cpu[$kind]+="$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%d", (u + s) * 1000 }') "
    rss[$kind]=$(printf '%s\n' ${rss[$kind]:-0} "$peak" | sort -n | tail -n 1)
  done
done

declare -A med cmed
size=$(stat -c %s "$deck")
echo "bench/packages: $slides slides, deck $size bytes, $reps runs each"
for kind in "${kinds[@]}"; do
  med[$kind]=$(printf '%s\n' ${ms[$kind]} | median)
  cmed[$kind]=$(printf '%s\n' ${cpu[$kind]} | median)
  printf '  tarvik %-5s median %6s ms wall, %6s ms CPU  peak RSS %6.1f MB  (wall: %s)\n' "$kind" "${med[$kind]}" \
    "${cmed[$kind]}" "$(awk -v r="${rss[$kind]}" 'BEGIN { print r * 1024 / 1e6 }')" "${ms[$kind]% }"
done
echo "  book $(stat -c %s "$work/out.epub") bytes, single file $(stat -c %s "$work/out.html") bytes," \
  "SCORM package $(stat -c %s "$work/out.scorm.zip") bytes, H5P package $(stat -c %s "$work/out.h5p") bytes"
ratio() {
  awk -v l="$1" -v a="${med[$2]}" -v b="${med[$3]}" -v ca="${cmed[$2]}" -v cb="${cmed[$3]}" -v t="$4" \
    'BEGIN { if (b > 0 && cb > 0) printf "  %-14s %.2fx wall, %.2fx CPU (target: at most %sx)\n", l, a / b, ca / cb, t }'
}
for kind in epub scorm h5p; do ratio "$kind / html" "$kind" html 1.3; done
ratio "pwa / web" pwa web 1.1
