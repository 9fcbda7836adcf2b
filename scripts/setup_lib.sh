# Shell functions behind `make deps` and the Windows test runner: which
# packages each tier needs, which Windows mode this machine can run, and how
# an apt install that a half-synced mirror broke is retried. Sourced, never
# run; tests/scripts drives each function with stand-in commands on PATH.

# ---- the Windows test mode --------------------------------------------------
# A 93-byte static i386 Linux program that only calls exit(0): the cheapest
# proof that this kernel runs 32-bit programs at all. Some kernels refuse every
# i386 ELF with "Exec format error", and then 32-bit Wine cannot start either.
tarvik_i386_probe_bytes='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\x31\xdb\xb8\x01\x00\x00\x00\xcd\x80'

# Succeeds when 32-bit programs run here. TARVIK_I386_PROBE names another
# program to try instead (the tests' stand-ins).
runs_32bit() {
  if [ -n "${TARVIK_I386_PROBE:-}" ]; then
    "$TARVIK_I386_PROBE" >/dev/null 2>&1
    return
  fi
  local dir status=0
  dir=$(mktemp -d "${TMPDIR:-/tmp}/tarvik-probe.XXXXXX") || return 1
  # shellcheck disable=SC2059  # the bytes are the format on purpose
  printf "$tarvik_i386_probe_bytes" >"$dir/probe"
  chmod +x "$dir/probe"
  "$dir/probe" >/dev/null 2>&1 || status=$?
  rm -rf "$dir"
  return $status
}

# Prints the Windows test mode: i686 (the shipping 32-bit DLL under 32-bit
# Wine) or x86_64 (the same suites built for 64-bit Windows, under wine64).
# TARVIK_WINDOWS_MODE=i686 or x86_64 forces one; otherwise the probe decides.
windows_mode() {
  case "${TARVIK_WINDOWS_MODE:-}" in
    i686 | x86_64) echo "$TARVIK_WINDOWS_MODE" ;;
    "") if runs_32bit; then echo i686; else echo x86_64; fi ;;
    *)
      echo "TARVIK_WINDOWS_MODE must be i686 or x86_64, not '$TARVIK_WINDOWS_MODE'" >&2
      return 2
      ;;
  esac
}

# ---- the package tiers ------------------------------------------------------
# demo: what the native build and `make demo` need. test: everything the test
# suites run, with the Windows half chosen by the mode.
tier_packages() {
  local tier=$1 mode=${2:-i686}
  local demo=(
    g++ cmake ninja-build pkg-config make
    libgtest-dev libgmock-dev googletest
    zlib1g-dev libzip-dev libpugixml-dev libcli11-dev libstb-dev
    libemf2svg-dev libwmf-dev
    zip unzip
  )
  case "$tier" in
    demo) printf '%s\n' "${demo[@]}" ;;
    test)
      printf '%s\n' "${demo[@]}"
      # the benchmarks' peak memory, and the importer's RTF read back
      printf '%s\n' time unrtf
      # fuzzing: libFuzzer comes with clang's runtime
      printf '%s\n' clang libclang-rt-14-dev
      # the Windows build: the i686 DLL ships in every mode
      printf '%s\n' g++-mingw-w64-i686-posix libz-mingw-w64-dev dpkg-dev
      printf '%s\n' wine locales xvfb xauth
      # the browser draws Calibri and Cambria in their metric twins, as the reader measures them
      printf '%s\n' fonts-liberation fonts-crosextra-carlito fonts-crosextra-caladea
      if [ "$mode" = x86_64 ]; then
        printf '%s\n' g++-mingw-w64-x86-64-posix wine64
      else
        printf '%s\n' wine32:i386
      fi
      # the browser tests: Node drives Debian's chromium through playwright-core;
      # xmllint checks the SCORM manifests against the SCORM 1.2 schemas
      printf '%s\n' chromium nodejs libxml2-utils
      # the EPUB export's books are checked by the reference validator
      printf '%s\n' epubcheck
      ;;
    *)
      echo "unknown package tier '$tier' (demo or test)" >&2
      return 2
      ;;
  esac
}

# Prints the packages of the list that dpkg does not have installed.
missing_packages() {
  local p status
  for p in "$@"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = installed ] || echo "$p"
  done
}

