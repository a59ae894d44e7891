#!/bin/bash
# End-to-end test of OvalinRegistryCleaner.exe: a fresh copy of the program folder runs
# under Wine on a private Xvfb display, over a private Wine prefix seeded with the demo
# entries of scripts/demo-entries.reg, and is driven with xdotool like a person:
# first start, Scan, Clean cancelled with Escape and then confirmed with Enter, the report,
# the backup set on disk and the entries gone from the registry, the restore window
# switched to German, Chinese and back while open, Restore bringing the entries back and removing
# the set, a second start bringing the first window forward, "Recommended" and the close
# button storing the selection, and Stop during a long scan of 20,000 seeded broken
# extension keys, ending that scan with fewer findings than the same scan run whole (the
# keys are removed from the prefix again at the end), and then the findings a person
# judges and controls: a finding row's tooltip with its reason, the 32-bit marker, the
# context menu (Copy key path, Open in Registry Editor, Ignore this entry; right click and
# Shift+F10), the ignore list at the next scan and in its window, and a backup set saved
# as a .reg file from the restore window and imported by regedit. Screenshots of every window go to
# build/screenshots/program/ and are compared with tests/e2e/reference/program-*.png;
# a missing reference fails. The numbers a window shows (findings, the report's three
# counts) are read as text from the window (tests/e2e/window_texts.c); tooltips, menus and
# the clipboard through tests/e2e/desktop_probe.c.
#
#   tests/e2e/program_e2e.sh DIST_DIR            the test (exit status 0 when it passed)
#   tests/e2e/program_e2e.sh DIST_DIR --demo     only scan, with screenshots before and
#                                                after and the scan's summary (make run)
# Environment: OVALIN_WINEPREFIX (default build/wine-prefix), OVALIN_E2E_RUN_DIR and
# OVALIN_E2E_SHOTS (the program copy and the screenshots), OVALIN_E2E_UPDATE=1 writes
# the screenshots as the new references (after looking at them).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
DIST="$(realpath "${1:?usage: $0 DIST_DIR [--demo]}")"
MODE="${2:-test}"
SHOTS="${OVALIN_E2E_SHOTS:-$ROOT/build/screenshots/program}"
REFERENCE="$ROOT/tests/e2e/reference"
RUN_DIR="${OVALIN_E2E_RUN_DIR:-$ROOT/build/e2e-program}"
export OVALIN_WINEPREFIX="${OVALIN_WINEPREFIX:-$ROOT/build/wine-prefix}"
export WINEPREFIX="$OVALIN_WINEPREFIX" WINEDEBUG=-all
# Differing pixels allowed per screenshot, after a 10% colour fuzz. Runs on one machine
# draw alike; the changes the screenshots must catch are larger (a hover look is some 250
# pixels, the findings of a scan some 1,900), and texts that change from run to run
# (times) are masked.
TOLERANCE=${OVALIN_E2E_TOLERANCE:-60}
mkdir -p "$SHOTS" "$REFERENCE"

# A host path as Wine reaches it through drive Z:.
winpath() { echo "Z:${1//\//\\}"; }

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }

# A fresh program folder: no settings, no backups.
rm -rf "$RUN_DIR"
mkdir -p "$RUN_DIR"
cp -r "$DIST"/. "$RUN_DIR"/
rm -rf "$RUN_DIR/Config.ini" "$RUN_DIR/data" "$RUN_DIR/Data"
# A fresh Wine registry holds a few broken entries of its own, and the tests that ran in
# the prefix before may have cleaned them or not: they are cleaned first (their backup
# goes to a folder of its own), so that every run scans the demo entries alone.
PRECLEAN_DIR="$RUN_DIR-preclean"
rm -rf "$PRECLEAN_DIR"
mkdir -p "$PRECLEAN_DIR"
"$ROOT/scripts/wine-run.sh" cmd /c exit </dev/null >/dev/null 2>&1
(cd "$RUN_DIR" && wine ./ovalin-rc.exe clean --all --base "$(winpath "$PRECLEAN_DIR")" \
   </dev/null >/dev/null 2>&1) || true
