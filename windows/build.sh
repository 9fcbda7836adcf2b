#!/usr/bin/env bash
# Cross-builds Tarvik.nbp for Windows (mingw-w64, static runtime) together
# with the test suites that run under Wine.
#
#   windows/build.sh [i686|x86_64] [TARGET...]   (JOBS=n sets the parallel jobs)
#
# i686, the DLL that ships, builds in build-win32 ($TARVIK_WIN32_BUILD);
# x86_64, for machines that cannot run 32-bit Wine, in build-win64
# ($TARVIK_WIN64_BUILD). The targets default to the DLL and the suites.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
arch=${1:-i686}
shift || true
case "$arch" in
  i686) build_dir=${TARVIK_WIN32_BUILD:-$root/build-win32} ;;
  x86_64) build_dir=${TARVIK_WIN64_BUILD:-$root/build-win64} ;;
  *) echo "windows/build.sh: unknown architecture '$arch' (i686 or x86_64)" >&2; exit 2 ;;
esac
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(Tarvik tarvik_windows_tests)
jobs=${JOBS:-$(nproc)}

prefix=$(JOBS=$jobs bash "$root/windows/deps.sh" "$build_dir" "$arch" | tail -n 1)

cmake -S "$root" -B "$build_dir" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/windows/toolchain-$arch.cmake" \
  -DTARVIK_WIN32_DEPS="$prefix" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
# Only what ships and what runs under Wine: native-only tools and suites may
# not build for Windows at all.
cmake --build "$build_dir" -j "$jobs" --target "${targets[@]}"
echo "windows: built $build_dir/bin/Tarvik.nbp ($arch)"
