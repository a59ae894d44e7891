#!/bin/bash
# Packs the portable program folder for release:
#   <out>/OvalinRegistryCleaner-<version>-portable.zip   the folder, unzip and run
#   <out>/OvalinRegistryCleaner-<version>-setup.exe      the NSIS setup program
#
#   scripts/make-dist.sh [--program-dir DIR] [--out DIR]
# DIR defaults to build/dist/OvalinRegistryCleaner (made by the Windows build), the output
# folder to build/release. The version is the project version in CMakeLists.txt.
#
# Only what the program is made of is packed: its two executables and, per language pack,
# the strings file, the optional font file and the help file. Whatever a run of the program
# left in the folder (Config.ini, Data\) stays out.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PROGRAM_DIR="$ROOT/build/dist/OvalinRegistryCleaner"
OUT_DIR="$ROOT/build/release"

usage() { echo "usage: $0 [--program-dir DIR] [--out DIR]" >&2; exit 2; }
while [ $# -gt 0 ]; do
  case "$1" in
    --program-dir) [ $# -ge 2 ] || usage; PROGRAM_DIR="$2"; shift 2 ;;
    --out) [ $# -ge 2 ] || usage; OUT_DIR="$2"; shift 2 ;;
    *) usage ;;
  esac
done

die() { echo "make-dist: error: $*" >&2; exit 1; }

VERSION="$(sed -n 's/^project(OvalinRegistryCleaner VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")"
[ -n "$VERSION" ] || die "no project version in CMakeLists.txt"
NAME="OvalinRegistryCleaner"
ZIP="$OUT_DIR/$NAME-$VERSION-portable.zip"
SETUP="$OUT_DIR/$NAME-$VERSION-setup.exe"

command -v zip >/dev/null || die "zip is missing (Debian package zip; scripts/bootstrap.sh installs it)"
STRIP="${STRIP:-x86_64-w64-mingw32-strip}"
command -v "$STRIP" >/dev/null || die "$STRIP is missing (Debian package binutils-mingw-w64-x86-64)"
command -v makensis >/dev/null || die "makensis is missing (Debian package nsis; scripts/bootstrap.sh installs it)"

[ -d "$PROGRAM_DIR" ] || die "no program folder $PROGRAM_DIR (build the Windows target first)"
for exe in OvalinRegistryCleaner.exe ovalin-rc.exe; do
  [ -f "$PROGRAM_DIR/$exe" ] || die "$PROGRAM_DIR/$exe is missing (build the Windows target first)"
done

mkdir -p "$OUT_DIR"
WORK="$(mktemp -d "$OUT_DIR/.make-dist.XXXXXX")"
trap 'rm -rf "$WORK"' EXIT
STAGE="$WORK/$NAME"
mkdir -p "$STAGE"

# The program folder as shipped.
# The executables without their debugging information (the build keeps its own copies).
for exe in OvalinRegistryCleaner.exe ovalin-rc.exe; do
  "$STRIP" --strip-all -o "$STAGE/$exe" "$PROGRAM_DIR/$exe"
done
packs=0
for pack_dir in "$PROGRAM_DIR"/Langs/*/; do
  pack="$(basename "$pack_dir")"
  [ -f "$pack_dir/RegistryCleanerStrs.ini" ] || continue
  mkdir -p "$STAGE/Langs/$pack"
  for file in RegistryCleanerStrs.ini RegistryCleanerFonts.ini help.chm; do
    [ -f "$pack_dir/$file" ] && cp "$pack_dir/$file" "$STAGE/Langs/$pack/"
  done
  [ -f "$STAGE/Langs/$pack/help.chm" ] ||
    echo "make-dist: warning: language pack $pack has no help.chm (is chmcmd installed?)" >&2
  packs=$((packs + 1))
done
[ "$packs" -gt 0 ] || die "no language pack in $PROGRAM_DIR/Langs"

# The portable zip: the folder itself, entries in a fixed order, no extra attributes.
rm -f "$ZIP"
(cd "$WORK" && find "$NAME" -print | LC_ALL=C sort | zip -q -X -D "$ZIP.tmp" -@)
mv "$ZIP.tmp" "$ZIP"

# The setup program: the installer script reads generated lists of what to install and
# what to remove again, so that the uninstaller removes exactly the installed files.
win_path() { printf '%s' "$1" | tr '/' '\\'; }
FILES_NSH="$WORK/files.nsh"
UNFILES_NSH="$WORK/unfiles.nsh"
: >"$FILES_NSH"
: >"$UNFILES_NSH"
while IFS= read -r dir; do
  rel="${dir#"$STAGE"}"
  rel="${rel#/}"
  printf 'SetOutPath "$INSTDIR%s"\n' "${rel:+\\$(win_path "$rel")}" >>"$FILES_NSH"
  while IFS= read -r file; do
    printf 'File "%s"\n' "$file" >>"$FILES_NSH"
    printf 'Delete "$INSTDIR\\%s"\n' "$(win_path "${file#"$STAGE"/}")" >>"$UNFILES_NSH"
  done < <(find "$dir" -maxdepth 1 -type f | LC_ALL=C sort)
done < <(find "$STAGE" -type d | LC_ALL=C sort)
# Folders deepest first; RMDir leaves a folder that still holds something.
while IFS= read -r dir; do
  printf 'RMDir "$INSTDIR\\%s"\n' "$(win_path "${dir#"$STAGE"/}")" >>"$UNFILES_NSH"
done < <(find "$STAGE" -mindepth 1 -type d | LC_ALL=C sort -r)

SIZE_KB="$(du -sk "$STAGE" | cut -f1)"
makensis -V2 -NOCD \
  -DVERSION="$VERSION" -DOUTFILE="$SETUP.tmp" -DSIZE_KB="$SIZE_KB" \
  -DFILES_NSH="$FILES_NSH" -DUNFILES_NSH="$UNFILES_NSH" \
  "$ROOT/installer/OvalinRegistryCleaner.nsi" >"$WORK/makensis.log" 2>&1 ||
  { cat "$WORK/makensis.log" >&2; die "makensis failed"; }
mv "$SETUP.tmp" "$SETUP"

echo "$ZIP"
echo "$SETUP"
