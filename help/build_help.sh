#!/bin/sh
# Compiles one language pack's help file with chmcmd (Debian fp-utils):
#   help/build_help.sh PACK_SOURCE_DIR COMMON_DIR WORK_DIR OUTPUT_CHM
# The pack's pages and the shared style sheet are gathered in WORK_DIR. The sources are
# UTF-8; the project and contents files are converted to the ANSI code page of the
# language given by "Language=" in help.hhp, since the help viewer reads the contents
# tree and the window title in that code page (the pages say charset=utf-8 themselves).
set -e
src="$1" common="$2" work="$3" out="$4"
rm -rf "$work"
mkdir -p "$work"
cp "$src"/* "$common"/* "$work"/

lcid="$(sed -n 's/^Language=\(0x[0-9a-fA-F]*\).*/\1/p' "$src/help.hhp" | tr 'A-F' 'a-f')"
case "$lcid" in
  0x804) codepage=CP936 ;;
  0x404) codepage=CP950 ;;
  0x411) codepage=CP932 ;;
  0x412) codepage=CP949 ;;
  0x419) codepage=CP1251 ;;
  *) codepage=CP1252 ;;
esac
for file in "$work"/*.hhp "$work"/*.hhc; do
  iconv -f UTF-8 -t "$codepage" "$file" >"$file.conv"
  mv "$file.conv" "$file"
done

(cd "$work" && chmcmd --verbosity 0 help.hhp >build.log 2>&1) || { cat "$work/build.log" >&2; exit 1; }
[ -s "$work/help.chm" ] || { echo "chmcmd wrote no help.chm for $src" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
cp "$work/help.chm" "$out.tmp"
mv "$out.tmp" "$out"
