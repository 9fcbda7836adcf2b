#!/usr/bin/env bash
# Checks the export and import tables of the Windows Tarvik.nbp: exactly the
# seven entry points under their plain names, and imports from system DLLs only
# (a runtime DLL such as libstdc++-6.dll or zlib1.dll is on no host machine).
#
#   windows/check_dll.sh [path/to/Tarvik.nbp] [i686|x86_64]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dll=${1:-${TARVIK_WIN32_BUILD:-$root/build-win32}/bin/Tarvik.nbp}
arch=${2:-i686}

expected_exports="nbEditAction
nbExecAction
nbInitPlugIn
nbMessage
nbRegisterInterfaceAccess
nbRegisterPlugIn
nbRegisterScriptProcessor"

# DLLs that every Windows the host runs on ships, lower case.
allowed_imports=(
  kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll oleaut32.dll
  msvcrt.dll comctl32.dll comdlg32.dll shlwapi.dll winmm.dll msvfw32.dll gdiplus.dll
  bcrypt.dll crypt32.dll uxtheme.dll version.dll ws2_32.dll
)

dump=$("$arch-w64-mingw32-objdump" -p "$dll")

exports=$(awk '
  /^\[Ordinal\/Name Pointer\] Table/ { on = 1; next }
  on && /^[[:space:]]*\[/ { print $NF; next }
  on { on = 0 }' <<<"$dump" | sort)
imports=$(awk '/DLL Name:/ { print $3 }' <<<"$dump")

status=0
if [ "$exports" != "$expected_exports" ]; then
  echo "windows: Tarvik.nbp exports the wrong names:" >&2
  diff <(echo "$expected_exports") <(echo "$exports") >&2 || true
  status=1
fi
if [ -z "$imports" ]; then
  echo "windows: Tarvik.nbp has no import table" >&2
  status=1
fi
for dll_name in $imports; do
  lower=$(tr '[:upper:]' '[:lower:]' <<<"$dll_name")
  if [[ " ${allowed_imports[*]} " != *" $lower "* ]]; then
    echo "windows: Tarvik.nbp imports $dll_name, which is not a system DLL" >&2
    status=1
  fi
done
if [ $status -eq 0 ]; then
  echo "windows: Tarvik.nbp ($arch) exports exactly the seven entry points; imports" $imports
fi
exit $status
