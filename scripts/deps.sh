#!/usr/bin/env bash
# Installs the Debian packages a tier needs, and nothing when all are present
# (then it is silent and never touches the network). Runs as root on a fresh
# Debian 12 machine.
#
#   scripts/deps.sh demo    the native build and `make demo`
#   scripts/deps.sh [test]  everything `make test` runs
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=setup_lib.sh
source "$root/scripts/setup_lib.sh"

tier=${1:-test}
mode=i686
[ "$tier" = test ] && mode=$(windows_mode)
mapfile -t packages < <(tier_packages "$tier" "$mode")
mapfile -t missing < <(missing_packages "${packages[@]}")
# Debian ships npm on its own; other builds of nodejs bring it along.
if [ "$tier" = test ] && ! command -v npm >/dev/null; then
  missing+=(npm)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "deps: installing ${missing[*]}"
  if printf '%s\n' "${missing[@]}" | grep -q ':i386$' &&
    ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  install_packages "${missing[@]}"
fi

[ "$tier" = test ] || exit 0

# Wine's code page follows the locale of each process; the tests need these.
if command -v locale >/dev/null && ! locale -a 2>/dev/null | grep -qi '^en_US.utf8$'; then
  sed -i 's/^# *\(en_US.UTF-8 UTF-8\)/\1/; s/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  locale-gen >/dev/null
fi

# The browser tests' npm packages, at the versions of their lock file:
# playwright-core (it drives the system's chromium, so no browser is
# downloaded) and the SCORM and H5P clients. Installed when one of them is
# missing; install scripts are not run (none of them needs one).
browser_tests=$root/tests/browser
if [ -f "$browser_tests/package-lock.json" ]; then
  missing_npm=$(node -e '
    const fs = require("fs"), path = require("path");
    const deps = Object.keys(require(path.resolve(process.argv[1], "package.json")).devDependencies || {});
    console.log(deps.filter((d) => !fs.existsSync(path.join(process.argv[1], "node_modules", d, "package.json"))).join(" "));
  ' "$browser_tests")
  if [ -n "$missing_npm" ]; then
    echo "deps: installing $missing_npm for the browser tests"
    (cd "$browser_tests" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund --loglevel=error >/dev/null)
  fi
fi
