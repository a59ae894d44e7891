#!/bin/bash
# End-to-end test of the skinned controls: runs the gallery under Wine on a private Xvfb
# display and drives it with xdotool like a person (hover, press, release outside, click,
# drag by the title area, a modal dialog with Enter and Escape, a second dialog refused,
# the mouse wheel over the scroll box). The gallery reports each event in its window
# caption; screenshots go to build/screenshots/gallery/ and are compared with
# tests/e2e/reference/ (ImageMagick compare, a small tolerance; a missing reference
# fails). Where a look must change (hover, press, the wheel), the changed region is
# compared with the screenshot before, and must differ by more than the tolerance.
#
#   tests/e2e/gallery_e2e.sh path/to/ovalin-gallery.exe
# Environment: OVALIN_WINEPREFIX (default build/wine-prefix), OVALIN_E2E_UPDATE=1 writes
# the screenshots as the new references.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
GALLERY="$(realpath "${1:?usage: $0 ovalin-gallery.exe}")"
SHOTS="$ROOT/build/screenshots/gallery"
REFERENCE="$ROOT/tests/e2e/reference"
export OVALIN_WINEPREFIX="${OVALIN_WINEPREFIX:-$ROOT/build/wine-prefix}"
export WINEPREFIX="$OVALIN_WINEPREFIX" WINEDEBUG=-all
# Differing pixels allowed per screenshot (of 780 x 585), after a 10% colour fuzz. Runs
# on one machine draw alike; a hover look changes some 250 pixels, a press some 1,700.
TOLERANCE=${OVALIN_E2E_TOLERANCE:-60}
mkdir -p "$SHOTS"

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }

