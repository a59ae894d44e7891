#!/bin/bash
# Sets up everything the two builds need, and does nothing (quietly) when it is all there:
#  1. the Debian packages (compilers, mingw-w64, Wine, test tools);
#  2. libpng, libjpeg-turbo and pugixml cross-built for x86_64-w64-mingw32 as static
#     libraries, from Debian's own source packages (so Debian's security patches are in),
#     into a cache folder keyed by their versions: built once, reused after.
# The prefix of the cross-built libraries is written to build/deps-prefix.
#
# Usage: scripts/bootstrap.sh [--print-prefix]
# Environment: OVALIN_DEPS_CACHE overrides the cache folder
#              (default ${XDG_CACHE_HOME:-$HOME/.cache}/ovalin/mingw-deps).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TRIPLE=x86_64-w64-mingw32
# Bump when the way the libraries are built changes, so the cache is rebuilt.
RECIPE=r2

PACKAGES=(
  cmake g++ dpkg-dev clang nasm
  googletest libgtest-dev libgmock-dev
  libpugixml-dev libpng-dev libjpeg-dev zlib1g-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix libz-mingw-w64-dev
  wine wine64 xvfb xdotool imagemagick librsvg2-bin
  nsis fp-utils zip unzip jq libchm-bin fonts-wqy-microhei
)

say() { echo "bootstrap: $*" >&2; }
die() { say "error: $*"; exit 1; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    die "root rights are needed to run: $*"
  fi
}

install_packages() {
  local missing=() pkg status
  for pkg in "${PACKAGES[@]}"; do
    status="$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null || true)"
    [ "${status:0:2}" = "ii" ] || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq -o Dpkg::Use-Pty=0 "${missing[@]}" >/dev/null
}

# Version of the Debian source package a binary package was built from (no epoch).
source_version() {
  local v
  v="$(dpkg-query -W -f='${source:Version}' "$1")"
  echo "${v#*:}"
}

cache_key() {
  local gcc
  gcc="$("$TRIPLE-gcc-posix" -dumpfullversion 2>/dev/null || "$TRIPLE-gcc-posix" -dumpversion)"
  gcc="${gcc%-posix}"
  echo "png-$(source_version libpng-dev)_jpeg-$(source_version libjpeg-dev)_pugixml-$(source_version libpugixml-dev)_gcc-${gcc}_${RECIPE}"
}

# apt-get/apt-cache on a private configuration holding only a deb-src entry of the
# system's own suites: nothing under /etc/apt or /var/lib/apt is touched.
private_apt() {
  local tool="$1"; shift
  local opts=(
    -o "Dir::Etc::SourceList=$APT_DIR/sources.list"
    -o "Dir::Etc::SourceParts=$APT_DIR/sources.list.d"
    -o "Dir::State::Lists=$APT_DIR/lists"
    -o "Dir::Cache=$APT_DIR/cache"
    -o "Debug::NoLocking=1"
  )
  [ "$(id -u)" -eq 0 ] && opts+=(-o "APT::Sandbox::User=root")
  "$tool" "${opts[@]}" "$@"
}

setup_private_apt() {
  mkdir -p "$APT_DIR/sources.list.d" "$APT_DIR/lists/partial" "$APT_DIR/cache/archives/partial"
  : >"$APT_DIR/sources.list"
  local f
  # The system's deb entries, turned into deb-src entries.
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" | grep -E 'debian' >>"$APT_DIR/sources.list" || true
  done
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    grep -qi 'debian' "$f" || continue
    sed -E 's/^Types:.*/Types: deb-src/' "$f" >"$APT_DIR/sources.list.d/$(basename "$f")"
  done
  private_apt apt-get update -qq >"$LOG" 2>&1 || { cat "$LOG" >&2; die "could not read Debian's source index"; }
}