# ---- apt ----------------------------------------------------------------------
# Suites whose index failed to download, read off apt-get update's messages
# ("Failed to fetch http://.../dists/bookworm-security/main/binary-i386/...").
failed_suites() {
  grep -oE 'Failed to fetch [^ ]*/dists/[^/ ]+/' "$1" 2>/dev/null |
    sed -E 's#.*/dists/([^/]+)/$#\1#' | sort -u
}

# Succeeds when an install that failed as logged is worth one retry with the
# security suite pinned low: apt could not resolve the set, and i386 packages
# are involved (asked for, or already installed beside the amd64 ones). A
# mirror that serves the amd64 index of the security suite but a broken i386
# one leaves Multi-Arch: same libraries at versions apt cannot pair; from the
# main suite alone they pair again.
should_retry_pinned() {
  local log=$1
  shift
  printf '%s\n' "$@" | grep -q ':i386$' ||
    dpkg --print-foreign-architectures 2>/dev/null | grep -qx i386 || return 1
  grep -qE 'unmet dependencies|held broken packages|generated breaks|Unable to correct problems' "$log"
}

# Writes a private preferences folder for one install: the machine's own
# preferences, plus the security suite and every suite whose index failed
# pinned at 100, so that their versions are taken only where the main suite
# has none. The machine's apt configuration is never changed.
write_pin_folder() {
  local dir=$1 update_log=$2 suite f
  mkdir -p "$dir"
  for f in /etc/apt/preferences.d/*; do
    [ -f "$f" ] && cp "$f" "$dir/"
  done
  {
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n'
    for suite in $(failed_suites "$update_log"); do
      printf '\nPackage: *\nPin: release n=%s\nPin-Priority: 100\n' "$suite"
    done
  } >"$dir/zz-tarvik-pin"
}

# Names the packages of the list that apt cannot install, each tried alone
# (a simulation: nothing is downloaded or changed), with the options of the
# last attempt.
apt_extra_opts=()
unresolvable_packages() {
  local p
  for p in "$@"; do
    apt-get install -s -qq --no-install-recommends "${apt_extra_opts[@]}" "$p" >/dev/null 2>&1 || echo "$p"
  done
}

# Installs the packages, tolerating index files that fail to download, and
# retrying once with the pinned preferences when that is what broke. Prints
# what it could not install and apt's reason, and fails, when it still fails.
install_packages() {
  local work status=0
  work=$(mktemp -d "${TMPDIR:-/tmp}/tarvik-deps.XXXXXX")
  install_packages_in "$work" "$@" || status=$?
  rm -rf "$work"
  apt_extra_opts=()
  return $status
}

install_packages_in() {
  local work=$1 status=0
  shift
  apt_extra_opts=()
  export DEBIAN_FRONTEND=noninteractive
  if ! apt-get update -qq >"$work/update.log" 2>&1; then
    echo "deps: warning: some package indexes failed to download; installing from the rest" >&2
    grep -E '^(E|W):' "$work/update.log" | head -n 4 | sed 's/^/deps:   /' >&2 || true
  fi
  apt-get install -y -qq --no-install-recommends "$@" >"$work/install.log" 2>&1 || status=$?
  if [ $status -ne 0 ] && should_retry_pinned "$work/install.log" "$@"; then
    echo "deps: apt could not pair the i386 and amd64 packages; retrying with the security suite pinned low" >&2
    write_pin_folder "$work/preferences.d" "$work/update.log"
    apt_extra_opts=(-o "Dir::Etc::PreferencesParts=$work/preferences.d")
    status=0
    apt-get install -y -qq --no-install-recommends "${apt_extra_opts[@]}" "$@" >"$work/install.log" 2>&1 || status=$?
  fi
  [ $status -eq 0 ] && return 0
  local failed
  failed=$(unresolvable_packages "$@" | tr '\n' ' ')
  echo "deps: could not install: ${failed:-$*}" >&2
  echo "deps: apt said:" >&2
  grep -vE '^(Reading|Building|Selecting|Preparing|Unpacking|Setting up|Processing)' "$work/install.log" |
    tail -n 20 | sed 's/^/deps:   /' >&2
  return 1
}
