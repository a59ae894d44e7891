#!/bin/sh
# Installs one language-pack file: the UTF-8 source ($1) is written to $2 as UTF-16 LE
# with byte-order mark and CR LF line ends, the form the Windows profile functions read.
set -e
mkdir -p "$(dirname "$2")"
{ printf '\377\376'; sed 's/\r*$/\r/' "$1" | iconv -f UTF-8 -t UTF-16LE; } > "$2.tmp"
mv "$2.tmp" "$2"
