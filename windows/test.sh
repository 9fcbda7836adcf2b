#!/usr/bin/env bash
# Builds the Windows Tarvik.nbp and its test suites, runs the suites under
# Wine in a private prefix, then checks the DLL's export and import tables.
#
#   windows/test.sh             (JOBS=n sets the parallel jobs)
#
# Two modes, chosen by a probe (TARVIK_WINDOWS_MODE=i686 or x86_64 forces one):
#   i686    the shipping 32-bit DLL and its suites under 32-bit Wine;
#   x86_64  for kernels that cannot execute 32-bit programs, where no 32-bit
#           Wine starts: the same suites built for 64-bit Windows run under
#           wine64, and the i686 DLL is still built and its tables checked.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${JOBS:-$(nproc)}

# Runs inside the display (see the end): one Wine session around ctest.
if [ "${1:-}" = --wine-session ]; then
  build_dir=$2
  # A server kept alive across the run, and one process that finishes the
  # prefix set-up: otherwise Wine's background processes start under the first
  # test and hold ctest's output open.
  "$tarvik_wineserver" -p
  "$tarvik_wine" cmd /c exit >/dev/null 2>&1
  # Without a window manager every hidden top-level window stalls for about
  # two seconds unless Wine manages the windows itself.
  "$tarvik_wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  status=0
  # Now and then a Wine process dies before its test starts, printing
  # nothing; a second run tells that from a test that fails.
  (cd "$build_dir" && ctest --output-on-failure --no-tests=error --timeout 300 --repeat until-pass:2 -j "$jobs") ||
    status=$?
  "$tarvik_wineserver" -k || true
  exit $status
fi

# shellcheck source=../scripts/setup_lib.sh
source "$root/scripts/setup_lib.sh"
mode=$(windows_mode)
win32_build=${TARVIK_WIN32_BUILD:-$root/build-win32}
if [ "$mode" = i686 ]; then
  echo "windows: mode i686: the 32-bit Tarvik.nbp and its suites under 32-bit Wine"
  build_dir=$win32_build
  export WINEARCH=win32
  tarvik_wine=$(command -v wine || true)
  tarvik_wineserver=$(command -v wineserver || true)
  JOBS=$jobs bash "$root/windows/build.sh" i686
else
  echo "windows: mode x86_64: this machine cannot run 32-bit programs (or TARVIK_WINDOWS_MODE says so);" \
    "the suites run as a 64-bit build under wine64, and the i686 Tarvik.nbp is built and checked"
  build_dir=${TARVIK_WIN64_BUILD:-$root/build-win64}
  export WINEARCH=win64
  # The 64-bit loader and server themselves: the `wine` and `wineserver`
  # wrappers pick the 32-bit ones whenever wine32 is installed.
  tarvik_wine=$(PATH=/usr/lib/wine:/usr/lib64/wine:$PATH command -v wine64 || true)
  tarvik_wineserver=$(PATH=/usr/lib/wine:/usr/lib64/wine:$PATH command -v wineserver64 || true)
  # Wine starts child processes and finds its server through these.
  export WINELOADER=$tarvik_wine WINESERVER=$tarvik_wineserver
  JOBS=$jobs bash "$root/windows/build.sh" i686 Tarvik
  JOBS=$jobs bash "$root/windows/build.sh" x86_64
fi
if [ -z "$tarvik_wine" ] || [ -z "$tarvik_wineserver" ]; then
  echo "windows: no Wine for mode $mode (loader '$tarvik_wine', server '$tarvik_wineserver'); 'make deps' installs it" >&2
  exit 1
fi
export tarvik_wine tarvik_wineserver

# ---- a private, throw-away Wine prefix --------------------------------------
# An unset WINEPREFIX would quietly create and reuse ~/.wine.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/tarvik-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko install prompts
# Wine takes each process's ANSI code page from its locale: 1252 here. Without
# the locale Wine falls back to ASCII and non-ASCII file names fail.
if ! locale -a 2>/dev/null | grep -qix 'en_US\.utf-\?8'; then
  echo "windows: the en_US.UTF-8 locale is missing; 'make deps' generates it" >&2
  exit 1
fi
export LC_ALL=en_US.UTF-8
cleanup() {
  "$tarvik_wineserver" -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

echo "windows: running the suites under Wine"
status=0
if command -v xvfb-run >/dev/null; then
  # A display of its own, so windows can be created with nothing on screen.
  xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --wine-session "$build_dir" || status=$?
else
  env -u DISPLAY bash "$0" --wine-session "$build_dir" || status=$?
fi

bash "$root/windows/check_dll.sh" "$win32_build/bin/Tarvik.nbp" i686 || status=1
if [ "$mode" = x86_64 ]; then
  bash "$root/windows/check_dll.sh" "$build_dir/bin/Tarvik.nbp" x86_64 || status=1
fi
exit $status
