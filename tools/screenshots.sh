#!/usr/bin/env bash
# tools/screenshots.sh - pictures of the simulator on an X desktop.
#
# Starts a virtual X server (Xvfb) with a small window manager (openbox) at
# each screen size, runs the built simulator and drives it with xdotool as a
# student would: start-up, an ADD run at period 3 with its instruction dialog
# (and a click on the main window it disabled; its closing message under
# another program's window activated), an ADD run waiting with the
# state chart ASM open (and a click inside ASM), the example, register and
# process-unit views, every secondary window, the reprogramming road to the
# editor (a signal button shows its mark; restored by the user, the editor
# maximises itself again), the data-word editor, a register row opened from
# the memory window's grid, and the picture windows and the main window
# restored from maximised. Each step
# writes one PNG of the whole screen into OUT/<width>x<height>/, and nothing
# else is written; with -r the README's pictures in docs/screenshots/ are
# replaced by this run's.
#
# A tool for looking, not a test: nothing checks what the pictures show. It
# does check that each window it waits for appears, that a waiting dialog
# stays in front, that a message box lets another program's active window
# come over it and that at each picture every shown window's frame, title
# bar included, lies on the screen: it reports every miss and exits with 1
# at the end (a missing window ends the steps at that size, the other sizes
# still run).
#
# usage: tools/screenshots.sh [-r] [-o OUT] [-b BIN] [-d DISPLAY_NUMBER] [SIZE...]
#   -r      also copy the README's pictures into docs/screenshots/
#   -o OUT  folder of the pictures (default build/screenshots)
#   -b BIN  folder holding brendalo and its control libraries
#           (default: build/release/bin, built as ./brendalo run builds it)
#   -d N    X display number to use (default: the first free one from 90)
#   SIZE    screen sizes, e.g. 1280x1024 (default 1280x1024 1024x768)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$here/tools/x_desktop.sh"

out="$here/build/screenshots"
bin=""
display_number=""
update_readme=0
while getopts "ro:b:d:h" opt; do
  case "$opt" in
    r) update_readme=1 ;;
    o) out="$OPTARG" ;;
    b) bin="$OPTARG" ;;
    d) display_number="$OPTARG" ;;
    *) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1280x1024 1024x768)

# What the script needs, as ./brendalo does for the build.
needs=(Xvfb:xvfb openbox:openbox xdotool:xdotool import:imagemagick xwininfo:x11-utils xprop:x11-utils xmessage:x11-utils)
missing=()
for n in "${needs[@]}"; do command -v "${n%%:*}" >/dev/null || missing+=("${n#*:}"); done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" = 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}"
  else
    echo "Missing packages. Run as root:"
    echo "  apt-get install -y ${missing[*]}"
    exit 1
  fi
fi

if [ -z "$bin" ]; then
  build="$here/build/release"
  cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRENDALO_TESTS=OFF >/dev/null
  cmake --build "$build" -j "$(nproc)" >/dev/null
  bin="$build/bin"
fi
bin="$(cd "$bin" && pwd)"
[ -x "$bin/brendalo" ] || { echo "no brendalo in $bin" >&2; exit 1; }

if [ -z "$display_number" ]; then
  display_number=90
  while [ -e "/tmp/.X$display_number-lock" ] || [ -e "/tmp/.X11-unix/X$display_number" ]; do
    display_number=$((display_number + 1))
  done
fi
export DISPLAY=":$display_number"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

work="$(mktemp -d)"
problems="$work/problems"  # one line per miss, from every size
: >"$problems"
export BRENDALO_REGISTRY="$work/registry.ini"
"$bin/brendalo-register" --all "$bin" >/dev/null

pids=()
stop_all() {
  local p
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    p="${pids[$i]}"
    kill "$p" 2>/dev/null && wait "$p" 2>/dev/null || true
  done
  pids=()
}
trap 'stop_all; rm -rf "$work"' EXIT

# ---------------------------------------------------------------- driving

