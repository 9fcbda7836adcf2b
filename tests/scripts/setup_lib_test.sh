#!/usr/bin/env bash
# The set-up decisions (package tiers, the Windows mode probe, the apt retry)
# driven with stand-in commands on PATH, never by breaking the machine.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvik-setup-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check DESCRIPTION CONDITION: the condition is evaluated here
  if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}

# ---- stand-ins ----------------------------------------------------------------
# apt-get: update exits $UPDATE_RC after printing a failed-fetch line; install
# exits $INSTALL_RC (or $PINNED_RC when given a preferences folder) after
# printing $INSTALL_SAYS; every call is logged, and the pin file copied aside.
bin=$work/bin
mkdir -p "$bin"
cat >"$bin/apt-get" <<'SH'
#!/usr/bin/env bash
echo "apt-get $*" >>"$CALLS"
case " $* " in
  *" update "*)
    echo "E: Failed to fetch http://mirror/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size"
    exit "${UPDATE_RC:-0}" ;;
esac
rc=${INSTALL_RC:-0}
for a in "$@"; do
  case "$a" in Dir::Etc::PreferencesParts=*)
    cp "${a#*=}/zz-tarvik-pin" "$CALLS.pin"; rc=${PINNED_RC:-0} ;;
  esac
done
# A simulated install of one package fails only for $UNINSTALLABLE.
if [[ " $* " == *" -s "* ]]; then [[ " $* " == *" ${UNINSTALLABLE:-none} "* ]] && exit 100; exit 0; fi
[ "$rc" -eq 0 ] || echo "${INSTALL_SAYS:-E: Unable to correct problems, you have held broken packages.}"
exit "$rc"
SH
cat >"$bin/dpkg" <<'SH'
#!/usr/bin/env bash
[ "$1" = --print-foreign-architectures ] && printf '%s' "${FOREIGN_ARCHS:-}"
exit 0
SH
# dpkg-query: the packages named in $INSTALLED are installed.
cat >"$bin/dpkg-query" <<'SH'
#!/usr/bin/env bash
for p in ${INSTALLED:-}; do [ "$p" = "${!#}" ] && { printf installed; exit 0; }; done
exit 1
SH
printf '#!/bin/sh\nexit 126\n' >"$bin/no-32bit"
printf '#!/bin/sh\nexit 0\n' >"$bin/runs-32bit"
chmod +x "$bin"/*
export PATH=$bin:$PATH CALLS=$work/calls TMPDIR=$work
# shellcheck source=../../scripts/setup_lib.sh
source "$root/scripts/setup_lib.sh"

# ---- tiers ----------------------------------------------------------------------
demo=$(tier_packages demo)
test32=$(tier_packages test i686)
test64=$(tier_packages test x86_64)
check "the demo tier needs no Wine, chromium, clang or mingw" '! grep -qE "wine|chromium|clang|mingw" <<<"$demo"'
check "the test tier holds the whole demo tier" '[ -z "$(comm -23 <(sort <<<"$demo") <(sort <<<"$test32"))" ]'
check "i686 mode installs 32-bit Wine" 'grep -qx "wine32:i386" <<<"$test32"'
check "x86_64 mode installs wine64 and the 64-bit mingw" \
  'grep -qx wine64 <<<"$test64" && grep -qx g++-mingw-w64-x86-64-posix <<<"$test64"'
check "x86_64 mode asks for no i386 package" '! grep -q ":i386$" <<<"$test64"'
check "both modes build the shipping i686 DLL" \
  'grep -qx g++-mingw-w64-i686-posix <<<"$test32" && grep -qx g++-mingw-w64-i686-posix <<<"$test64"'
check "an unknown tier is refused" '! tier_packages everything 2>/dev/null'
check "missing_packages names only what dpkg lacks" \
  '[ "$(INSTALLED="make g++" missing_packages make cmake g++ zip | tr "\n" " ")" = "cmake zip " ]'

# ---- the Windows mode -------------------------------------------------------------
check "a failing 32-bit probe means x86_64 mode" '[ "$(TARVIK_I386_PROBE=no-32bit windows_mode)" = x86_64 ]'
check "a running 32-bit probe means i686 mode" '[ "$(TARVIK_I386_PROBE=runs-32bit windows_mode)" = i686 ]'
check "TARVIK_WINDOWS_MODE overrides the probe" \
  '[ "$(TARVIK_WINDOWS_MODE=x86_64 TARVIK_I386_PROBE=runs-32bit windows_mode)" = x86_64 ]'
check "an unknown forced mode is refused" '! TARVIK_WINDOWS_MODE=arm windows_mode 2>/dev/null'
status=0
(unset TARVIK_I386_PROBE; runs_32bit) || status=$?
check "the built-in probe either runs or is refused by the kernel" '[ $status -eq 0 ] || [ $status -eq 126 ]'

# ---- the retry decision -------------------------------------------------------------
printf 'E: Unable to correct problems, you have held broken packages.\n' >"$work/unresolved.log"
printf 'E: Failed to fetch http://x/pool/a.deb  Connection failed\n' >"$work/network.log"
check "unresolvable with an i386 package: retry" 'should_retry_pinned "$work/unresolved.log" wine wine32:i386'
check "unresolvable beside installed i386 packages: retry" \
  'FOREIGN_ARCHS=i386 should_retry_pinned "$work/unresolved.log" wine64'
check "unresolvable without i386 anywhere: no retry" '! should_retry_pinned "$work/unresolved.log" wine64'
check "a download failure: no retry" '! should_retry_pinned "$work/network.log" wine32:i386'
apt-get update >"$work/update.log" 2>&1
check "the failed suite is read off the update messages" '[ "$(failed_suites "$work/update.log")" = bookworm-security ]'

# ---- the install ------------------------------------------------------------------------
install() {  # install ENV... -- PACKAGES: install_packages in a subshell; sets rc
  local envs=()
  while [ "$1" != -- ]; do envs+=("$1"); shift; done
  shift
  : >"$CALLS"
  rm -f "$CALLS.pin"
  rc=0
  env "${envs[@]}" bash -c 'source "$0"; install_packages "$@"' "$root/scripts/setup_lib.sh" "$@" \
    2>"$work/stderr" || rc=$?
  installs=$(grep -c "install -y" "$CALLS")
}
install UPDATE_RC=100 -- zip
check "a broken index is a warning, and the install goes on" \
  '[ $rc -eq 0 ] && grep -q warning "$work/stderr" && [ $installs -eq 1 ]'
install INSTALL_RC=100 PINNED_RC=0 -- wine wine32:i386
check "an unresolvable i386 install is retried once with the pin" '[ $rc -eq 0 ] && [ $installs -eq 2 ]'
check "the pin lowers the security suite and the failed one" \
  'grep -q "l=Debian-Security" "$CALLS.pin" && grep -q "n=bookworm-security" "$CALLS.pin" && grep -q "Pin-Priority: 100" "$CALLS.pin"'
install INSTALL_RC=100 PINNED_RC=100 UNINSTALLABLE=wine32:i386 -- wine wine32:i386
check "a failure that persists is reported, naming the package and apt's reason" \
  '[ $rc -ne 0 ] && grep -q "could not install: wine32:i386 $" "$work/stderr" && grep -q "held broken packages" "$work/stderr"'
install INSTALL_RC=100 "INSTALL_SAYS=E: Failed to fetch x.deb" -- zip
check "a failure with nothing to pin is not retried" '[ $rc -ne 0 ] && [ $installs -eq 1 ]'

# ---- the whole deps.sh, with everything installed ---------------------------------------
: >"$CALLS"
out=$(INSTALLED="$demo" bash "$root/scripts/deps.sh" demo 2>&1)
check "nothing missing: silent and no apt at all" '[ -z "$out" ] && [ ! -s "$CALLS" ]'

echo "$failures failed"
[ "$failures" -eq 0 ]
