#!/usr/bin/env bash
# Cross-builds Tarvik.nbp as the 32-bit Windows DLL (mingw-w64 i686, static
# runtime) together with the test suites that run under Wine, in build-win32.
#
#   windows/build.sh            (JOBS=n sets the parallel jobs)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${TARVIK_WIN32_BUILD:-$root/build-win32}
jobs=${JOBS:-$(nproc)}

prefix=$(JOBS=$jobs bash "$root/windows/deps.sh" "$build_dir" | tail -n 1)

cmake -S "$root" -B "$build_dir" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/windows/toolchain-i686.cmake" \
  -DTARVIK_WIN32_DEPS="$prefix" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
# Only what ships and what runs under Wine: native-only tools and suites may
# not build for Windows at all.
cmake --build "$build_dir" -j "$jobs" --target Tarvik tarvik_windows_tests
echo "windows: built $build_dir/bin/Tarvik.nbp"
