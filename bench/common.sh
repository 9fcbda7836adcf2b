# What the benchmarks share, sourced by each: the build (BUILD, default
# build/, configured when missing) with the targets they run, a work folder
# removed on exit, and the timing helpers.
#
#   bench_setup TARGET...   sets root, build and work; exits when the build fails

bench_setup() {
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  build=${BUILD:-$root/build}
  [[ $build = /* ]] || build=$root/$build
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  fi
  local log
  if ! log=$(cmake --build "$build" --target "$@" 2>&1); then
    echo "$log"
    exit 1
  fi
  work=$(mktemp -d "${TMPDIR:-/tmp}/tarvik-bench.XXXXXX")
  trap 'rm -rf "$work"' EXIT
}

now_ns() { date +%s%N; }
median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
