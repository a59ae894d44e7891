#!/bin/sh
# Compiles one language pack's help file with chmcmd (Debian fp-utils):
#   help/build_help.sh PACK_SOURCE_DIR COMMON_DIR WORK_DIR OUTPUT_CHM
# The pack's pages and the shared style sheet are gathered in WORK_DIR. The sources are
# UTF-8; everything is converted to the ANSI code page of the language given by
# "Language=" in help.hhp, the code page in which help viewers read the contents tree and
# the window title, and in which some read the pages too (each page's charset line is
# changed to match).
set -e
src="$1" common="$2" work="$3" out="$4"
rm -rf "$work"
mkdir -p "$work"
cp "$src"/* "$common"/* "$work"/

lcid="$(sed -n 's/^Language=\(0x[0-9a-fA-F]*\).*/\1/p' "$src/help.hhp" | tr 'A-F' 'a-f')"
case "$lcid" in
  0x804) codepage=CP936 charset=gb2312 ;;
  0x404) codepage=CP950 charset=big5 ;;
  0x411) codepage=CP932 charset=shift_jis ;;
  0x412) codepage=CP949 charset=ks_c_5601-1987 ;;
  0x419) codepage=CP1251 charset=windows-1251 ;;
  *) codepage=CP1252 charset=windows-1252 ;;
esac
for file in "$work"/*.hhp "$work"/*.hhc "$work"/*.htm; do
  sed "s/charset=utf-8/charset=$charset/" "$file" | iconv -f UTF-8 -t "$codepage" >"$file.conv"
  mv "$file.conv" "$file"
done

(cd "$work" && chmcmd --verbosity 0 help.hhp >build.log 2>&1) || { cat "$work/build.log" >&2; exit 1; }
[ -s "$work/help.chm" ] || { echo "chmcmd wrote no help.chm for $src" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
cp "$work/help.chm" "$out.tmp"
mv "$out.tmp" "$out"
