#!/bin/bash
# End-to-end test of OvalinRegistryCleaner.exe: a fresh copy of the program folder runs
# under Wine on a private Xvfb display, over a private Wine prefix seeded with the demo
# entries of scripts/demo-entries.reg, and is driven with xdotool like a person:
# first start, Scan, Clean cancelled with Escape and then confirmed with Enter, the report,
# the backup set on disk and the entries gone from the registry, the restore window
# switched to German, Chinese and back while open, Restore bringing the entries back and removing
# the set, a second start bringing the first window forward, "Recommended" and the close
# button storing the selection, and Stop during a long scan of 20,000 seeded broken
# extension keys, ending well before the same scan run whole (the keys are removed from the
# prefix again at the end). Screenshots of every window go to
# build/screenshots/program/ and are compared with tests/e2e/reference/program-*.png.
#
#   tests/e2e/program_e2e.sh DIST_DIR            the test (exit status 0 when it passed)
#   tests/e2e/program_e2e.sh DIST_DIR --demo     only scan, with screenshots before and
#                                                after and the scan's summary (make run)
# Environment: OVALIN_WINEPREFIX (default build/wine-prefix), OVALIN_E2E_RUN_DIR and
# OVALIN_E2E_SHOTS (the program copy and the screenshots), OVALIN_E2E_UPDATE=1 writes
# the screenshots as the new references.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
DIST="$(realpath "${1:?usage: $0 DIST_DIR [--demo]}")"
MODE="${2:-test}"
SHOTS="${OVALIN_E2E_SHOTS:-$ROOT/build/screenshots/program}"
REFERENCE="$ROOT/tests/e2e/reference"
RUN_DIR="${OVALIN_E2E_RUN_DIR:-$ROOT/build/e2e-program}"
export OVALIN_WINEPREFIX="${OVALIN_WINEPREFIX:-$ROOT/build/wine-prefix}"
export WINEPREFIX="$OVALIN_WINEPREFIX" WINEDEBUG=-all
TOLERANCE=${OVALIN_E2E_TOLERANCE:-4000}
mkdir -p "$SHOTS" "$REFERENCE"

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }

# A fresh program folder: no settings, no backups.
rm -rf "$RUN_DIR"
mkdir -p "$RUN_DIR"
cp -r "$DIST"/. "$RUN_DIR"/
rm -rf "$RUN_DIR/Config.ini" "$RUN_DIR/data" "$RUN_DIR/Data"
OVALIN_WINEPREFIX="$WINEPREFIX" "$ROOT/scripts/seed-demo.sh"

display=70
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
export DISPLAY=":$display"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
APP_PIDS=()
BULK_SEEDED=0
cleanup() {
  local pid
  for pid in "${APP_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  # The prefix is kept between runs: the long-scan keys must not reach the next run.
  if [ "$BULK_SEEDED" = 1 ]; then
    wineserver -k >/dev/null 2>&1 || true
    wine regedit /S "$(winpath "$RUN_DIR/bulk-remove.reg")" </dev/null >/dev/null 2>&1 || true
  fi
  wineserver -k >/dev/null 2>&1 || true
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

# The first start goes through scripts/wine-run.sh (warm prefix); a second start uses
# plain wine, as a warm-up `wine cmd /c exit` next to the running program can hang.
start_program() {
  if [ "${#APP_PIDS[@]}" -eq 0 ]; then
    (cd "$RUN_DIR" && exec "$ROOT/scripts/wine-run.sh" ./OvalinRegistryCleaner.exe </dev/null >/dev/null 2>&1) &
  else
    (cd "$RUN_DIR" && exec wine ./OvalinRegistryCleaner.exe </dev/null >/dev/null 2>&1) &
  fi
  APP_PIDS+=($!)
}

# Polls until the command succeeds (timeout in tenths of a second, default 15 s).
wait_for() {
  local tries=150 i
  if [[ "$1" =~ ^[0-9]+$ ]]; then tries=$1; shift; fi
  for i in $(seq "$tries"); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}
visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 | grep -q .; }
hidden() { ! visible "$1"; }
# The progress window: the only one of 504 x 120 pixels.
progress_shown() {
  local w
  for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 504x120' && return 0
  done
  return 1
}
progress_gone() { ! progress_shown; }
reg_has() { wine reg query "$1" </dev/null >/dev/null 2>&1; }
reg_lacks() { ! reg_has "$1"; }

