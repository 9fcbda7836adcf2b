#!/usr/bin/env bash
# `make test`: installs what is missing, then runs every part (native suites,
# the sanitizer pass, the Windows suites under Wine, fuzzing) and ends with one
# summary line per part and a closing count in ctest's own words. A failed
# part does not stop the others, so one run shows everything that is wrong.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
make=(make --no-print-directory)
logs=$(mktemp -d "${TMPDIR:-/tmp}/tarvik-test.XXXXXX")
trap 'rm -rf "$logs"' EXIT

"${make[@]}" deps || { echo "test: make deps failed; nothing was run" >&2; exit 1; }

# ctest's closing line: "100% tests passed, 0 tests failed out of 260".
ctest_counts() {
  local log=$1 line total failed skipped
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  [ -n "$line" ] || return 1
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  failed=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  skipped=$(grep -cE '^[[:space:]]+[0-9]+ - .*\(Skipped\)$' "$log")
  echo "$total $failed $skipped"
}

summary=()
grand_total=0 grand_failed=0 any_failed=0

# run_part NAME TARGET: runs `make TARGET`, keeps its output, records counts.
run_part() {
  local name=$1 target=$2 log=$logs/$1.log status=0 counts total failed skipped note=""
  echo "==== test: $name"
  "${make[@]}" "$target" 2>&1 | tee "$log" || status=$?
  [ $status -eq 0 ] || any_failed=1
  if [ "$name" = fuzzing ]; then
    local seconds=${FUZZ_SECONDS:-60}
    if [ $status -eq 0 ]; then
      summary+=("$(printf '%-11s %s s, no findings' "$name" "$seconds")")
    else
      summary+=("$(printf '%-11s FAILED (a finding or a build error; see above)' "$name")")
    fi
    return
  fi
  if [ "$name" = windows ]; then
    note=$(sed -nE 's/^windows: mode ([a-z0-9_]+).*/ (\1 mode)/p' "$log" | head -n 1)
  fi
  if counts=$(ctest_counts "$log"); then
    read -r total failed skipped <<<"$counts"
    # A part can fail after its tests (the DLL's table check): count that too.
    if [ $status -ne 0 ] && [ "$failed" -eq 0 ]; then
      failed=1 total=$((total + 1)) note="$note, and a check after the tests failed"
    fi
  else
    total=1 failed=1 skipped=0 note="$note, FAILED before its tests ran"
  fi
  grand_total=$((grand_total + total))
  grand_failed=$((grand_failed + failed))
  summary+=("$(printf '%-11s %d passed, %d failed, %d skipped%s' "$name" \
    $((total - failed - skipped)) "$failed" "$skipped" "$note")")
}

run_part native test-native
run_part sanitizers test-asan
run_part windows test-windows
run_part fuzzing fuzz

echo
echo "==== test: summary"
printf '  %s\n' "${summary[@]}"
percent=100
[ $grand_total -gt 0 ] && percent=$(((grand_total - grand_failed) * 100 / grand_total))
echo "$percent% tests passed, $grand_failed tests failed out of $grand_total"
exit $any_failed
