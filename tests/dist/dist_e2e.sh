#!/bin/bash
# The release files as a user meets them, under Wine in a prefix of their own:
#  - the portable zip holds exactly the program folder, and its ovalin-rc.exe scans, cleans
#    (with a backup) and restores from a folder whose path has spaces and non-ASCII letters;
#  - the setup program installs silently into Program Files with its shortcut and Uninstall
#    entry, and our own Programs scan finds nothing wrong with that entry;
#  - the installed program starts, and F1 opens the pack's help.chm in hh.exe
#    (screenshots in build/screenshots/dist/);
#  - the silent uninstall removes the files, the shortcut and the Uninstall entry, and
#    keeps the backups; an uninstall by hand asks first and, told Yes, removes them too.
#
#   tests/dist/dist_e2e.sh WORK_DIR
# Environment: OVALIN_DIST_WINEPREFIX (default: $OVALIN_WINEPREFIX-dist, or
# build/wine-prefix-dist), OVALIN_DIST_PROGRAM_DIR (default build/dist/OvalinRegistryCleaner).
# Exits 77 (skipped) when the program folder has not been built.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
WORK="${1:?usage: $0 WORK_DIR}"
PROGRAM_DIR="${OVALIN_DIST_PROGRAM_DIR:-$ROOT/build/dist/OvalinRegistryCleaner}"
SHOTS="$ROOT/build/screenshots/dist"
export OVALIN_WINEPREFIX="${OVALIN_DIST_WINEPREFIX:-${OVALIN_WINEPREFIX:-$ROOT/build/wine-prefix}-dist}"
export WINEPREFIX="$OVALIN_WINEPREFIX" WINEDEBUG=-all
# No menu entries or file associations on the host from the shortcut the setup creates.
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
# Command lines with non-ASCII paths reach Wine in UTF-8.
export LC_ALL=C.UTF-8

UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\OvalinRegistryCleaner'
INSTALL_DIR="$WINEPREFIX/drive_c/Program Files/Ovalin Registry Cleaner"
INSTALL_WIN='C:\Program Files\Ovalin Registry Cleaner'
SHORTCUT="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Ovalin Registry Cleaner.lnk"
PORTABLE_NAME='Portable Tëst 目录'
STARTUP_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'

for exe in OvalinRegistryCleaner.exe ovalin-rc.exe; do
  if [ ! -f "$PROGRAM_DIR/$exe" ]; then
    echo "skipped: $PROGRAM_DIR/$exe has not been built"
    exit 77
  fi
done

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }
check() { local what="$1"; shift; if "$@"; then pass "$what"; else fail "$what"; fi; }

XVFB_PID=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  rm -rf "$INSTALL_DIR" "$WINEPREFIX/drive_c/$PORTABLE_NAME"
}
trap cleanup EXIT