OVALIN_WINEPREFIX="$WINEPREFIX" "$ROOT/scripts/seed-demo.sh"
# The helpers that reach into the program's windows (post_command.c, window_texts.c).
HELPERS=0
if command -v x86_64-w64-mingw32-gcc >/dev/null &&
   x86_64-w64-mingw32-gcc -municode -O1 -o "$RUN_DIR/post_command.exe" "$ROOT/tests/e2e/post_command.c" &&
   x86_64-w64-mingw32-gcc -municode -O1 -o "$RUN_DIR/window_texts.exe" "$ROOT/tests/e2e/window_texts.c" &&
   x86_64-w64-mingw32-gcc -municode -O1 -o "$RUN_DIR/desktop_probe.exe" "$ROOT/tests/e2e/desktop_probe.c"; then
  HELPERS=1
elif [ "$MODE" != "--demo" ]; then
  echo "FAIL: the test helpers cannot be built (no MinGW compiler)" >&2
  exit 1
fi

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
# The demo entries imported next to the running program.
seed_demo_running() { wine regedit /S "$(winpath "$ROOT/scripts/demo-entries.reg")" </dev/null >/dev/null 2>&1; }
reg_lacks() { ! reg_has "$1"; }

MAIN_NAME='^Registry Cleaner$'
start_program
wait_for 900 visible "$MAIN_NAME" || { echo "FAIL: the main window did not appear" >&2; exit 1; }
WIN="$(xdotool search --onlyvisible --name "$MAIN_NAME" | head -1)"
sleep 2
eval "$(xdotool getwindowgeometry --shell "$WIN")"; WX=$X; WY=$Y
click() { xdotool mousemove $((WX + $1)) $((WY + $2)); sleep 0.3; xdotool click 1; sleep 0.3; }

# Screenshot of a window's area (default: the main window), compared with its reference.
# MASK (set for one call): "x,y,w,h ..." areas, in the shot's coordinates, that are left
# out of the comparison (texts with the time of day).
shot() {
  local name="$1" x="${2:-$WX}" y="${3:-$WY}" w="${4:-780}" h="${5:-585}" file diff rect draw=()
  file="$SHOTS/$name.png"
  # The pointer rests off every window while the picture is taken: a control it happens
  # to rest on would show its hover look. It goes back afterwards, since without a window
  # manager the keyboard follows the pointer.
  local pointer
  pointer="$(xdotool getmouselocation --shell 2>/dev/null | grep -E '^(X|Y)=' | tr '\n' ' ')"
  xdotool mousemove 5 1015
  sleep 0.5
  import -window root -crop "${w}x${h}+$x+$y" +repage "$file"
  if [ -n "$pointer" ]; then
    (eval "$pointer"; xdotool mousemove "$X" "$Y")
    sleep 0.2
  fi
  echo "screenshot: $file"
  [ "$MODE" = "--demo" ] && return
  if [ "${OVALIN_E2E_UPDATE:-0}" = 1 ]; then
    cp "$file" "$REFERENCE/program-$name.png"
    echo "note: reference program-$name.png written"
    return
  fi
  if [ ! -f "$REFERENCE/program-$name.png" ]; then
    fail "no reference program-$name.png (look at $file, then run with OVALIN_E2E_UPDATE=1)"
    return
  fi
  for rect in ${MASK:-}; do
    IFS=, read -r mx my mw mh <<<"$rect"
    draw+=(-draw "rectangle $mx,$my $((mx + mw - 1)),$((my + mh - 1))")
  done
  # (ImageMagick's policy refuses to read pipes: the masked copies are files.)
  convert "$REFERENCE/program-$name.png" -fill black "${draw[@]}" "$SHOTS/$name-masked-reference.png"
  convert "$file" -fill black "${draw[@]}" "$SHOTS/$name-masked.png"
  diff="$(compare -metric AE -fuzz 10% "$SHOTS/$name-masked-reference.png" "$SHOTS/$name-masked.png" \
            "$SHOTS/$name-diff.png" 2>&1 >/dev/null || true)"
  diff="${diff%% *}"
  if [[ "$diff" =~ ^[0-9]+$ ]] && [ "$diff" -le "$TOLERANCE" ]; then pass "screenshot $name ($diff pixels differ)"
  else fail "screenshot $name differs from its reference ($diff pixels, see $SHOTS/$name-diff.png)"; fi
}
# The texts a window shows (tests/e2e/window_texts.c): "kind TAB left,top TAB state TAB
# text" per control. texts TITLE
texts() { wine "$RUN_DIR/window_texts.exe" "$1" </dev/null 2>/dev/null | tr -d '\r'; }
# The text of the control at left,top: text_at TITLE LEFT,TOP
text_at() { texts "$1" | awk -F '\t' -v at="$2" '$2 == at { print $4; exit }'; }
# The n-th number in a text: number_in N TEXT
number_in() { grep -o '[0-9]\+' <<<"$2" | sed -n "${1}p"; }
# State of the button at left,top: enabled or disabled.
button_state() { texts "$1" | awk -F '\t' -v at="$2" '$1 == "button" && $2 == at { print $3; exit }'; }
# A dialog's screenshot, wherever it was centred.
shot_window() {
  local name="$1" pattern="$2" id
  id="$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1 || true)"
  [ -n "$id" ] || { fail "no window for screenshot $name"; return 0; }
  eval "$(xdotool getwindowgeometry --shell "$id")"
  shot "$name" "$X" "$Y" "$WIDTH" "$HEIGHT"
}