# A display of our own: the first free number from 90 on.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
export DISPLAY=":$display"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
GALLERY_PID=""
cleanup() {
  [ -n "$GALLERY_PID" ] && kill "$GALLERY_PID" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

"$ROOT/scripts/wine-run.sh" "$GALLERY" </dev/null >/dev/null 2>&1 &
GALLERY_PID=$!

# Polls until the command succeeds (10 s).
wait_for() {
  local i
  for i in $(seq 100); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}
main_window() { xdotool search --name '^Ovalin gallery' | head -1; }
main_title() { xdotool getwindowname "$(main_window)"; }
title_is() { [ "$(main_title)" = "Ovalin gallery - $1" ]; }
dialog_shown() { xdotool search --onlyvisible --name '^Gallery dialog$' | head -1 | grep -q .; }
dialog_gone() { ! dialog_shown; }

wait_for main_window || { echo "FAIL: the gallery window did not appear" >&2; exit 1; }
WIN="$(main_window)"
sleep 2  # first paint
geometry() { eval "$(xdotool getwindowgeometry --shell "$WIN")"; WX=$X; WY=$Y; }
geometry
# Moves the pointer to window coordinates.
at() { xdotool mousemove $((WX + $1)) $((WY + $2)); sleep 0.4; }

# Screenshot of the main window's area (optionally wider), compared with its reference.
shot() {
  local name="$1" file="$SHOTS/$1.png" width="${2:-780}" diff
  sleep 0.5
  import -window root -crop "${width}x585+$WX+$WY" +repage "$file"
  if [ "${OVALIN_E2E_UPDATE:-0}" = 1 ]; then
    cp "$file" "$REFERENCE/$name.png"
    echo "note: reference $name.png written"
    return
  fi
  if [ ! -f "$REFERENCE/$name.png" ]; then
    fail "no reference $name.png (look at $file, then run with OVALIN_E2E_UPDATE=1)"
    return
  fi
  diff="$(compare -metric AE -fuzz 10% "$REFERENCE/$name.png" "$file" "$SHOTS/$name-diff.png" 2>&1 >/dev/null || true)"
  diff="${diff%% *}"
  if [[ "$diff" =~ ^[0-9]+$ ]] && [ "$diff" -le "$TOLERANCE" ]; then
    pass "screenshot $name ($diff pixels differ)"
  else
    fail "screenshot $name differs from the reference ($diff pixels, see $SHOTS/$name-diff.png)"
  fi
}

# Pixels that differ in a region (x y w h) between two screenshots of this run.
# (ImageMagick's policy refuses to read pipes: the crops are files.)
region_change() {
  convert "$SHOTS/$1.png" -crop "$4x$5+$2+$3" +repage "$SHOTS/region-a.png"
  convert "$SHOTS/$6.png" -crop "$4x$5+$2+$3" +repage "$SHOTS/region-b.png"
  compare -metric AE -fuzz 10% "$SHOTS/region-a.png" "$SHOTS/region-b.png" null: 2>&1 | cut -d' ' -f1 || true
}
# The region must change by more than the tolerance: must_change WHAT FROM TO x y w h
must_change() {
  local change
  change="$(region_change "$2" "$4" "$5" "$6" "$7" "$3")"
  if [[ "$change" =~ ^[0-9]+$ ]] && [ "$change" -gt "$TOLERANCE" ]; then pass "$1 ($change pixels changed)"
  else fail "$1: only ${change:-?} pixels changed"; fi
}

# Button centres in window coordinates.
FLAT="71 353"
DIALOG="71 524"

shot initial

at 600 560                      # away from everything
at $FLAT
shot hover
must_change "the hovered button looks different" initial hover 21 340 100 26

xdotool mousedown 1
shot pressed
must_change "the pressed button looks different" hover pressed 21 340 100 26
at 600 480                      # release outside: no click, the button returns to normal
xdotool mouseup 1
sleep 0.5
if [ "$(main_title)" = "Ovalin gallery" ]; then pass "release outside does not click"; else fail "release outside clicked: $(main_title)"; fi
shot released-outside

at $FLAT
xdotool click 1
if wait_for title_is "clicked Flat"; then pass "click"; else fail "click not reported: $(main_title)"; fi

# Dragging the title area moves the window.
old_x=$WX old_y=$WY
at 300 16
xdotool mousedown 1
sleep 0.3
xdotool mousemove_relative -- 20 15
sleep 0.3
xdotool mousemove_relative -- 20 15
sleep 0.3
xdotool mouseup 1
sleep 0.5
geometry
if [ $((WX - old_x)) -eq 40 ] && [ $((WY - old_y)) -eq 30 ]; then pass "drag by the title area"
else fail "drag moved the window by $((WX - old_x)),$((WY - old_y)) instead of 40,30"; fi

# The wheel over the scroll box scrolls it.
at 580 280
shot before-wheel
xdotool click 5 click 5 click 5
shot scrolled
must_change "the wheel scrolled the box" before-wheel scrolled 400 200 359 160

# A modal dialog over the owner: Enter presses its default button. First another event,
# so that the caption does not already say "clicked Flat".
at 177 524                      # "One picture"
xdotool click 1
wait_for title_is "clicked One picture" || fail "One picture: $(main_title)"
at $DIALOG
xdotool click 1
if wait_for dialog_shown; then pass "dialog shown"; else fail "dialog not shown"; fi
shot dialog
# The owner is disabled: no click reaches it. Its caption names the last event before
# the dialog ("clicked Dialog..." is not reported: the dialog button opens it), so a
# click that got through would change it to "clicked Flat".
title_before="$(main_title)"
at $FLAT
xdotool click 1
sleep 0.5
if [ "$(main_title)" = "$title_before" ] && ! title_is "clicked Flat"; then pass "the disabled owner took no click"
else fail "owner took a click while the dialog was shown: $(main_title)"; fi
at 390 290                      # over the dialog, which has the keyboard
xdotool key Return
if wait_for title_is "dialog result 1"; then pass "Enter on the dialog"; else fail "Enter: $(main_title)"; fi
wait_for dialog_gone || fail "dialog still visible after Enter"

# Escape presses the Cancel button; a second dialog over the same owner is refused.
at $DIALOG
xdotool click 1
wait_for dialog_shown || fail "dialog not shown again"
at $((140 + 74)) $((142 + 269))   # "Second" in the centred dialog
xdotool click 1
if wait_for title_is "second dialog refused"; then pass "second dialog refused"; else fail "second dialog: $(main_title)"; fi
at 390 290
xdotool key Escape
if wait_for title_is "dialog result 2"; then pass "Escape on the dialog"; else fail "Escape: $(main_title)"; fi

# Resting on the close button shows its hint in a tooltip: one more visible window.
visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | wc -l; }
at 600 560
before_hint=$(visible_windows)
at 759 17
tooltip_shown() { [ "$(visible_windows)" -gt "$before_hint" ]; }
if wait_for tooltip_shown; then pass "the close button shows its hint"; shot close-hint 860
else fail "no tooltip over the close button"; fi

# The close button ends the program.
at 759 17
xdotool click 1
for _ in $(seq 100); do kill -0 "$GALLERY_PID" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$GALLERY_PID" 2>/dev/null; then fail "the close button did not end the gallery"; else pass "close"; fi
GALLERY_PID=""

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed; screenshots in $SHOTS" >&2
  exit 1
fi
echo "all gallery checks passed; screenshots in $SHOTS"
