#!/usr/bin/env bash
# Builds the static Windows pugixml and libzip that Tarvik.nbp links, from
# Debian's own source packages, so that nothing third-party is kept in the
# repository. The apt sources come from this machine's configuration.
#
#   windows/deps.sh [BUILD_DIR] [i686|x86_64]   (default: build-win32, i686)
#
# Prints the installed prefix on its last line. The prefix is keyed on the
# source package versions, so a later run with the same versions builds nothing.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${1:-$root/build-win32}
arch=${2:-i686}
deps_dir=$build_dir/deps
apt_dir=$deps_dir/apt
mkdir -p "$deps_dir"
deps_dir=$(cd "$deps_dir" && pwd)
apt_dir=$deps_dir/apt

log() { echo "windows/deps: $*" >&2; }

# ---- a private apt configuration that knows the deb-src lines --------------
# Our own lists and cache, so the machine's apt state is never touched.
apt_opts=(
  -o "Dir::Etc::SourceList=/dev/null"
  -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::Cache=$apt_dir/cache"
  -o "APT::Sandbox::User=root"
  -o "Debug::NoLocking=1"
  -o "Acquire::Languages=none"
)

write_src_lists() {
  local out=$apt_dir/sources.list.d
  rm -rf "$out"
  mkdir -p "$out" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  local f n=0
  # deb822 files: every "Types: deb" stanza also gets a deb-src twin.
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    sed -E 's/^Types:.*$/Types: deb-src/' "$f" >"$out/$(basename "$f")"
    n=$((n + 1))
  done
  # One-line format, in sources.list and in .list files.
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    sed -nE 's/^[[:space:]]*deb(-src)?[[:space:]]+/deb-src /p' "$f" | sort -u >"$out/$(basename "$f").list"
    [ -s "$out/$(basename "$f").list" ] && n=$((n + 1))
  done
  if [ "$n" -eq 0 ]; then
    log "no apt sources found under /etc/apt"
    exit 1
  fi
}

# The lists live in the build folder: fetched once, then reused until the
# folder is removed or TARVIK_DEPS_REFRESH=1 asks for new ones.
if [ "${TARVIK_DEPS_REFRESH:-0}" = 1 ] || ! ls "$apt_dir"/lists/*Sources* >/dev/null 2>&1; then
  log "reading the Debian source package lists"
  write_src_lists
  # A third-party repository without sources is no reason to stop: the version
  # check below says whether Debian's own lists arrived.
  apt-get "${apt_opts[@]}" -qq update >&2 || log "some source lists could not be read"
fi

src_version() {
  apt-cache "${apt_opts[@]}" showsrc "$1" 2>/dev/null |
    awk -v p="$1" '$1 == "Package:" { cur = $2 } $1 == "Version:" && cur == p { print $2 }' |
    sort -V | tail -n 1
}

pugixml_version=$(src_version pugixml)
libzip_version=$(src_version libzip)
if [ -z "$pugixml_version" ] || [ -z "$libzip_version" ]; then
  log "the source lists name no pugixml or libzip (pugixml='$pugixml_version' libzip='$libzip_version')"
  exit 1
fi

key="pugixml_${pugixml_version}-libzip_${libzip_version}"
key=${key//[^A-Za-z0-9._+-]/_}
prefix=$deps_dir/prefix-$key
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

log "building pugixml $pugixml_version and libzip $libzip_version for $arch Windows"
work=$deps_dir/work-$key
rm -rf "$work" "$prefix"
mkdir -p "$work"
(
  cd "$work"
  apt-get "${apt_opts[@]}" -qq source --download-only \
    "pugixml=$pugixml_version" "libzip=$libzip_version" >&2
)
for dsc in "$work"/pugixml_*.dsc "$work"/libzip_*.dsc; do
  [ -f "$dsc" ] || { log "download failed: no .dsc in $work"; exit 1; }
  name=$(basename "$dsc" | cut -d_ -f1)
  # --no-check: the keys that signed the .dsc are not on every machine; apt
  # has already checked the files against the signed lists.
  dpkg-source --no-check -x "$dsc" "$work/$name-src" >/dev/null
done

toolchain=$root/windows/toolchain-$arch.cmake
common=(
  -G Ninja
  -DCMAKE_TOOLCHAIN_FILE="$toolchain"
  -DTARVIK_WIN32_DEPS="$prefix"
  -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_INSTALL_PREFIX="$prefix"
  -DBUILD_SHARED_LIBS=OFF
  -DCMAKE_POSITION_INDEPENDENT_CODE=OFF
  -Wno-dev
)
jobs=${JOBS:-2}

cmake -S "$work/pugixml-src" -B "$work/pugixml-build" "${common[@]}" \
  -DPUGIXML_BUILD_TESTS=OFF >/dev/null
cmake --build "$work/pugixml-build" -j "$jobs" >/dev/null
cmake --install "$work/pugixml-build" >/dev/null

cmake -S "$work/libzip-src" -B "$work/libzip-build" "${common[@]}" \
  -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF \
  -DENABLE_WINDOWS_CRYPTO=ON -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF \
  -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF >/dev/null
cmake --build "$work/libzip-build" -j "$jobs" >/dev/null
cmake --install "$work/libzip-build" >/dev/null

# Keep only the installed prefix; the sources are a download away.
rm -rf "$work"
for old in "$deps_dir"/prefix-*; do
  [ "$old" = "$prefix" ] || rm -rf "$old"
done
touch "$prefix/.complete"
echo "$prefix"