# Downloads source package $1, preferably version $2 (that of the installed -dev package),
# else the newest version the archive offers, and unpacks it with dpkg-source (which
# applies Debian's patches) into $WORK/src-$1. Prints the version it got.
fetch_source() {
  local pkg="$1" wanted="$2" v versions
  versions="$(private_apt apt-cache showsrc --only-source "$pkg" | sed -n 's/^Version: //p' | sort -u)"
  [ -n "$versions" ] || die "no source package $pkg in the archive"
  # Wanted version first, then the others newest first.
  local ordered=() others=()
  for v in $versions; do
    if [ "${v#*:}" = "$wanted" ]; then ordered+=("$v"); else others+=("$v"); fi
  done
  local i j t
  for ((i = 0; i < ${#others[@]}; i++)); do
    for ((j = i + 1; j < ${#others[@]}; j++)); do
      if dpkg --compare-versions "${others[j]}" gt "${others[i]}"; then
        t="${others[i]}"; others[i]="${others[j]}"; others[j]="$t"
      fi
    done
  done
  ordered+=("${others[@]}")
  local dl="$WORK/dl-$pkg"
  for v in "${ordered[@]}"; do
    rm -rf "$dl"; mkdir -p "$dl"
    if (cd "$dl" && private_apt apt-get source -qq --download-only "$pkg=$v") >>"$LOG" 2>&1; then
      (cd "$dl" && dpkg-source -x ./*.dsc "$WORK/src-$pkg") >>"$LOG" 2>&1 \
        || { tail -20 "$LOG" >&2; die "dpkg-source could not unpack $pkg $v"; }
      [ "${v#*:}" = "$wanted" ] || say "note: $pkg $wanted is not downloadable, built ${v#*:}"
      echo "${v#*:}"
      return 0
    fi
  done
  tail -20 "$LOG" >&2
  die "could not download the source of $pkg"
}

cmake_build() {
  local name="$1" src="$2"; shift 2
  cmake -S "$src" -B "$WORK/build-$name" \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    "$@" >>"$LOG" 2>&1 &&
    cmake --build "$WORK/build-$name" -j2 >>"$LOG" 2>&1 &&
    cmake --install "$WORK/build-$name" >>"$LOG" 2>&1 ||
    { tail -30 "$LOG" >&2; die "building $name failed (log: $LOG)"; }
}

build_deps() {
  say "cross-building libpng, libjpeg-turbo and pugixml for $TRIPLE (once) into $PREFIX"
  local started=$SECONDS
  rm -rf "$PREFIX"
  WORK="$(mktemp -d "$CACHE/work.XXXXXX")"
  cd "$WORK"
  APT_DIR="$WORK/apt"
  LOG="$WORK/build.log"
  : >"$LOG"
  setup_private_apt

  local png jpeg pugi
  png="$(fetch_source libpng1.6 "$(source_version libpng-dev)")"
  jpeg="$(fetch_source libjpeg-turbo "$(source_version libjpeg-dev)")"
  pugi="$(fetch_source pugixml "$(source_version libpugixml-dev)")"

  cmake_build libjpeg-turbo "$WORK/src-libjpeg-turbo" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF
  cmake_build libpng "$WORK/src-libpng1.6" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_USE_STATIC_LIBS=ON \
    -DZLIB_ROOT="/usr/$TRIPLE" -DZLIB_LIBRARY="/usr/$TRIPLE/lib/libz.a" \
    -DZLIB_INCLUDE_DIR="/usr/$TRIPLE/include"
  cmake_build pugixml "$WORK/src-pugixml" \
    -DBUILD_SHARED_LIBS=OFF -DPUGIXML_BUILD_TESTS=OFF

  # Static only: drop any import library or DLL an install may have left.
  find "$PREFIX" \( -name '*.dll.a' -o -name '*.dll' \) -delete
  printf 'libpng1.6 %s\nlibjpeg-turbo %s\npugixml %s\n' "$png" "$jpeg" "$pugi" >"$PREFIX/SOURCES"
  cd "$ROOT"
  rm -rf "$WORK"
  touch "$PREFIX/.complete"
  say "cross-built libraries ready in $((SECONDS - started)) s"
}

ensure_deps() {
  CACHE="${OVALIN_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/ovalin/mingw-deps}"
  PREFIX="$CACHE/$(cache_key)"
  if [ ! -f "$PREFIX/.complete" ]; then
    mkdir -p "$CACHE"
    # One builder at a time; whoever waited finds the work done.
    exec 9>"$CACHE/.lock"
    flock 9
    [ -f "$PREFIX/.complete" ] || build_deps
    exec 9>&-
  fi
  mkdir -p "$ROOT/build"
  if [ "$(cat "$ROOT/build/deps-prefix" 2>/dev/null)" != "$PREFIX" ]; then
    echo "$PREFIX" >"$ROOT/build/deps-prefix"
  fi
}

install_packages
ensure_deps
if [ "${1:-}" = "--print-prefix" ]; then
  echo "$PREFIX"
fi