wine_quiet() { wine "$@" </dev/null 2>/dev/null; }
reg_value() {  # key value: prints the data, or nothing
  wine_quiet reg query "$1" /v "$2" | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
key_exists() { wine_quiet reg query "$1" >/dev/null 2>&1; }

# --- the release files ------------------------------------------------------------------
rm -rf "$WORK"
mkdir -p "$WORK" "$SHOTS"
"$ROOT/scripts/make-dist.sh" --program-dir "$PROGRAM_DIR" --out "$WORK/release" >"$WORK/make-dist.log" 2>&1 ||
  { cat "$WORK/make-dist.log" >&2; echo "FAIL: make-dist.sh" >&2; exit 1; }
ZIP="$(ls "$WORK"/release/OvalinRegistryCleaner-*-portable.zip)"
SETUP="$(ls "$WORK"/release/OvalinRegistryCleaner-*-setup.exe)"

# The zip holds the program folder and nothing else: both executables, and per pack of
# langs/ its strings file, its font file (its own or the standard fonts), and its help file
# (when chmcmd is there to build it).
expected="$WORK/expected-entries"
{
  echo "OvalinRegistryCleaner/OvalinRegistryCleaner.exe"
  echo "OvalinRegistryCleaner/ovalin-rc.exe"
  for pack_dir in "$ROOT"/langs/*/; do
    pack="$(basename "$pack_dir")"
    echo "OvalinRegistryCleaner/Langs/$pack/RegistryCleanerStrs.ini"
    echo "OvalinRegistryCleaner/Langs/$pack/RegistryCleanerFonts.ini"
    if command -v chmcmd >/dev/null; then
      echo "OvalinRegistryCleaner/Langs/$pack/help.chm"
    fi
  done
} | LC_ALL=C sort >"$expected"
unzip -Z1 "$ZIP" | grep -v '/$' | LC_ALL=C sort >"$WORK/zip-entries"
if diff -u "$expected" "$WORK/zip-entries" >"$WORK/zip-diff"; then
  pass "portable zip holds exactly the program folder"
else
  fail "portable zip entries differ from the program folder:"; cat "$WORK/zip-diff" >&2
fi

# Every help file holds the pages its contents file lists.
if command -v extract_chmLib >/dev/null; then
  for chm_dir in "$ROOT"/help/*/; do
    pack="$(basename "$chm_dir")"
    [ -f "$chm_dir/help.hhp" ] || continue
    out="$WORK/chm-$pack"
    unzip -q -o -j "$ZIP" "OvalinRegistryCleaner/Langs/$pack/help.chm" -d "$out"
    extract_chmLib "$out/help.chm" "$out/pages" >/dev/null
    missing=""
    for page in $(sed -n 's/.*name="Local" value="\([^"]*\)".*/\1/p' "$chm_dir/toc.hhc"); do
      grep -q '<h1>' "$out/pages/$page" 2>/dev/null || missing="$missing $page"
    done
    check "help.chm of $pack holds the pages of its contents${missing:+ (missing:$missing)}" [ -z "$missing" ]
    broken=""
    for page in "$out"/pages/*.htm; do
      for target in $(grep -ao 'href="[^"#]*' "$page" | sed 's/^href="//'); do
        [ -f "$out/pages/$target" ] || broken="$broken $(basename "$page")->$target"
      done
    done
    check "the links between the pages of $pack resolve${broken:+ (broken:$broken)}" [ -z "$broken" ]
  done
else
  echo "note: extract_chmLib (Debian libchm-bin) is missing; the pages in help.chm are not checked"
fi

# --- the prefix, on a display of our own ----------------------------------------------------
# The display is there before Wine's first process: Wine's desktop process, started by
# that first process, is what later windows are drawn through.
display=59
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
export DISPLAY=":$display"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
"$ROOT/scripts/wine-run.sh" cmd /c exit </dev/null >/dev/null 2>&1
wineserver -w >/dev/null 2>&1 || true
rm -rf "$INSTALL_DIR" "$WINEPREFIX/drive_c/$PORTABLE_NAME"
wine_quiet reg delete "$UNINSTALL_KEY" /f >/dev/null 2>&1 || true
wine cmd /c exit </dev/null >/dev/null 2>&1

# --- the portable program from a path with spaces and non-ASCII letters ------------------
PORTABLE_DIR="$WINEPREFIX/drive_c/$PORTABLE_NAME"
mkdir -p "$PORTABLE_DIR"
unzip -q "$ZIP" -d "$PORTABLE_DIR"
PORTABLE_RC="C:\\$PORTABLE_NAME\\OvalinRegistryCleaner\\ovalin-rc.exe"
# A startup entry whose program is gone: one finding to clean, back up and restore.
wine_quiet reg add "$STARTUP_KEY" /v OvalinDistGone /t REG_SZ /d 'C:\gone\ovalin-dist-gone.exe' /f >/dev/null
if wine_quiet "$PORTABLE_RC" clean --all --types startup --description "dist test" --json \
     >"$WORK/portable-clean.json"; then
  pass "portable ovalin-rc.exe runs from \"$PORTABLE_NAME\""
else
  fail "portable ovalin-rc.exe clean failed"
fi
check "the clean removed the broken startup entry" [ -z "$(reg_value "$STARTUP_KEY" OvalinDistGone)" ]
sets="$(ls "$PORTABLE_DIR/OvalinRegistryCleaner/Data/ZUNRC/"*.rss 2>/dev/null | wc -l)"
check "the backup was written below the portable folder" [ "$sets" -eq 1 ]
wine_quiet "$PORTABLE_RC" backups --json >"$WORK/portable-backups.json" || true
check "the portable ovalin-rc.exe keeps its backups in its own folder" \
  grep -qF "$PORTABLE_NAME\\\\OvalinRegistryCleaner\\\\Data\\\\ZUNRC" "$WORK/portable-backups.json"
section="$(jq -r '.sets[0].section // empty' "$WORK/portable-backups.json" 2>/dev/null || true)"
if [ -n "$section" ] && wine_quiet "$PORTABLE_RC" restore --section "$section" >/dev/null; then
  check "restore from the portable folder brings the entry back" \
    [ "$(reg_value "$STARTUP_KEY" OvalinDistGone)" = 'C:\gone\ovalin-dist-gone.exe' ]
else
  fail "the portable ovalin-rc.exe lists no backup set to restore"
fi
wine_quiet reg delete "$STARTUP_KEY" /v OvalinDistGone /f >/dev/null 2>&1 || true

# --- silent install ---------------------------------------------------------------------
if wine_quiet "$SETUP" /S >/dev/null; then pass "setup /S exited 0"; else fail "setup /S failed"; fi
missing=""
while IFS= read -r entry; do
  [ -f "$INSTALL_DIR/${entry#OvalinRegistryCleaner/}" ] || missing="$missing ${entry#OvalinRegistryCleaner/}"
done <"$WORK/zip-entries"
[ -f "$INSTALL_DIR/uninstall.exe" ] || missing="$missing uninstall.exe"
check "every file is installed in Program Files${missing:+ (missing:$missing)}" [ -z "$missing" ]
check "the Start-menu shortcut exists" [ -f "$SHORTCUT" ]
for value in DisplayName DisplayVersion Publisher DisplayIcon InstallLocation UninstallString \
             QuietUninstallString EstimatedSize; do
  [ -n "$(reg_value "$UNINSTALL_KEY" "$value")" ] || fail "the Uninstall entry has no $value"
done
check "the Uninstall entry says version 1.5.1.1" [ "$(reg_value "$UNINSTALL_KEY" DisplayVersion)" = 1.5.1.1 ]
check "QuietUninstallString is the quoted uninstaller with /S" \
  [ "$(reg_value "$UNINSTALL_KEY" QuietUninstallString)" = "\"$INSTALL_WIN\\uninstall.exe\" /S" ]

# --- our own Programs scan finds nothing wrong with our entry ------------------------------
if wine_quiet "$INSTALL_WIN\\ovalin-rc.exe" scan --types programs --json >"$WORK/programs.json"; then
  ours="$(jq '[.findings[], .secondPass[] | select(.path | ascii_downcase
               | endswith("\\uninstall\\ovalinregistrycleaner"))] | length' "$WORK/programs.json")"
  judged="$(jq '.judged' "$WORK/programs.json")"
  check "the Programs scan reports no finding for our Uninstall entry" [ "$ours" = 0 ]
  check "the Programs scan judged the entry's values ($judged records)" [ "$judged" -ge 4 ]
else
  fail "ovalin-rc.exe scan --types programs failed"
fi

# --- the installed program and its help file ------------------------------------------------

wait_for() {  # seconds command...: polls until the command succeeds
  local tries=$(($1 * 5)); shift
  local i
  for i in $(seq "$tries"); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.2
  done
  return 1
}
window_of() { xdotool search --onlyvisible --classname "$1" 2>/dev/null | head -1; }
has_window() { [ -n "$(window_of "$1")" ]; }
shot_of() {  # window file
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}

(cd "$INSTALL_DIR" && wine "$INSTALL_WIN\\OvalinRegistryCleaner.exe" </dev/null >/dev/null 2>&1 &)
if wait_for 30 has_window ovalinregistrycleaner.exe; then
  main="$(window_of ovalinregistrycleaner.exe)"
  sleep 2  # first paint
  shot_of "$main" "$SHOTS/installed-program.png"
  pass "the installed program starts (screenshot $SHOTS/installed-program.png)"

  xdotool windowactivate --sync "$main" >/dev/null 2>&1 || true
  xdotool key --window "$main" F1
  if wait_for 20 has_window hh.exe; then
    viewer="$(window_of hh.exe)"
    sleep 2
    shot_of "$viewer" "$SHOTS/help-viewer.png"
    pid="$(xdotool getwindowpid "$viewer" 2>/dev/null || true)"
    cmdline="$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null || true)"
    check "F1 opens hh.exe with the pack's help.chm (screenshot $SHOTS/help-viewer.png)" \
      grep -qiF 'Langs\English\help.chm' <<<"$cmdline"
    check "the help viewer shows our help's title" \
      grep -q 'Ovalin Registry Cleaner' <<<"$(xdotool getwindowname "$viewer")"
  else
    fail "F1 opened no help viewer"
  fi
else
  fail "the installed program showed no window (display $DISPLAY)"
fi
wineserver -k >/dev/null 2>&1 || true

# --- silent uninstall --------------------------------------------------------------------
# A backup set the uninstaller must keep when silent.
# (Into the data folder the program made, whatever its letter case: on Windows "data\" and
# "Data\" are one folder.)
data_dir="$(find "$INSTALL_DIR" -maxdepth 1 -type d -iname data | head -1)"
data_dir="${data_dir:-$INSTALL_DIR/Data}"
mkdir -p "$data_dir/ZUNRC"
printf '[2024-01-01 10:00:00]\r\n' >"$data_dir/ZUNRC/ResList.ini"
wine cmd /c exit </dev/null >/dev/null 2>&1
wine_quiet "$INSTALL_WIN\\uninstall.exe" /S >/dev/null || fail "uninstall.exe /S failed"
# The uninstaller runs on from a copy of itself in the temporary folder: wait for it.
uninstaller_gone() { [ ! -e "$INSTALL_DIR/uninstall.exe" ]; }
entry_gone() { ! key_exists "$UNINSTALL_KEY"; }
wait_for 60 uninstaller_gone || true
wait_for 30 entry_gone || true
left="$(cd "$INSTALL_DIR" 2>/dev/null && find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')"
check "the silent uninstall removes the program and keeps only the backups (left: ${left:-nothing})" \
  [ "$(tr 'A-Z' 'a-z' <<<"$left")" = "data/zunrc/reslist.ini " ]
check "the silent uninstall removes the Start-menu shortcut" [ ! -e "$SHORTCUT" ]
if key_exists "$UNINSTALL_KEY"; then fail "the Uninstall entry is still there"; else pass "the Uninstall entry is gone"; fi

# --- an uninstall by hand asks before deleting the backups -----------------------------------
wine_quiet "$SETUP" /S >/dev/null || fail "setup /S (again) failed"
mkdir -p "$INSTALL_DIR/Data/ZUNRC"
printf '[2024-01-01 10:00:00]\r\n' >"$INSTALL_DIR/Data/ZUNRC/ResList.ini"
(wine "$INSTALL_WIN\\uninstall.exe" </dev/null >/dev/null 2>&1 &)
# The uninstaller's window title ends in a space; its message boxes' titles do not.
uninstaller() { xdotool search --onlyvisible --name '^Ovalin Registry Cleaner Uninstall $' 2>/dev/null | head -1; }
question() { xdotool search --onlyvisible --name '^Ovalin Registry Cleaner Uninstall$' 2>/dev/null | head -1; }
has_uninstaller() { [ -n "$(uninstaller)" ]; }
has_question() { [ -n "$(question)" ]; }
install_dir_gone() { [ ! -e "$INSTALL_DIR" ]; }
if wait_for 30 has_uninstaller; then
  sleep 1
  xdotool key --window "$(uninstaller)" Return  # "Uninstall" on the confirmation page
  if wait_for 30 has_question; then
    sleep 1
    box="$(question)"
    eval "$(xdotool getwindowgeometry --shell "$(uninstaller)")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$SHOTS/uninstall-question.png"
    pass "the uninstaller asks before deleting the backups (screenshot $SHOTS/uninstall-question.png)"
    xdotool key --window "$box" y
    wait_for 30 install_dir_gone || true
    check "answering Yes removes the installation folder with the backups" install_dir_gone
    xdotool key --window "$(uninstaller)" Return >/dev/null 2>&1 || true  # "Close"
  else
    fail "the uninstaller did not ask about the backups"
  fi
else
  fail "the uninstaller showed no window"
fi
wineserver -k >/dev/null 2>&1 || true

echo "dist: $failures failure(s)"
[ "$failures" -eq 0 ]