shot main-start
MAIN_TITLE="Registry Cleaner"  # the exact title, for the helpers
# The type rows choose the scan: all checked on a first start; Clean waits for findings.
[ "$(button_state "$MAIN_TITLE" 127,511)" = disabled ] && pass "Clean is disabled before a scan" \
  || fail "Clean is not disabled before a scan"
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

# The number of findings the window shows, read as text ("Scan results: N found").
found_text="$(text_at "$MAIN_TITLE" 20,177)"
FOUND="$(number_in 1 "$found_text")"
if [[ "$found_text" == *found ]] && [ "${FOUND:-0}" -gt 0 ]; then pass "the main window shows $FOUND findings"
else fail "the findings label reads '$found_text'"; fi
[ "$(button_state "$MAIN_TITLE" 127,511)" = enabled ] && pass "Clean is enabled after the scan" \
  || fail "Clean is not enabled after the scan"
# Select None disables Clean, Select All enables it again.
click 100 466
[ "$(button_state "$MAIN_TITLE" 127,511)" = disabled ] && pass "Select None disables Clean" \
  || fail "Clean stayed enabled after Select None"
click 40 466
[ "$(button_state "$MAIN_TITLE" 127,511)" = enabled ] && pass "Select All enables Clean" \
  || fail "Clean stayed disabled after Select All"

# The list: a double click on the expand button of "File Types" (second row) opens it
# once; then one notch of the wheel over the list scrolls it by three rows.
LIST="18,198,741,256"
list_shot() { import -window root -crop "741x256+$((WX + 18))+$((WY + 198))" +repage "$SHOTS/$1.png"; }
list_change() { compare -metric AE -fuzz 10% "$SHOTS/$1.png" "$SHOTS/$2.png" null: 2>&1 | cut -d' ' -f1 || true; }
list_shot list-collapsed
xdotool mousemove $((WX + 28)) $((WY + 247)); sleep 0.3; xdotool click --repeat 2 --delay 80 1; sleep 0.5
list_shot list-expanded
shot main-expanded
xdotool mousemove $((WX + 400)) $((WY + 330)); sleep 0.3; xdotool click 5; sleep 0.5
list_shot list-wheel
shot main-wheel
change="$(list_change list-collapsed list-expanded)"
[ "${change:-0}" -gt 300 ] && pass "the double click opened File Types ($change pixels changed)" \
  || fail "the double click on the expand button left the list as it was ($change pixels changed)"
