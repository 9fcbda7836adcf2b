#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz and runs them for
# FUZZ_SECONDS in total (a third each): load_fuzzer on whole packages,
# slide_fuzzer on slide parts, tiff_fuzzer on TIFF pictures. Seeds: the
# shared decks when present, otherwise the decks mkdeck writes; the TIFFs
# fuzz_seeds writes and those the decks hold. The corpora grow in build-fuzz/corpus;
# a finding is saved in build-fuzz/artifacts and fails the run.
#
#   FUZZ_SECONDS=60 bash fuzz/run.sh
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TARVIK_FUZZ_BUILD:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-60}
jobs=${JOBS:-$(nproc)}
shared_decks=$root/../shared/decks

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARVIK_FUZZ=ON -DTARVIK_TESTS=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target load_fuzzer slide_fuzzer tiff_fuzzer mkdeck fuzz_seeds

seeds=$build/seeds
rm -rf "$seeds"
mkdir -p "$seeds/load" "$seeds/slide" "$seeds/tiff" "$build/corpus/load" "$build/corpus/slide" \
  "$build/corpus/tiff" "$build/artifacts"
"$build/bin/mkdeck" sample "$seeds/load/sample.pptx"
"$build/bin/mkdeck" bench "$seeds/load/bench3.pptx" --slides 3
"$build/bin/fuzz_seeds" "$seeds/load" "$seeds/tiff"
if [ -d "$shared_decks" ]; then
  find "$shared_decks" -type f \( -name '*.pptx' -o -name '*.pptm' -o -name '*.ppsx' \) \
    -exec cp {} "$seeds/load/" \;
fi
# Slide parts of the seed decks, small ones only, seed the slide fuzzer.
for deck in "$seeds"/load/*; do
  base=$(basename "$deck")
  for part in $(unzip -Z1 "$deck" 2>/dev/null | grep -E '^ppt/slides/slide[0-9]+\.xml$' | head -n 5); do
    unzip -p "$deck" "$part" > "$seeds/slide/${base}_$(basename "$part")" 2>/dev/null || true
  done
done
find "$seeds/slide" -type f -size +64k -delete
for deck in "$seeds"/load/*; do
  for part in $(unzip -Z1 "$deck" 2>/dev/null | grep -iE '^ppt/media/[^/]+\.tiff?$' | head -n 5); do
    unzip -p "$deck" "$part" > "$seeds/tiff/$(basename "$deck")_$(basename "$part")" 2>/dev/null || true
  done
done

share=$(( seconds / 3 > 0 ? seconds / 3 : 1 ))
common=(-timeout=25 -rss_limit_mb=2560 -print_final_stats=1 -max_total_time="$share"
        -artifact_prefix="$build/artifacts/")
cd "$build"
echo "fuzz: load_fuzzer for ${share}s"
"$build/bin/load_fuzzer" "${common[@]}" "$build/corpus/load" "$seeds/load" 2> "$build/load_fuzzer.log" \
  || { tail -n 60 "$build/load_fuzzer.log"; exit 1; }
tail -n 12 "$build/load_fuzzer.log" | grep -E '^(stat::|Done|#)' || true
echo "fuzz: slide_fuzzer for ${share}s"
"$build/bin/slide_fuzzer" "${common[@]}" -max_len=65536 -dict="$root/fuzz/slide.dict" \
  "$build/corpus/slide" "$seeds/slide" 2> "$build/slide_fuzzer.log" \
  || { tail -n 60 "$build/slide_fuzzer.log"; exit 1; }
tail -n 12 "$build/slide_fuzzer.log" | grep -E '^(stat::|Done|#)' || true
echo "fuzz: tiff_fuzzer for ${share}s"
"$build/bin/tiff_fuzzer" "${common[@]}" -max_len=65536 "$build/corpus/tiff" "$seeds/tiff" \
  2> "$build/tiff_fuzzer.log" || { tail -n 60 "$build/tiff_fuzzer.log"; exit 1; }
tail -n 12 "$build/tiff_fuzzer.log" | grep -E '^(stat::|Done|#)' || true
echo "fuzz: no findings"