MAIN_NAME='^Registry Cleaner$'
start_program
wait_for 900 visible "$MAIN_NAME" || { echo "FAIL: the main window did not appear" >&2; exit 1; }
WIN="$(xdotool search --onlyvisible --name "$MAIN_NAME" | head -1)"
sleep 2
eval "$(xdotool getwindowgeometry --shell "$WIN")"; WX=$X; WY=$Y
click() { xdotool mousemove $((WX + $1)) $((WY + $2)); sleep 0.3; xdotool click 1; sleep 0.3; }

# Screenshot of a window's area (default: the main window), compared with its reference.
shot() {
  local name="$1" x="${2:-$WX}" y="${3:-$WY}" w="${4:-780}" h="${5:-585}" file diff
  file="$SHOTS/$name.png"
  sleep 0.5
  import -window root -crop "${w}x${h}+$x+$y" +repage "$file"
  echo "screenshot: $file"
  [ "$MODE" = "--demo" ] && return
  if [ "${OVALIN_E2E_UPDATE:-0}" = 1 ] || [ ! -f "$REFERENCE/program-$name.png" ]; then
    cp "$file" "$REFERENCE/program-$name.png"
    echo "note: reference program-$name.png written"
    return
  fi
  diff="$(compare -metric AE -fuzz 10% "$REFERENCE/program-$name.png" "$file" "$SHOTS/$name-diff.png" 2>&1 >/dev/null || true)"
  diff="${diff%% *}"
  if [[ "$diff" =~ ^[0-9]+$ ]] && [ "$diff" -le "$TOLERANCE" ]; then pass "screenshot $name ($diff pixels differ)"
  else fail "screenshot $name differs from its reference ($diff pixels)"; fi
}
# A dialog's screenshot, wherever it was centred.
shot_window() {
  local name="$1" pattern="$2" id
  id="$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1 || true)"
  [ -n "$id" ] || { fail "no window for screenshot $name"; return 0; }
  eval "$(xdotool getwindowgeometry --shell "$id")"
  shot "$name" "$X" "$Y" "$WIDTH" "$HEIGHT"
}

shot main-start
# Scan: the progress window comes and goes.
scan_started=$(date +%s.%N)
click 71 524
wait_for 50 progress_shown || fail "no progress window"
wait_for 3000 progress_gone || fail "the scan did not end within 300 s"
scan_seconds=$(echo "$(date +%s.%N) - $scan_started" | bc)
shot main-after-scan

if [ "$MODE" = "--demo" ]; then
  click 760 17   # the close button
  wait_for 100 hidden "$MAIN_NAME" || fail "the window did not close"
  wineserver -w >/dev/null 2>&1 || true
  echo "== the scan took $(printf '%.1f' "$scan_seconds") s in the window (progress window included)"
  # The same engine from the command line, for the summary of what the window showed.
  summary="$(cd "$RUN_DIR" && wine ./ovalin-rc.exe scan </dev/null 2>/dev/null | tail -1 | tr -d '\r' || true)"
  echo "== scan summary (ovalin-rc.exe scan of the same registry): ${summary:-not available}"
  exit $failures
fi

# Before the clean the demo entries are there.
reg_has 'HKCR\.brokendemo' && pass "demo entry present before the clean" || fail "demo entry missing before the clean"

# Clean, first cancelled with Escape: nothing is removed, and the main window takes the
# second confirmation window straight after the first one.
click 177 524
wait_for visible 'Registry Cleaner - Question' || fail "no confirmation window"
xdotool key Escape
wait_for hidden 'Registry Cleaner - Question' && pass "Escape closed the confirmation window" \
  || fail "Escape did not close the confirmation window"
reg_has 'HKCR\.brokendemo' && pass "Escape cleaned nothing" || fail "demo entry removed although Escape cancelled"

