#!/usr/bin/env bash
# The EPUB books of every shared deck, checked by the reference validator:
# `tarvik epub -o` exports them all in one run, then Debian's epubcheck reads
# each book, in one JVM per processor (epubcheck_books.java). Any fatal or
# error fails the test; warnings are listed. A deck without slides may only
# fail to export with the message that says so. Exits 77 (skipped) without
# the decks, java or epubcheck.
#
#   TARVIK_BIN=build/bin/tarvik TARVIK_SHARED_DIR=../shared OUT_DIR=/tmp/x epubcheck_decks.sh
set -uo pipefail

jar=${EPUBCHECK_JAR:-/usr/share/java/epubcheck.jar}
decks=$TARVIK_SHARED_DIR/decks
if [ ! -d "$decks" ]; then echo "skipped: no shared decks at $decks"; exit 77; fi
if ! command -v java >/dev/null || [ ! -f "$jar" ]; then
  echo "skipped: java or $jar is missing (make deps installs epubcheck)"
  exit 77
fi

out=$OUT_DIR
rm -rf "$out" && mkdir -p "$out/books" "$out/reports"
shopt -s nullglob
all=("$decks"/*.pptx "$decks"/*.pptm "$decks"/*.ppsx)
"$TARVIK_BIN" epub -o "$out/books" "${all[@]}" >"$out/export.out" 2>"$out/export.err"
status=0
if grep -v 'has no slides' "$out/export.err" | grep -q .; then
  echo "exports that failed:"
  grep -v 'has no slides' "$out/export.err"
  status=1
fi
books=("$out"/books/*.epub)
echo "${#books[@]} books of ${#all[@]} decks; $(grep -c 'has no slides' "$out/export.err") decks without slides"

# One JVM per processor, each checking its share of the books in turn.
jobs=$(nproc)
for ((j = 0; j < jobs; j++)); do
  share=()
  for ((i = j; i < ${#books[@]}; i += jobs)); do share+=("${books[i]}"); done
  [ ${#share[@]} -eq 0 ] && continue
  java -cp "$jar" "$(dirname "$0")/epubcheck_books.java" "$out/reports" "${share[@]}" >"$out/java.$j.log" 2>&1 &
done
wait

for report in "$out"/reports/*.txt; do
  name=$(basename "$report" .txt)
  summary=$(grep -E '^Messages:' "$report")
  if [ -z "$summary" ]; then
    echo "$name: epubcheck did not finish"; cat "$report"; status=1
  elif ! grep -q '0 fatals / 0 errors' <<<"$summary"; then
    echo "$name: $summary"; grep -E '^(FATAL|ERROR)' "$report"; status=1
  elif ! grep -q ' 0 warnings' <<<"$summary"; then
    echo "$name: $summary"; grep -E '^WARNING' "$report"
  fi
done
if [ "$(ls "$out"/reports | wc -l)" -ne "${#books[@]}" ]; then
  echo "some books were not checked:"
  cat "$out"/java.*.log
  status=1
fi
[ $status -eq 0 ] && echo "every book passes epubcheck without errors"
exit $status
