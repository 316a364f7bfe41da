#!/usr/bin/env bash
# tools/keyboard_check.sh - a lesson by the keyboard on an X desktop (Xvfb
# with openbox), at each screen size.
#
# Tab walks the main window from its first control into the microprogram
# grid and on out of it, a picture at each Tab (for looking: the focus frame
# must leave the grid). Then a cycle-by-cycle ADD at the fast clock (Ctrl+H,
# Ctrl+B): the first clock pulse is a click on "clk1", every further one
# Space, pressed every second whether or not a pulse is awaited; the
# instruction dialog, when it comes, is answered by typing. The run must
# reach its end ("Agindua simulatzen" says so) without the dialog coming
# back, which a Space on "RESET" would bring.
# Exits with 1 when it does not. Pictures go to OUT/<size>/.
#
# usage: tools/keyboard_check.sh [-b BIN] [-o OUT] [-d DISPLAY_NUMBER] [SIZE...]
#   -b BIN  folder holding brendalo and its control libraries (default build/release/bin)
#   -o OUT  folder of the pictures (default build/keyboard_check)
#   -d N    X display number to use (default 92)
#   SIZE    screen sizes (default 1280x1024 1024x768)
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$here/tools/x_desktop.sh"
bin="$here/build/release/bin"
out="$here/build/keyboard_check"
display_number=92
while getopts "b:o:d:h" opt; do
  case "$opt" in
    b) bin="$OPTARG" ;;
    o) out="$OPTARG" ;;
    d) display_number="$OPTARG" ;;
    *) sed -n '2,/^set -uo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1280x1024 1024x768)
for n in Xvfb openbox xdotool import convert; do command -v "$n" >/dev/null || { echo "missing: $n" >&2; exit 1; }; done
[ -x "$bin/brendalo" ] || { echo "no brendalo in $bin" >&2; exit 1; }
bin="$(cd "$bin" && pwd)"
export DISPLAY=":$display_number"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
work="$(mktemp -d)"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$work"' EXIT
export BRENDALO_REGISTRY="$work/registry.ini"
"$bin/brendalo-register" --all "$bin" >/dev/null
failed=0

window() {
  local w
  for ((t = 0; t < ${2:-30} * 5; t++)); do
    w="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1)"
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.2
  done
  return 1
}
shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
shot() { sleep 0.5; import -window root "$dir/$1.png"; }

run_size() {
  local size="$1" w m d x y gw gh geometry colours
  dir="$out/$size"
  mkdir -p "$dir"
  rm -f "$dir"/*.png
  start_on_x_desktop "$size"

  w="$(window '^Berria$' 60)" || { echo "FAIL $size: no splash window"; return 1; }
  xdotool mousemove --window "$w" 100 252 click 1
  m="$(window '^ZELT MAKINAKO' 120)" || { echo "FAIL $size: no main window"; return 1; }
  sleep 2
  xdotool windowactivate --sync "$m" >/dev/null 2>&1
  shot 00_start
  for i in 1 2 3 4; do
    key Tab
    shot "0${i}_tab"
  done
  key shift+Tab
  shot 05_shift_tab

  # The fast clock, then a cycle-by-cycle run: the instruction dialog comes
  # at the decoding cycle, after two pulses.
  key ctrl+h
  key ctrl+b
  # "clk1" is the one thing of its colour on the screen; enabled, its
  # caption is black.
  for ((t = 0; t < 60; t++)); do
    import -window root "$work/screen.png"
    geometry="$(convert "$work/screen.png" -fuzz 3% -fill black +opaque '#FBD4FB' -trim -format '%w %h %X %Y' info: 2>/dev/null)"
    read -r gw gh x y <<<"$geometry"
    x=$((x)) y=$((y))
    if [ "${gw:-1}" -gt 8 ] && [ "${gh:-1}" -gt 4 ]; then
      colours="$(convert "$work/screen.png" -crop "${gw}x$((gh + 10))+$x+$((y - 5))" +repage -format %c histogram:info:-)"
      [[ "$colours" == *'#000000'* ]] && break
    fi
    geometry=""
    sleep 0.5
  done
  [ -n "$geometry" ] || { shot 99_no_clk1; echo "FAIL $size: clk1 never offered"; return 1; }
  shot 06_clk1_offered
  xdotool mousemove $((x + gw / 2)) $((y + gh / 2)) click 1
  xdotool mousemove 5 5
  shot 07_clk1_clicked
  local spaces=0 asked=0
  for ((t = 0; t < 120; t++)); do
    sleep 1
    shown '^Agindua simulatzen$' && break
    if d="$(xdotool search --onlyvisible --name '^Aginduaren aukeraketa$' 2>/dev/null | tail -1)" && [ -n "$d" ]; then
      if [ "$asked" = 1 ]; then
        shot 99_restarted
        echo "FAIL $size: after $spaces Spaces the instruction dialog came back (RESET pressed)"
        return 1
      fi
      asked=1
      shot 08_instruction_dialog
      xdotool windowactivate --sync "$d" >/dev/null 2>&1
      xdotool mousemove --window "$d" 150 85 click 1
      sleep 0.3
      xdotool type --delay 20 "  ADD:     ADD rh, ri1, ri2"
      key alt+o
      xdotool mousemove 5 5
      sleep 1
      shot 09_after_the_dialog
      continue
    fi
    key space
    spaces=$((spaces + 1))
    [ $((spaces % 4)) = 0 ] && shot "$(printf '%02d' $((9 + spaces / 4)))_after_${spaces}_spaces"
  done
  shown '^Agindua simulatzen$' || { shot 99_unfinished; echo "FAIL $size: no end after $spaces Spaces (each Space on RESET starts the run over)"; return 1; }
  [ "$asked" = 1 ] || { echo "FAIL $size: the instruction was never asked"; return 1; }
  shot 98_finished
  echo "$size: the ADD ran to its end after one click on clk1 and $spaces Spaces"
}

for size in "${sizes[@]}"; do
  run_size "$size" || failed=1
  kill "${pids[@]}" 2>/dev/null
  wait 2>/dev/null
  pids=()
  sleep 0.3
done
echo "pictures in $out"
exit "$failed"
