#!/usr/bin/env bash
# tools/startup_close_check.sh - closes each start-up window by Alt+F4 on an
# X desktop (Xvfb with openbox) and reports how soon the program ends.
#
# The display check `Bereizmena` (shown on a screen that is not 1024 x 768)
# and the splash window waiting for its label must end the program, exit
# code 0, within a second; the splash window closed while it loads must stay
# and the main window must follow. Exits with 1 when any of that fails.
#
# usage: tools/startup_close_check.sh [-b BIN] [-d DISPLAY_NUMBER]
#   -b BIN  folder holding brendalo and its control libraries (default build/release/bin)
#   -d N    X display number to use (default 91)
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$here/tools/x_desktop.sh"
bin="$here/build/release/bin"
display_number=91
while getopts "b:d:h" opt; do
  case "$opt" in
    b) bin="$OPTARG" ;;
    d) display_number="$OPTARG" ;;
    *) sed -n '2,/^set -uo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 2 ;;
  esac
done
for n in Xvfb openbox xdotool; do command -v "$n" >/dev/null || { echo "missing: $n" >&2; exit 1; }; done
[ -x "$bin/brendalo" ] || { echo "no brendalo in $bin" >&2; exit 1; }
bin="$(cd "$bin" && pwd)"
export DISPLAY=":$display_number"
work="$(mktemp -d)"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$work"' EXIT
export BRENDALO_REGISTRY="$work/registry.ini"
"$bin/brendalo-register" --all "$bin" >/dev/null
failed=0

# One start: SIZE, the title of the window to close, and "wait" (close it as
# it shows) or "load" (click the Basque label first).
check() {
  local size="$1" title="$2" when="$3"
  start_on_x_desktop "$size"
  local app=${pids[-1]} w=""
  for ((t = 0; t < 150; t++)); do
    w="$(xdotool search --onlyvisible --name "$title" 2>/dev/null | tail -1)"
    [ -n "$w" ] && break
    sleep 0.1
  done
  if [ -z "$w" ]; then
    echo "FAIL $size $title: the window did not appear"
    failed=1
  else
    sleep 0.5
    [ "$when" = load ] && { xdotool mousemove --window "$w" 100 252 click 1; sleep 1.5; }
    xdotool windowactivate --sync "$w" 2>/dev/null
    sleep 0.3
    local t0 gone=""
    t0=$(date +%s%N)
    xdotool key alt+F4
    for ((t = 0; t < 300; t++)); do
      kill -0 "$app" 2>/dev/null || { gone=$(date +%s%N); break; }
      sleep 0.01
    done
    if [ "$when" = wait ]; then
      if [ -z "$gone" ]; then
        echo "FAIL $size $title closed while waiting: still running after 3 s"
        failed=1
      else
        wait "$app"
        local rc=$? ms=$(((gone - t0) / 1000000))
        echo "$size $title closed while waiting: ended after $ms ms, exit code $rc"
        { [ "$rc" = 0 ] && [ "$ms" -le 1000 ]; } || failed=1
      fi
    else
      local main=""
      for ((t = 0; t < 150; t++)); do
        [ -n "$gone" ] && break
        main="$(xdotool search --onlyvisible --name '^ZELT MAKINAKO' 2>/dev/null | tail -1)"
        [ -n "$main" ] && break
        sleep 0.1
      done
      if [ -n "$gone" ] || [ -z "$main" ]; then
        echo "FAIL $size $title closed while loading: the main window did not follow"
        failed=1
      else
        echo "$size $title closed while loading: stayed, the main window followed"
      fi
    fi
  fi
  kill "$app" 2>/dev/null
  kill "${pids[@]}" 2>/dev/null
  wait 2>/dev/null
  pids=()
  sleep 0.3
}

check 1280x1024 '^Bereizmena$' wait
check 1024x768 '^Berria$' wait
check 1280x1024 '^Berria$' wait
check 1024x768 '^Berria$' load
exit "$failed"
