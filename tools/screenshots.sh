#!/usr/bin/env bash
# Captures every window of the game, as a player reaches it, into a folder of PNGs, so that
# the looks before and after a change can be compared pixel by pixel:
#   bash tools/screenshots.sh OUT_FOLDER [ZARVEL_EXECUTABLE]
#   compare -metric AE before/frmForma.png after/frmForma.png null:
# Runs the game from a scratch folder on its own Xvfb, without a window manager, and drives
# it with real pointer and key events. The victory window's letters jump at random, so its
# picture area is painted over before the file is written.
set -euo pipefail

out=$(mkdir -p "$1" && cd "$1" && pwd)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
program=${2:-$root/build/zarvel}
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing (xvfb, xdotool, imagemagick)" >&2; exit 1; }
done

# A fixed folder, because its name shows in the file dialog and in messages.
scratch=${TMPDIR:-/tmp}/zarvel-screenshots
rm -rf "$scratch" && mkdir -p "$scratch"
cleanup() {
  kill "${game:-}" "${xvfb:-}" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
cp "$program" "$scratch/zarvel"
cp "$(dirname "$program")/Справка.html" "$scratch/" 2>/dev/null || true

# A game one move from solved: every column one colour but row 3 pushed right by one cell.
colours=(255 4227327 65535 65280 16776960 16711680 16711935)
{
  printf '[zarvel]\r\n 1234 \r\n 5 \r\n'
  for c in 0 1 2 3 4 5 6; do
    for r in 0 1 2 3 4 5 6; do
      if [ "$r" -eq 3 ]; then k=$(((c + 6) % 7)); else k=$c; fi
      printf ' %s \r\n' "${colours[$k]}"
    done
  done
} >"$scratch/near.zrv"
touch -d '2026-01-01 12:00' "$scratch"/*
mkdir "$scratch/.config"

exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
read -r -u "$fd" display
export DISPLAY=":$display"
# Qt's file dialog remembers its history in the user's settings: start from none.
(cd "$scratch" && XDG_CONFIG_HOME="$scratch/.config" exec ./zarvel >/dev/null 2>&1) &
game=$!

# The first window in sight whose title matches, other than the main window.
window() {
  local id
  while :; do
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
      [ "$id" != "${main:-}" ] && { echo "$id"; return; }
    done
  done
}
main=$(window 'Головоломка «Zarvel».*')

# Writes the window's picture once two captures in a row agree (painting has settled).
capture() {
  local id=$1 file=$out/$2.png previous=$scratch/previous.png
  import -window "$id" "$previous"
  for _ in $(seq 1 100); do
    import -window "$id" "$file"
    cmp -s "$file" "$previous" && return 0
    cp "$file" "$previous"
  done
  echo "screenshots: $2 never settled" >&2
  return 1
}
# Clicks at (x, y) in the main window's pixels (its menu bar included).
click() {
  eval "$(xdotool getwindowgeometry --shell "$main")"
  xdotool mousemove $((X + $1)) $((Y + $2)) click 1
}
# Real key presses go to whichever window has the focus; `$1` names the window meant. With
# no window manager nothing gives the main window the focus back after a dialog, so a
# click on an empty spot of it does, as a player would.
keys() {
  [ "$1" != "$main" ] || click 540 470
  xdotool key --clearmodifiers "${@:2}"
}
gone() { while xdotool search --onlyvisible --name "^$1\$" >/dev/null; do :; done; }

# Layout 1234, so the board is the same on every run.
keys "$main" F3
dialog=$(window 'Номер расклада')
xdotool type 12
capture "$dialog" frmRasklad
keys "$dialog" 3 4 Return
gone 'Номер расклада'
xdotool mousemove 0 0
capture "$main" frmForma

keys "$main" ctrl+n
question=$(window 'Головоломка «Zarvel»')
capture "$question" question
keys "$question" Escape

click 81 8
click 120 51
about=$(window 'О программе')
capture "$about" frmOprog
keys "$about" Return
gone 'О программе'

keys "$main" ctrl+o
open=$(window 'Открыть')
capture "$open" open-dialog
xdotool type "$scratch/missing"
keys "$open" Return
message=$(window 'Головоломка «Zarvel»')
capture "$message" not-found
keys "$message" Return

keys "$main" ctrl+o
open=$(window 'Открыть')
xdotool type "$scratch/near.zrv"
keys "$open" Return
gone 'Открыть'
capture "$main" opened

# The winning move: row 3 back to the left.
click 27 $((19 + 120 + 3 * 40 + 20))
victory=$(window 'Конец игры')
import -window "$victory" "$out/frmEnd.png"
# Blank the jumping letters (Picture1 sits 8 px down, 84 px high, centred).
convert "$out/frmEnd.png" -fill '#000000' -draw 'rectangle 0,8 583,91' "$out/frmEnd.png"
keys "$victory" Return
gone 'Конец игры'
capture "$main" caged
echo "screenshots: $(ls "$out" | wc -l) windows in $out"
