#!/usr/bin/env bash
# HTML export benchmark: what `tarvik html` and `tarvik web` cost in time and
# memory against the floor, on the two decks mkdeck writes for it:
#
#   distinct  200 slides, each with a picture of its own: about 100 MB of
#             pictures in all (mkdeck distinct)
#   reused    the media deck: 200 slides, about 150 MB of pictures each shown
#             on several slides, and two videos (mkdeck media)
#
# The floor is the least any single-file export must do: `unzip -qo` of the
# deck into a temporary folder plus `base64` of each of its media files to
# /dev/null. Floor, `tarvik html` and `tarvik web` run REPS times each,
# alternating; the medians of their wall times and of their CPU times (user
# plus system, which the machine's other load disturbs less) are printed,
# with tarvik's peak resident memory (from /usr/bin/time).
#
# Targets, each printed with its figure:
#   time        tarvik html at most 1.0x the floor, tarvik web at most 1.1x
#   memory      peak RSS at most 64 MiB plus twice the deck's largest media
#               file, whatever the page's size (html and web)
#   page size   on the reused deck, the page at most 1.05x the Base64 of its
#               distinct media plus its markup (the web folder's index.html)
# The memory and page bounds are checked: a broken one makes the script end
# with status 1 after every figure is printed. Times are reported only.
#
#   BUILD=build REPS=5 SLIDES=200 DECKS="distinct reused" bash bench/html.sh
set -euo pipefail

# shellcheck source=common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
reps=${REPS:-5}
slides=${SLIDES:-200}
decks=${DECKS:-distinct reused}

if [ ! -x /usr/bin/time ]; then
  echo "bench/html: /usr/bin/time is missing (the Debian package time; make deps installs it)" >&2
  exit 1
fi
bench_setup tarvik Tarvik mkdeck
failed=0

