#!/bin/bash
# Runs a Windows program under Wine in the project's private prefix (never ~/.wine):
#   scripts/wine-run.sh PROGRAM.exe [ARGS...]
# The prefix is build/wine-prefix, or $OVALIN_WINEPREFIX. It is created on first use and
# warmed before the program starts, so that Wine's background processes (wineserver,
# services) are already running and do not inherit the program's output: a ctest run
# would otherwise wait on that pipe after the test ended. Safe to run several at once.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${OVALIN_WINEPREFIX:-$ROOT/build/wine-prefix}"
export WINEDEBUG=-all

[ $# -ge 1 ] || { echo "usage: $0 PROGRAM.exe [ARGS...]" >&2; exit 2; }

mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.ovalin-ready" ]; then
    # No menu entries or file associations on the host, no Mono/Gecko install prompts.
    WINEDLLOVERRIDES="winemenubuilder.exe,mscoree,mshtml=d" wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w </dev/null >/dev/null 2>&1 || true
    touch "$WINEPREFIX/.ovalin-ready"
  fi
  if [ ! -f "$WINEPREFIX/.ovalin-fonts" ]; then
    # The Chinese pack asks for Microsoft YaHei, which Windows has and Wine does not: the
    # prefix maps it to the host's WenQuanYi Micro Hei (installed by the bootstrap), which
    # has Latin letters as well as Chinese ones. (Not SimSun: Wine links Tahoma to that
    # name, and a substitute for it would change every Latin text.)
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
      /v 'Microsoft YaHei' /d 'WenQuanYi Micro Hei' /f </dev/null >/dev/null 2>&1
    wineserver -w </dev/null >/dev/null 2>&1 || true
    touch "$WINEPREFIX/.ovalin-fonts"
  fi
  wine cmd /c exit </dev/null >/dev/null 2>&1
) 9>"$WINEPREFIX.lock"

exec wine "$@"
