#!/usr/bin/env bash
# Builds the Windows Tarvik.nbp and its test suites, runs the suites under
# Wine in a private prefix, then checks the DLL's export and import tables.
#
#   windows/test.sh             (JOBS=n sets the parallel jobs)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${TARVIK_WIN32_BUILD:-$root/build-win32}
jobs=${JOBS:-$(nproc)}

# Runs inside the display (see the end): one Wine session around ctest.
if [ "${1:-}" = --wine-session ]; then
  # A server kept alive across the run, and one process that finishes the
  # prefix set-up: otherwise Wine's background processes start under the first
  # test and hold ctest's output open.
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1
  # Without a window manager every hidden top-level window stalls for about
  # two seconds unless Wine manages the windows itself.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  status=0
  (cd "$build_dir" && ctest --output-on-failure --no-tests=error --timeout 300 -j "$jobs") || status=$?
  wineserver -k || true
  exit $status
fi

JOBS=$jobs bash "$root/windows/build.sh"

# ---- a private, throw-away 32-bit Wine --------------------------------------
# An unset WINEPREFIX would quietly create and reuse ~/.wine.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/tarvik-wine.XXXXXX")
export WINEPREFIX WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko install prompts
# Wine takes each process's ANSI code page from its locale: 1252 here. Without
# the locale Wine falls back to ASCII and non-ASCII file names fail.
if ! locale -a 2>/dev/null | grep -qix 'en_US\.utf-\?8'; then
  echo "windows: the en_US.UTF-8 locale is missing; 'make deps' generates it" >&2
  exit 1
fi
export LC_ALL=en_US.UTF-8
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

echo "windows: running the suites under Wine"
status=0
if command -v xvfb-run >/dev/null; then
  # A display of its own, so windows can be created with nothing on screen.
  xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --wine-session || status=$?
else
  env -u DISPLAY bash "$0" --wine-session || status=$?
fi

bash "$root/windows/check_dll.sh" "$build_dir/bin/Tarvik.nbp" || status=1
exit $status
