#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and nothing when
# all are present. Runs as root on a fresh Debian 12 machine.
set -euo pipefail

packages=(
  # native build
  g++ cmake ninja-build pkg-config make
  libgtest-dev libgmock-dev googletest
  zlib1g-dev libzip-dev libpugixml-dev libcli11-dev libstb-dev
  zip unzip
  # the benchmarks' peak memory
  time
  # reads the importer's RTF back in its tests
  unrtf
  # fuzzing (libFuzzer comes with clang's runtime)
  clang libclang-rt-14-dev
  # the Windows build and its tests under Wine
  g++-mingw-w64-i686-posix libz-mingw-w64-dev dpkg-dev
  wine wine32:i386 locales xvfb xauth fonts-liberation
  # the browser tests: Node drives Debian's chromium through playwright-core
  chromium nodejs
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done
# Debian ships npm on its own; other builds of nodejs bring it along.
command -v npm >/dev/null || missing+=(npm)

if [ ${#missing[@]} -gt 0 ]; then
  echo "deps: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine's code page follows the locale of each process; the tests need these.
if command -v locale >/dev/null && ! locale -a 2>/dev/null | grep -qi '^en_US.utf8$'; then
  sed -i 's/^# *\(en_US.UTF-8 UTF-8\)/\1/; s/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  locale-gen >/dev/null
fi

# The browser tests' one npm package, at the version of their lock file; it
# drives the system's chromium, so no browser is downloaded.
browser_tests="$(cd "$(dirname "$0")/.." && pwd)/tests/browser"
if [ -f "$browser_tests/package-lock.json" ] && [ ! -d "$browser_tests/node_modules/playwright-core" ]; then
  echo "deps: installing playwright-core for the browser tests"
  (cd "$browser_tests" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error >/dev/null)
fi