floor() {
  unzip -qo "$deck" -d "$work/unzipped"
  local f
  for f in "$work"/unzipped/ppt/media/*; do
    base64 "$f" >/dev/null
  done
}

# Runs a command under /usr/bin/time; appends its wall and CPU milliseconds
# and peak RSS in KiB to the arrays named <kind>_wall, <kind>_cpu, <kind>_rss.
measure() {
  local kind=$1
  shift
  /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$@" >/dev/null
  local e u s m
  read -r e u s m <"$work/time"
  eval "${kind}_wall+=($(awk -v e="$e" 'BEGIN { printf "%d", e * 1000 }'))"
  eval "${kind}_cpu+=($(awk -v u="$u" -v s="$s" 'BEGIN { printf "%d", (u + s) * 1000 }'))"
  eval "${kind}_rss+=($m)"
}

export_html() { rm -f "$work/out.html"; "$build/bin/tarvik" html "$deck" "$work/out.html"; }
export_web() { rm -rf "$work/out_Web"; "$build/bin/tarvik" web "$deck" "$work/out_Web"; }
run_floor() { floor; rm -rf "$work/unzipped"; }
# The floor runs in a shell of its own, under /usr/bin/time.
export -f floor run_floor
export work

# check LABEL VALUE LIMIT TEXT: prints the figure; marks a broken bound.
check() {
  if awk -v v="$2" -v l="$3" 'BEGIN { exit !(v <= l) }'; then
    echo "  $1 $4 (ok)"
  else
    echo "  $1 $4 (BOUND BROKEN)"
    failed=1
  fi
}

# report LABEL VALUE TARGET: a time ratio against its target.
report() {
  local verdict=met
  awk -v v="$2" -v l="$3" 'BEGIN { exit !(v <= l) }' || verdict=missed
  printf '  %-34s %.2fx the floor (target: at most %sx, %s)\n' "$1" "$2" "$3" "$verdict"
}

for name in $decks; do
  export deck=$work/$name.pptx
  case $name in
    distinct) "$build/bin/mkdeck" distinct "$deck" --slides "$slides" ;;
    reused) "$build/bin/mkdeck" media "$deck" --slides "$slides" ;;
    *) echo "bench/html: unknown deck '$name' (distinct or reused)" >&2; exit 2 ;;
  esac
  # One untimed run of each warms the page cache and checks that all work.
  export_html >/dev/null && export_web >/dev/null && run_floor
  floor_wall=() floor_cpu=() floor_rss=() html_wall=() html_cpu=() html_rss=() web_wall=() web_cpu=() web_rss=()
  for ((i = 1; i <= reps; i++)); do
    measure floor bash -c run_floor
    rm -f "$work/out.html"
    measure html "$build/bin/tarvik" html "$deck" "$work/out.html"
    rm -rf "$work/out_Web"
    measure web "$build/bin/tarvik" web "$deck" "$work/out_Web"
  done

  med() { printf '%s\n' "$@" | median; }
  largest=$(unzip -l "$deck" | awk '$4 ~ /^ppt\/media\// && $1 > m { m = $1 } END { print m + 0 }')
  media=$(unzip -Z1 "$deck" | grep -c '^ppt/media/')
  echo "bench/html: $name deck, $slides slides, $media media files (largest $largest bytes)," \
    "deck $(stat -c %s "$deck") bytes, $reps runs each"
  for kind in floor html web; do
    eval "w=(\"\${${kind}_wall[@]}\") c=(\"\${${kind}_cpu[@]}\")"
    printf '  %-6s median %6s ms wall, %6s ms CPU  (wall: %s)\n' "$kind" "$(med "${w[@]}")" "$(med "${c[@]}")" "${w[*]}"
  done
  fw=$(med "${floor_wall[@]}") fc=$(med "${floor_cpu[@]}")
  for kind in html web; do
    target=1.0
    [ "$kind" = web ] && target=1.1
    eval "w=\$(med \"\${${kind}_wall[@]}\") c=\$(med \"\${${kind}_cpu[@]}\")"
    report "tarvik $kind time (wall)" "$(awk -v a="$w" -v b="$fw" 'BEGIN { print (b > 0) ? a / b : 0 }')" "$target"
    report "tarvik $kind time (CPU)" "$(awk -v a="$c" -v b="$fc" 'BEGIN { print (b > 0) ? a / b : 0 }')" "$target"
  done
  bound=$((64 * 1024 * 1024 + 2 * largest))
  for kind in html web; do
    eval "r=(\"\${${kind}_rss[@]}\")"
    peak=$(( $(printf '%s\n' "${r[@]}" | sort -n | tail -n 1) * 1024 ))
    check "tarvik $kind peak RSS" "$peak" "$bound" \
      "$(awk -v p="$peak" -v b="$bound" 'BEGIN { printf "%.1f MiB, bound %.1f MiB (64 MiB + 2x the largest media file)", p / 1048576, b / 1048576 }')"
  done
  page=$(stat -c %s "$work/out.html")
  markup=$(stat -c %s "$work/out_Web/index.html")
  distinct=$(find "$work/out_Web/assets" -type f -printf '%s\n' | awk '{ t += int(($1 + 2) / 3) * 4 } END { print t + 0 }')
  limit=$(awk -v d="$distinct" -v m="$markup" 'BEGIN { printf "%d", (d + m) * 1.05 }')
  text=$(awk -v p="$page" -v d="$distinct" -v m="$markup" \
    'BEGIN { printf "%.1f MB: %.3fx the Base64 of its distinct media (%.1f MB) plus markup (%.2f MB), target at most 1.05x", p / 1e6, p / (d + m), d / 1e6, m / 1e6 }')
  if [ "$name" = reused ]; then
    check "page size" "$page" "$limit" "$text"
  else
    echo "  page size $text"
  fi
  rm -rf "$work/out.html" "$work/out_Web" "$deck"
done
if [ "$failed" -ne 0 ]; then
  echo "bench/html: a memory or page size bound is broken" >&2
  exit 1
fi