change="$(list_change list-expanded list-wheel)"
[ "${change:-0}" -gt 300 ] && pass "the wheel scrolled the list ($change pixels changed)" \
  || fail "the wheel did not scroll the list ($change pixels changed)"

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
MASK="88,170,355,22" shot_window question 'Registry Cleaner - Question'
xdotool key Return
wait_for 600 visible 'Registry Cleaning Report' || fail "no report window"
MASK="20,118,440,22" shot_window report 'Registry Cleaning Report'
# The report's three numbers: found, handed to the clean (all were checked), cleaned.
report_text="$(texts 'Registry Cleaning Report' | grep -a 'Found:' | cut -f4)"
read -r r_found r_selected r_cleaned < <(echo "$(number_in 2 "$report_text") $(number_in 4 "$report_text") $(number_in 6 "$report_text")")
if [ -n "$r_found" ] && [ "$r_found" = "${FOUND:-x}" ] && [ "$r_selected" = "$FOUND" ] && [ "$r_cleaned" = "$FOUND" ]; then
  pass "the report counts $r_found found, $r_selected selected, $r_cleaned cleaned"
else
  fail "the report reads '$report_text' after $FOUND findings"
fi
xdotool key Return
wait_for hidden 'Registry Cleaning Report' || fail "Enter did not close the report"
reg_lacks 'HKCR\.brokendemo' && pass "demo entry removed by the clean" || fail "demo entry still there after the clean"
ls "$RUN_DIR"/Data/ZUNRC/*.rss >/dev/null 2>&1 && pass "backup data file written" || fail "no .rss file"
[ -f "$RUN_DIR/Data/ZUNRC/ResList.ini" ] && pass "backup index written" || fail "no ResList.ini"
MASK="0,550,780,35" shot main-after-clean
[ "$(button_state "$MAIN_TITLE" 127,511)" = disabled ] && pass "Clean is disabled when everything was cleaned" \
  || fail "Clean is enabled with nothing left to clean"

# Restore: the set is listed; Restore brings the entries back and removes the set. The
# list's rows and the status line name the time of the clean: they are masked.
RESTORE_MASK="26,146,629,185 0,385,680,25"
click 709 524
wait_for visible 'Registry Cleaning - Restore' || fail "no restore window"
MASK="$RESTORE_MASK" shot_window restore 'Registry Cleaning - Restore'
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
if [ "$HELPERS" = 1 ]; then
  if switch_language '^Registry-Reinigung - Wiederherstellen$'; then
    pass "the open restore window switched to German"
    MASK="$RESTORE_MASK" shot_window restore-german '^Registry-Reinigung - Wiederherstellen$'
  else
    fail "the open restore window did not switch to German"
  fi
  # Chinese too: its pack's fonts must draw Chinese and Latin letters, not boxes.
  if switch_language '^注册表清理 - 恢复$'; then
    pass "the open restore window switched to Chinese"
    MASK="$RESTORE_MASK" shot_window restore-chinese '^注册表清理 - 恢复$'
  else
    fail "the open restore window did not switch to Chinese"
  fi
  switch_language '^Registry Cleaning - Restore$' && pass "the open restore window switched back to English" \
    || fail "the open restore window did not switch back to English"
  MASK="$RESTORE_MASK" shot_window restore-english-again '^Registry Cleaning - Restore$'
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

# Delete All in the restore window removes every set: a third scan and clean make one
# (the demo entries are seeded again: the second clean removed them; plain regedit, as a
# warm-up beside the running program can hang).
wine regedit /S "$(winpath "$ROOT/scripts/demo-entries.reg")" </dev/null >/dev/null 2>&1
click 71 524
wait_for 50 progress_shown || fail "no progress window for the third scan"
wait_for 3000 progress_gone || fail "the third scan did not end within 300 s"
click 177 524
wait_for visible 'Registry Cleaner - Question' || fail "no confirmation window for the third clean"
xdotool key Return
wait_for 600 visible 'Registry Cleaning Report' || fail "no report window for the third clean"
xdotool key Return
wait_for hidden 'Registry Cleaning Report' || fail "Enter did not close the third report"
if has_backup_set; then
  click 709 524
  wait_for visible 'Registry Cleaning - Restore' || fail "no restore window for Delete All"
  RID="$(xdotool search --onlyvisible --name 'Registry Cleaning - Restore' | head -1 || true)"
  eval "$(xdotool getwindowgeometry --shell "$RID")"
  xdotool mousemove $((X + 300)) $((Y + 362)); sleep 0.3; xdotool click 1
  wait_for 50 no_backup_sets && pass "Delete All deleted every set" || fail "Delete All left a set"
  xdotool key Escape
  wait_for hidden 'Registry Cleaning - Restore' || fail "Escape did not close the restore window after Delete All"
else
  fail "the third clean wrote no set"
fi
[ "$(button_state "$MAIN_TITLE" 639,511)" = disabled ] && pass "Restore is disabled without sets" \
  || fail "Restore is enabled without sets"

# The help menu under the help button; its last entry opens the About window.
click 707 16
sleep 1
xdotool key Up Return
if wait_for visible '^About '; then
  pass "the help menu opened the About window"
  shot_window about '^About '
  xdotool key Escape
  wait_for hidden '^About ' && pass "Escape closed the About window" || fail "Escape did not close the About window"
else
  fail "the help menu did not open the About window"
fi

# F1 starts the help viewer from the Windows folder with the pack's help file.
xdotool mousemove $((WX + 400)) $((WY + 100)); sleep 0.3; xdotool click 1
xdotool key F1
viewer_running() { pgrep -f 'windows.hh\.exe' >/dev/null; }
if wait_for 100 viewer_running; then
  viewer="$(pgrep -f 'windows.hh\.exe' | head -1)"
  if tr '\0' ' ' </proc/"$viewer"/cmdline | grep -qi 'Langs.English.help\.chm'; then
    pass "F1 opened the English help file in hh.exe"
  else
    fail "F1 started hh.exe without the help file: $(tr '\0' ' ' </proc/"$viewer"/cmdline)"
  fi
  kill "$viewer" 2>/dev/null || true
else
  fail "F1 did not start the help viewer"
fi

# A second start brings the running window forward, opens no second one and leaves the
# running instance's Config.ini as it is.
config_before="$(md5sum <"$RUN_DIR/Config.ini")"
start_program
sleep 8
[ "$(xdotool search --onlyvisible --name "$MAIN_NAME" | wc -l)" -eq 1 ] && pass "second start opened no window" || fail "a second main window opened"
[ "$(md5sum <"$RUN_DIR/Config.ini")" = "$config_before" ] && pass "the second start left Config.ini alone" \
  || fail "the second start changed Config.ini"

# "Recommended" unchecks Programs and Shared Dlls and checks the rest; then uncheck the
# first type row and close with the close button: the selection is stored.
click 178 466  # "Recommended"
MASK="0,550,780,35" shot main-recommended
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

# A first start on a German Windows (the thread locale from LANG) opens in German.
GERMAN_DIR="$RUN_DIR-german"
rm -rf "$GERMAN_DIR"
cp -r "$DIST"/. "$GERMAN_DIR"/
cp "$RUN_DIR/window_texts.exe" "$GERMAN_DIR"/
(cd "$GERMAN_DIR" && exec env LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 wine ./OvalinRegistryCleaner.exe </dev/null >/dev/null 2>&1) &
APP_PIDS+=($!)
if wait_for 300 visible '^Registry-Reiniger$'; then
  pass "a first start on a German Windows opened in German"
  GWIN="$(xdotool search --onlyvisible --name '^Registry-Reiniger$' | head -1)"
  eval "$(xdotool getwindowgeometry --shell "$GWIN")"
  sleep 2
  shot main-german "$X" "$Y"
  xdotool mousemove $((X + 760)) $((Y + 17)); sleep 0.3; xdotool click 1
  wait_for 100 hidden '^Registry-Reiniger$' || fail "the German window did not close"
  wineserver -w >/dev/null 2>&1 || true
  # The file is ANSI or UTF-16: the zero bytes go.
  german_id="$(tr -d '\000\r' <"$GERMAN_DIR/Config.ini" | sed -n 's/^LanguageID=//p')"
  [ "$german_id" = 1031 ] && pass "the German start stored LanguageID 1031" \
    || fail "the German start stored LanguageID '$german_id'"
else
  fail "a first start on a German Windows did not open in German"
fi

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
BULK_SEEDED=1
wine regedit /S "$(winpath "$RUN_DIR/bulk.reg")" </dev/null >/dev/null 2>&1
reg_has "HKCR\\.ovalinstop$(printf %05d $((BULK_KEYS - 1)))" || fail "the bulk keys were not imported"
start_program
wait_for 300 visible "$MAIN_NAME" || fail "the main window did not appear again"
sleep 2
# The number of findings the main window shows; 0 when its label shows no results.
findings_count() {
  local text
  text="$(text_at "$MAIN_TITLE" 20,177 || true)"
  case "$text" in
    "Scan Item List:"*) echo 0 ;;
    *) number_in 1 "$text" || true ;;
  esac
}
# First the whole scan, then the same scan stopped. Nothing here compares times: how
# long a scan takes depends on the machine. The stopped scan must end (its progress
# window closes) and show fewer findings than the whole one.
click 71 524
wait_for 50 progress_shown || fail "no progress window for the long scan"
wait_for 3000 progress_gone || fail "the long scan did not end within 300 s"
full_count="$(findings_count)"
click 71 524
wait_for 50 progress_shown || fail "no progress window for the long scan"
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
stop_pressed=$(date +%s.%N)
wait_for 300 progress_gone && pass "Stop ended the scan" || fail "the progress window stayed after Stop"
echo "note: the progress window closed $(printf '%.2f' "$(echo "$(date +%s.%N) - $stop_pressed" | bc)") s after Stop"
stopped_count="$(findings_count)"
if [[ "$full_count" =~ ^[0-9]+$ && "$stopped_count" =~ ^[0-9]+$ ]] && [ "$stopped_count" -lt "$full_count" ]; then
  pass "the stopped scan shows $stopped_count findings, the whole scan $full_count"
else
  fail "the stopped scan shows '$stopped_count' findings, the whole scan '$full_count'"
fi
click 760 17
wait_for 100 hidden "$MAIN_NAME" && pass "the window answered after Stop" || fail "the window did not close after Stop"
wineserver -w >/dev/null 2>&1 || true

# Judging and controlling findings: the tooltip of a finding row with its reason, the
# 32-bit marker, the context menu (from the mouse and from Shift+F10) with Copy key path,
# Open in Registry Editor and Ignore this entry, the ignore list at the next scan and in
# its window, and a backup set saved as a .reg file that regedit imports.
wine regedit /S "$(winpath "$RUN_DIR/bulk-remove.reg")" </dev/null >/dev/null 2>&1
BULK_SEEDED=0
seed_demo_running
DEMO32='HKCR\WOW6432Node\CLSID\{DE320000-0000-4000-8000-0000000000DE}'
wine reg add "$DEMO32\\InprocServer32" /ve /d 'C:\Program Files (x86)\Broken Demo\missing32.dll' /f \
  </dev/null >/dev/null 2>&1 || fail "the 32-bit demo entry could not be added"
probe() { wine "$RUN_DIR/desktop_probe.exe" "$1" </dev/null 2>/dev/null | tr -d '\r'; }
menu_open() { wine "$RUN_DIR/desktop_probe.exe" menu </dev/null >/dev/null 2>&1; }
menu_closed() { ! menu_open; }
find_ignore_file() { find "$RUN_DIR" -maxdepth 2 -iname Ignored.ini | head -1; }
# ANSI or UTF-16: the zero bytes go.
ignore_file_text() { local f; f="$(find_ignore_file)"; [ -n "$f" ] && tr -d '\000\r' <"$f" || true; }
start_program
wait_for 300 visible "$MAIN_NAME" || fail "the main window did not appear for the findings checks"
sleep 2
click 40 466  # "Select All": the earlier checks left types unchecked
click 71 524
wait_for 50 progress_shown || fail "no progress window for the findings checks"
wait_for 3000 progress_gone || fail "the scan for the findings checks did not end within 300 s"
scanned_count="$(findings_count)"
# COM Components opens: the demo component, then its 32-bit twin (rows 2 and 3).
xdotool mousemove $((WX + 28)) $((WY + 229)); sleep 0.3; xdotool click --repeat 2 --delay 80 1; sleep 0.5
xdotool mousemove $((WX + 400)) $((WY + 263)); sleep 0.3; xdotool mousemove $((WX + 402)) $((WY + 265))
tip_shown() { [ -n "$(probe tooltip)" ]; }
if wait_for 50 tip_shown; then
  tip="$(probe tooltip || true)"
  if grep -q 'Key: HKEY_CLASSES_ROOT\\WOW6432Node\\CLSID\\{DE320000' <<<"$tip" &&
     grep -q 'File not found: C:\\Program Files (x86)\\Broken Demo\\missing32.dll' <<<"$tip"; then
    pass "the tooltip names the key and the missing file"
  else
    fail "the tooltip reads '$tip'"
  fi
  import -window root -crop "780x585+$WX+$WY" +repage "$SHOTS/tooltip.png"
  echo "screenshot: $SHOTS/tooltip.png (the tooltip and the 32-bit marker)"
else
  fail "no tooltip over a finding row"
fi
# Right click on the demo component's row, Copy key path.
xdotool mousemove $((WX + 400)) $((WY + 247)); sleep 0.3; xdotool click 3
wait_for 30 menu_open && pass "right click opened the context menu" || fail "right click opened no menu"
import -window root -crop "780x585+$WX+$WY" +repage "$SHOTS/context-menu.png"
xdotool key Down Down Return
wait_for 30 menu_closed || fail "the context menu stayed open"
copied="$(probe clipboard || true)"
[[ "$copied" == 'HKEY_CLASSES_ROOT\CLSID\{DE000000-0000-4000-8000-0000000000DE}'* ]] \
  && pass "Copy key path put $copied on the clipboard" || fail "the clipboard holds '$copied'"
# Shift+F10 on the same row, Open in Registry Editor.
xdotool key shift+F10
if wait_for 30 menu_open; then
  pass "Shift+F10 opened the context menu"
  xdotool key Down Return
  if wait_for 200 visible '^Registry Editor$'; then
    pass "Open in Registry Editor started regedit"
    last_key="$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Applets\Regedit' /v LastKey </dev/null 2>/dev/null | tr -d '\r' | grep LastKey || true)"
    [[ "$last_key" == *'Computer\HKEY_CLASSES_ROOT\CLSID\{DE000000'* ]] \
      && pass "regedit's LastKey names the finding's key" || fail "LastKey reads '$last_key'"
    sleep 2
    shot_window_look() { local id; id="$(xdotool search --onlyvisible --name "$2" | head -1)"; eval "$(xdotool getwindowgeometry --shell "$id")"; import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$SHOTS/$1.png"; echo "screenshot: $SHOTS/$1.png"; }
    shot_window_look regedit '^Registry Editor$'
    wine taskkill /im regedit.exe </dev/null >/dev/null 2>&1 || true
    wait_for 100 hidden '^Registry Editor$' || fail "regedit did not close"
  else
    fail "Open in Registry Editor started no regedit window"
  fi
else
  fail "Shift+F10 opened no menu"
fi
# Ignore this entry: the row goes, the label counts it, the file keeps it, and the next
# scan leaves it out.
xdotool mousemove $((WX + 400)) $((WY + 247)); sleep 0.3; xdotool click 3
wait_for 30 menu_open || fail "right click opened no menu for Ignore"
xdotool key Down Down Down Return
sleep 1
after_ignore="$(findings_count)"
[ "${after_ignore:-x}" = "$((scanned_count - 1))" ] && pass "ignoring took the row out ($scanned_count -> $after_ignore)" \
  || fail "after Ignore the window shows '$after_ignore' findings of $scanned_count"
ignore_file_text | grep -q 'DE000000-0000-4000-8000-0000000000DE' && pass "Ignored.ini holds the entry" \
  || fail "Ignored.ini does not hold the ignored entry"
click 71 524
wait_for 50 progress_shown || fail "no progress window for the scan with an ignored entry"
wait_for 3000 progress_gone || fail "the scan with an ignored entry did not end"
label="$(text_at "$MAIN_TITLE" 20,177)"
if [ "$(number_in 1 "$label")" = "$after_ignore" ] && [ "$(number_in 2 "$label")" = 1 ]; then
  pass "the next scan left the ignored entry out and says so ('$label')"
else
  fail "after a scan with one ignored entry the label reads '$label'"
fi
# To look at only: the counts of the prefix's own entries show in the list.
import -window root -crop "780x585+$WX+$WY" +repage "$SHOTS/main-ignored.png"
echo "screenshot: $SHOTS/main-ignored.png"
# The Ignored entries window from the help menu (the entry above About): Remove.
click 707 16
sleep 1
xdotool key Up Up Return
IGNORED_NAME='^Registry Cleaner - Ignored Entries$'
if wait_for visible "$IGNORED_NAME"; then
  pass "the help menu opened the Ignored entries window"
  shot_window ignored "$IGNORED_NAME"
  texts 'Registry Cleaner - Ignored Entries' | grep -aq 'Ignored entries: 1' && pass "the window lists one entry" \
    || fail "the Ignored entries window does not count one entry"
  IID="$(xdotool search --onlyvisible --name "$IGNORED_NAME" | head -1)"
  eval "$(xdotool getwindowgeometry --shell "$IID")"
  xdotool mousemove $((X + 74)) $((Y + 353)); sleep 0.3; xdotool click 1; sleep 0.5
  texts 'Registry Cleaner - Ignored Entries' | grep -aq 'Ignored entries: 0' && pass "Remove emptied the list" \
    || fail "Remove did not empty the list"
  ignore_file_text | grep -q 'DE000000' && fail "Ignored.ini still holds the removed entry" \
    || pass "Ignored.ini no longer holds the removed entry"
  xdotool key Escape
  wait_for hidden "$IGNORED_NAME" || fail "Escape did not close the Ignored entries window"
else
  fail "the help menu did not open the Ignored entries window"
fi
# Clean, then the set saved as a .reg file from the restore window's context menu; regedit
# imports it and the entries are back.
click 177 524
wait_for visible 'Registry Cleaner - Question' || fail "no confirmation window for the .reg check"
xdotool key Return
wait_for 600 visible 'Registry Cleaning Report' || fail "no report window for the .reg check"
xdotool key Return
wait_for hidden 'Registry Cleaning Report' || fail "Enter did not close the report for the .reg check"
reg_lacks 'HKCR\.brokendemo' || fail "the clean for the .reg check left the demo entry"
click 709 524
wait_for visible 'Registry Cleaning - Restore' || fail "no restore window for the .reg check"
sleep 1
SAVED_REG="$RUN_DIR/saved-set.reg"
rm -f "$SAVED_REG"
xdotool key shift+F10
if wait_for 30 menu_open; then
  xdotool key Down Return
  if wait_for 100 visible '^Save As$'; then
    sleep 1
    xdotool key ctrl+a; xdotool type --delay 20 "$(winpath "$SAVED_REG")"; xdotool key Return
    saved() { [ -s "$SAVED_REG" ]; }
    if wait_for 100 saved; then
      head_line="$(iconv -f UTF-16 -t UTF-8 "$SAVED_REG" | head -1 | tr -d '\r\357\273\277' || true)"
      [ "$head_line" = "Windows Registry Editor Version 5.00" ] && pass "the set was saved as a regedit file" \
        || fail "the saved file begins with '$head_line'"
      MASK="$RESTORE_MASK" shot_window restore-saved 'Registry Cleaning - Restore'
      wine regedit /S "$(winpath "$SAVED_REG")" </dev/null >/dev/null 2>&1
      reg_has 'HKCR\.brokendemo' && pass "regedit imported the saved set" || fail "importing the saved set brought nothing back"
    else
      fail "no .reg file was written"
    fi
  else
    fail "Save as .reg file opened no Save dialog"
  fi
else
  fail "Shift+F10 opened no menu in the restore window"
fi
xdotool key Escape
wait_for hidden 'Registry Cleaning - Restore' || fail "Escape did not close the restore window after the .reg check"
click 760 17
wait_for 100 hidden "$MAIN_NAME" || fail "the window did not close after the findings checks"
wineserver -w >/dev/null 2>&1 || true

if [ "$failures" -gt 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "all checks passed"