step=0
dir=""
shot() {
  step=$((step + 1))
  sleep 0.7
  import -window root "$(printf '%s/%02d_%s.png' "$dir" "$step" "$1")"
  frames_on_screen
}

# Notes a miss: said at once, counted at the end.
problem() {
  echo "  PROBLEM ($size, after picture $step): $*" >&2
  echo "$size, after picture $step: $*" >>"$problems"
}

# The id of the shown window whose title matches (a regular expression), once
# it is there. A window that does not come is a problem, and the steps at
# this size end (set -e ends the subshell that runs them).
window() {
  local title="$1" timeout="${2:-30}" w
  for ((t = 0; t < timeout * 5; t++)); do
    w="$(xdotool search --onlyvisible --name "$title" 2>/dev/null | tail -1 || true)"
    if [ -n "$w" ]; then echo "$w"; return 0; fi
    sleep 0.2
  done
  problem "no window \"$title\" after ${timeout}s"
  return 1
}

gone() {
  local title="$1"
  for ((t = 0; t < 50; t++)); do
    xdotool search --onlyvisible --name "$title" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  problem "window \"$title\" is still there"
}

focus() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1"; sleep 0.3; }
main() { window '^ZELT MAKINAKO' 5; }
# Clicks at (x, y) pixels of a window's client area.
click_in() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }
double_click_in() { xdotool mousemove --window "$1" "$2" "$3" click --repeat 2 --delay 80 1; sleep 0.3; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
close_window() { focus "$1"; key alt+F4; }
# Every shown window's whole frame, title bar included, must lie on the
# screen (a window larger than the screen: its top left).
frames_on_screen() {
  local id x y w h l r t b sw sh
  read -r sw sh < <(xdotool getdisplaygeometry)
  for id in $(xprop -root _NET_CLIENT_LIST 2>/dev/null | sed -n 's/^[^#]*# //p' | tr -d ,); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
    eval "$(xwininfo -id "$id" | awk '/Absolute upper-left X/ {print "x=" $4} /Absolute upper-left Y/ {print "y=" $4}
      /^ *Width:/ {print "w=" $2} /^ *Height:/ {print "h=" $2}')"
    read -r l r t b < <(xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ,) || true
    l=${l:-0} r=${r:-0} t=${t:-0} b=${b:-0}
    x=$((x - l)) y=$((y - t)) w=$((w + l + r)) h=$((h + t + b))
    if [ "$x" -lt 0 ] || [ "$y" -lt 0 ] || { [ "$w" -le "$sw" ] && [ $((x + w)) -gt "$sw" ]; } ||
      { [ "$h" -le "$sh" ] && [ $((y + h)) -gt "$sh" ]; }; then
      problem "the frame of $(xdotool getwindowname "$id" 2>/dev/null || echo "$id") is off the screen:" \
        "${w}x$h at $x,$y"
    fi
  done
}

# Restores a maximised window by a double click on its title bar.
restore() {
  local y
  y="$(xwininfo -id "$1" | awk '/Absolute upper-left Y/ {print $4}')"
  xdotool mousemove 400 $((y - 8)) click --repeat 2 --delay 80 1
  sleep 1.5
}

# A waiting dialog must stay in front: above each of the other windows given
# in the window manager's stacking order (bottom to top).
# Whether window $1 stands above window $2 in the window manager's stacking
# order (bottom to top).
above() {
  local stacking pos_1 pos_2
  stacking="$(xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | sed 's/^[^#]*# //; s/,/ /g' || true)"
  pos() {
    local i=0 id
    for id in $stacking; do
      i=$((i + 1))
      [ "$((id))" = "$1" ] && { echo "$i"; return; }
    done
    echo 0
  }
  pos_1="$(pos "$1")"
  pos_2="$(pos "$2")"
  [ "$pos_1" != 0 ] && [ "$pos_1" -gt "$pos_2" ]
}
name_of() { xdotool getwindowname "$1" 2>/dev/null || echo "$1"; }
in_front() {
  local dialog="$1" other
  shift
  for other in "$@"; do
    above "$dialog" "$other" || problem "the dialog $(name_of "$dialog") is not in front of $(name_of "$other")"
  done
}

# Chooses ADD in the instruction dialog, typed as listed, and confirms.
answer_add() {
  focus "$1"
  click_in "$1" 150 85
  xdotool type --delay 20 "  ADD:     ADD rh, ri1, ri2"
  key alt+o
  gone '^Aginduaren aukeraketa$'
}

# Opens a window from the main window by a key, pictures it (with "restore",
# also restored from maximised) and closes it.
open_from_main() {
  local keys="$1" title="$2" name="$3" also="${4:-}" w
  focus "$(main)"
  key "$keys"
  w="$(window "$title")"
  shot "$name"
  if [ "$also" = restore ]; then
    restore "$w"
    shot "${name}_restored"
  fi
  close_window "$w"
  gone "$title"
}

run_size() {
  local w m d a
  size="$1"
  dir="$out/$size"
  mkdir -p "$dir"
  rm -f "$dir"/*.png
  step=0
  echo "== $size -> $dir"

  start_on_x_desktop "$size"

  # Start-up: the splash window waits for a click on its language label.
  w="$(window '^Berria$' 60)"
  shot abiarazi
  click_in "$w" 100 252
  m="$(window '^ZELT MAKINAKO' 120)"
  sleep 1
  shot nagusia

  # An ADD run at period 3: the instruction dialog disables the main window;
  # a click on the main window must leave the dialog in front.
  focus "$m"
  key ctrl+h
  key ctrl+a
  d="$(window '^Aginduaren aukeraketa$' 60)"
  shot agindua
  click_in "$m" 40 700
  sleep 0.5
  in_front "$d" "$m"
  shot agindua_after_main_clicked
  answer_add "$d"
  sleep 3
  shot add_running
  w="$(window '^Agindua simulatzen$' 180)"
  shot add_finished
  # Another program's window, activated, comes over the message box.
  xmessage -geometry 600x260+250+250 "Beste programa bat" >/dev/null 2>&1 &
  pids+=($!)
  a="$(window '^xmessage$')"
  focus "$a"
  sleep 0.5
  above "$a" "$w" || problem "the message box $(name_of "$w") stays above another program's active window"
  shot message_box_under_another_program
  kill "${pids[-1]}" 2>/dev/null || true
  focus "$w"
  key Return
  gone '^Agindua simulatzen$'

  # The state chart open (maximised, as the View menu opens it) and an ADD
  # run waiting on its instruction dialog: ASM brought up again (as from the
  # window list) and a click inside it, which stays usable, must leave the
  # dialog in front.
  focus "$m"
  key F1
  a="$(window '^ASM Kontrol-algoritmoa$')"
  sleep 1
  focus "$m"
  key ctrl+a
  d="$(window '^Aginduaren aukeraketa$' 60)"
  focus "$a"
  click_in "$a" 60 560
  sleep 0.5
  in_front "$d" "$a" "$m"
  shot agindua_after_asm_clicked
  answer_add "$d"
  w="$(window '^Agindua simulatzen$' 180)"
  focus "$w"
  key Return
  gone '^Agindua simulatzen$'
  close_window "$a"
  gone '^ASM Kontrol-algoritmoa$'

  # The views of the diagram panel.
  focus "$m"
  key ctrl+F1
  shot example_view
  key ctrl+F2
  shot register_view
  key ctrl+F9
  shot example_view_loaded
  key ctrl+F7
  shot pu_view

  # Every secondary window the main window opens.
  open_from_main F1 '^ASM Kontrol-algoritmoa$' asm restore
  open_from_main F2 '^Mikroprograma$' mikroprograma
  open_from_main F3 '^Kontrol Memoria$' kontrolmemoria
  open_from_main F4 '^Prozesu-Unitatea$' pu restore
  open_from_main F6 '^UALaren eragiketak$' ualeragiketak
  open_from_main F7 '^Aginduen formatua$' aginduenformatua restore
  open_from_main ctrl+o '^Simulaziorako aukerak$' konfiguratusim
  open_from_main ctrl+p '^Simuladoreari buruz$' simuladoreariburuz
  focus "$m"
  click_in "$m" 189 30  # the toolbar's help button
  w="$(window '^Laguntza$')"
  shot laguntza
  close_window "$w"
  gone '^Laguntza$'

  # The reprogramming road: step dialog, question, editor (maximised; a
  # restore by the user maximises it again), cancelled.
  focus "$m"
  key ctrl+F5
  w="$(window '^Birprogamaziorako pausoa$')"
  click_in "$w" 185 38
  xdotool type "3"
  shot birprogramaziorakopausoa
  key alt+o
  w="$(window '^Mikroprograma birprogramatzen$')"
  shot galdera
  key alt+b
  w="$(window '^Birprogramazioa$')"
  sleep 1
  click_in "$w" 565 205  # hB's "1": its mark over the picture, beside its name
  shot birprogramatumikroagindua
  xdotool mousemove 300 8 click --repeat 2 1  # a double click on the title bar restores it
  sleep 1.5
  shot birprogramatumikroagindua_after_restore
  focus "$w"
  key alt+d
  w="$(window '^Mikroprograma birprogramatzen$')"
  key Return
  gone '^Birprogramazioa$'

  # The data-word editor from the File menu's step dialog.
  focus "$m"
  key ctrl+F4
  w="$(window '^Datuen aldaketarako pausoa$')"
  click_in "$w" 170 26
  xdotool type "A"
  click_in "$w" 170 74
  xdotool type "0"
  shot datuenaldaketarakopausoa
  key alt+o
  w="$(window '^Datuen aldaketa$')"
  shot datuenaldaketa
  key alt+d
  gone '^Datuen aldaketa$'

  # The memory window; a register row opened from its grid disables it and
  # must stay in front of it, also after a click on it.
  focus "$m"
  key F5
  w="$(window '^Memoria Nagusia eta Erregistro Multzoa$')"
  sleep 1
  shot mnetaem
  double_click_in "$w" 700 94
  d="$(window '^EMko datuak$')"
  shot emkoerrenkada
  click_in "$w" 300 300
  sleep 0.5
  in_front "$d" "$w"
  shot emkoerrenkada_after_window_clicked
  focus "$d"
  key alt+o
  gone '^EMko datuak$'
  restore "$w"
  shot mnetaem_restored
  close_window "$w"
  gone '^Memoria Nagusia eta Erregistro Multzoa$'

  # The main window restored from maximised.
  restore "$m"
  shot nagusia_restored

  # Exit.
  focus "$m"
  key alt+F4
  sleep 1
  stop_all
}

for size in "${sizes[@]}"; do
  [[ "$size" =~ ^[0-9]+x[0-9]+$ ]] || { echo "not a size: $size" >&2; exit 2; }
done
for size in "${sizes[@]}"; do
  # Each size in a subshell of its own: a missing window ends its steps
  # (errexit) and stops its programs, and the next size still runs.
  set +e
  (
    set -e
    trap stop_all EXIT
    run_size "$size"
  )
  rc=$?
  set -e
  if [ "$rc" -ne 0 ] && ! grep -q "^$size," "$problems"; then
    echo "$size: the steps stopped (exit code $rc)" >>"$problems"
  fi
done
echo "pictures in $out"

# The README's pictures, only when asked for.
if [ "$update_readme" = 1 ]; then
  readme=(1024x768/02_nagusia 1024x768/04_agindua_after_main_clicked)
  for r in "${readme[@]}"; do
    if [ -f "$out/$r.png" ]; then
      mkdir -p "$here/docs/screenshots"
      cp "$out/$r.png" "$here/docs/screenshots/${r//\//_}.png"
      echo "README picture docs/screenshots/${r//\//_}.png updated"
    else
      echo "$r: no picture for the README" >>"$problems"
    fi
  done
fi

if [ -s "$problems" ]; then
  echo "problems:" >&2
  sed 's/^/  /' "$problems" >&2
  exit 1
fi