# Clean, confirmed with Enter.
click 177 524
wait_for visible 'Registry Cleaner - Question' || fail "no confirmation window"
shot_window question 'Registry Cleaner - Question'
xdotool key Return
wait_for 600 visible 'Registry Cleaning Report' || fail "no report window"
shot_window report 'Registry Cleaning Report'
xdotool key Return
wait_for hidden 'Registry Cleaning Report' || fail "Enter did not close the report"
reg_lacks 'HKCR\.brokendemo' && pass "demo entry removed by the clean" || fail "demo entry still there after the clean"
ls "$RUN_DIR"/Data/ZUNRC/*.rss >/dev/null 2>&1 && pass "backup data file written" || fail "no .rss file"
[ -f "$RUN_DIR/Data/ZUNRC/ResList.ini" ] && pass "backup index written" || fail "no ResList.ini"
shot main-after-clean

# Restore: the set is listed; Restore brings the entries back and removes the set.
click 709 524
wait_for visible 'Registry Cleaning - Restore' || fail "no restore window"
shot_window restore 'Registry Cleaning - Restore'
RID="$(xdotool search --onlyvisible --name 'Registry Cleaning - Restore' | head -1 || true)"
[ -n "$RID" ] || { echo "FAIL: no restore window" >&2; exit 1; }

# The language changes to German, to Chinese and back while the restore window is open. The main
# window under it is disabled, so the choice is posted to it the way its Help menu's
# Language entries send it (command 1000 + the pack's position), by a small helper.
# switch_language TITLE: tries each pack until the restore window is titled TITLE.
switch_language() {
  local id
  for id in $(seq 1000 1009); do
    # The main window's title is in the current language too.
    wine "$RUN_DIR/post_command.exe" "$(xdotool getwindowname "$WIN")" "$id" </dev/null >/dev/null 2>&1 || return 1
    wait_for 20 visible "$1" && return 0
  done
  return 1
}
if command -v x86_64-w64-mingw32-gcc >/dev/null &&
   x86_64-w64-mingw32-gcc -municode -O1 -o "$RUN_DIR/post_command.exe" "$ROOT/tests/e2e/post_command.c"; then
  if switch_language '^Registry-Reinigung - Wiederherstellen$'; then
    pass "the open restore window switched to German"
    shot_window restore-german '^Registry-Reinigung - Wiederherstellen$'
  else
    fail "the open restore window did not switch to German"
  fi
  # Chinese too: its pack's fonts must draw Chinese and Latin letters, not boxes.
  if switch_language '^注册表清理 - 恢复$'; then
    pass "the open restore window switched to Chinese"
    shot_window restore-chinese '^注册表清理 - 恢复$'
  else
    fail "the open restore window did not switch to Chinese"
  fi
  switch_language '^Registry Cleaning - Restore$' && pass "the open restore window switched back to English" \
    || fail "the open restore window did not switch back to English"
  shot_window restore-english-again '^Registry Cleaning - Restore$'
else
  echo "note: no MinGW compiler, the language switch is not tested"
fi

eval "$(xdotool getwindowgeometry --shell "$RID")"
xdotool mousemove $((X + 607)) $((Y + 362)); sleep 0.3; xdotool click 1
# The restore runs before the "has been restored" message opens, however long it takes
# on a loaded machine; the set is removed once the message is closed.
wait_for 600 visible '^Information$' || fail "no message after Restore"
xdotool key Return
wait_for hidden '^Information$' || fail "Enter did not close the restore message"
reg_has 'HKCR\.brokendemo' && pass "restore brought the demo entry back" || fail "demo entry not restored"
no_backup_sets() { ! ls "$RUN_DIR"/Data/ZUNRC/*.rss >/dev/null 2>&1; }
wait_for 50 no_backup_sets && pass "restored set removed" || fail "the restored set was not removed"
xdotool key Escape
wait_for hidden 'Registry Cleaning - Restore' || fail "Escape did not close the restore window"

# The keyboard in the restore window: another scan and clean make a set; Tab takes the
# focus from the list to the buttons, and the Delete key still deletes the selected set.
click 71 524
wait_for 50 progress_shown || fail "no progress window for the second scan"
wait_for 3000 progress_gone || fail "the second scan did not end within 300 s"
click 177 524
wait_for visible 'Registry Cleaner - Question' || fail "no confirmation window for the second clean"
xdotool key Return
wait_for 600 visible 'Registry Cleaning Report' || fail "no report window for the second clean"
xdotool key Return
wait_for hidden 'Registry Cleaning Report' || fail "Enter did not close the second report"
has_backup_set() { ls "$RUN_DIR"/Data/ZUNRC/*.rss >/dev/null 2>&1; }
if has_backup_set; then
  click 709 524
  wait_for visible 'Registry Cleaning - Restore' || fail "no restore window for the keyboard"
  sleep 1
  xdotool key Tab
  sleep 0.3
  xdotool key Tab
  sleep 0.3
  xdotool key Delete
  wait_for 50 no_backup_sets && pass "Delete with the focus on a button deleted the set" \
    || fail "Delete after Tab did not delete the set"
  xdotool key Escape
  wait_for hidden 'Registry Cleaning - Restore' || fail "Escape did not close the restore window again"
else
  fail "the second clean wrote no set"
fi

# A second start brings the running window forward and opens no second one.
start_program
sleep 8
[ "$(xdotool search --onlyvisible --name "$MAIN_NAME" | wc -l)" -eq 1 ] && pass "second start opened no window" || fail "a second main window opened"

# "Recommended" unchecks Programs and Shared Dlls and checks the rest; then uncheck the
# first type row and close with the close button: the selection is stored.
click 178 466  # "Recommended"
shot main-recommended
click 44 229   # check box of "COM Components" (first row under the header)
click 760 17
wait_for 100 hidden "$MAIN_NAME" || fail "the close button did not close the window"
wineserver -w >/dev/null 2>&1 || true
# "data\" and "Data\" are one folder to Windows; on the host it is the one made first.
options_file() { find "$RUN_DIR" -maxdepth 2 -iname ZUNOptions.xml | head -1; }
option_value() { iconv -f UTF-16 -t UTF-8 "$(options_file)" 2>/dev/null | grep -o "<$1>[0-9]*" | grep -o '[0-9]*$' || true; }
[ -n "$(options_file)" ] && pass "ZUNOptions.xml written" || fail "no ZUNOptions.xml"
scan_types="$(option_value ZUN_RC_ScanTypes)"
[ "$scan_types" = "$((0x7F2000))" ] \
  && pass "Recommended left out Programs and Shared Dlls; COM Components unchecked by hand" \
  || fail "stored scan types $scan_types, expected $((0x7F2000))"

# Stop during a long scan: many broken extension keys, Stop in the progress window; the
# window answers and keeps only the findings reported before the stop.
bulk_reg() {  # bulk_reg [-] FILE: the keys, or (with -) their removal, as a .reg file
  local minus="$1" file="$2" i
  { printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    for ((i = 0; i < BULK_KEYS; i++)); do printf '[%sHKEY_CLASSES_ROOT\\.ovalinstop%05d]\r\n\r\n' "$minus" "$i"; done
  } >"$file"
}
BULK_KEYS=20000
bulk_reg "" "$RUN_DIR/bulk.reg"
bulk_reg "-" "$RUN_DIR/bulk-remove.reg"
winpath() { echo "Z:${1//\//\\}"; }
BULK_SEEDED=1
wine regedit /S "$(winpath "$RUN_DIR/bulk.reg")" </dev/null >/dev/null 2>&1
reg_has "HKCR\\.ovalinstop$(printf %05d $((BULK_KEYS - 1)))" || fail "the bulk keys were not imported"
start_program
wait_for 300 visible "$MAIN_NAME" || fail "the main window did not appear again"
sleep 2
# First the whole scan, for comparison; then the same scan stopped.
full_scan_started=$(date +%s.%N)
click 71 524
wait_for 50 progress_shown || fail "no progress window for the long scan"
wait_for 3000 progress_gone || fail "the long scan did not end within 300 s"
full_seconds=$(echo "$(date +%s.%N) - $full_scan_started" | bc)
long_scan_started=$(date +%s.%N)
click 71 524
wait_for 50 progress_shown || fail "no progress window for the long scan"
sleep 1   # well inside the scan: the whole set takes several seconds
stopped=0
for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
  if xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 504x120'; then
    eval "$(xdotool getwindowgeometry --shell "$w")"
    xdotool mousemove $((X + 252)) $((Y + 101)); sleep 0.3; xdotool click 1
    stopped=1
    break
  fi
done
[ "$stopped" = 1 ] || fail "the long scan ended before Stop could be pressed"
wait_for 300 progress_gone && pass "Stop ended the scan" || fail "the progress window stayed after Stop"
# Measured the same way, a scan that Stop did not cut short would take as long as the
# whole one.
stopped_seconds=$(echo "$(date +%s.%N) - $long_scan_started" | bc)
if [ "$(echo "$stopped_seconds < $full_seconds * 0.75" | bc)" = 1 ]; then
  pass "the stopped scan ended after $(printf '%.1f' "$stopped_seconds") s; the whole scan takes $(printf '%.1f' "$full_seconds") s"
else
  fail "the stopped scan took $(printf '%.1f' "$stopped_seconds") s, the whole scan $(printf '%.1f' "$full_seconds") s"
fi
click 760 17
wait_for 100 hidden "$MAIN_NAME" && pass "the window answered after Stop" || fail "the window did not close after Stop"
wineserver -w >/dev/null 2>&1 || true

if [ "$failures" -gt 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "all checks passed"
