# tools/x_desktop.sh - sourced by the tools that run the simulator on an X
# desktop (screenshots.sh, startup_close_check.sh, keyboard_check.sh).
#
# start_on_x_desktop SIZE: starts a virtual X server (Xvfb) of SIZE (e.g.
# 1024x768) on $DISPLAY with openbox, then brendalo from $bin; their logs go
# to $work, and their process ids are added to the array `pids`, the
# program's last.
start_on_x_desktop() {
  Xvfb "$DISPLAY" -screen 0 "${1}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  for ((t = 0; t < 50; t++)); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
  openbox >"$work/openbox.log" 2>&1 &
  pids+=($!)
  sleep 1
  (cd "$bin" && exec ./brendalo) >"$work/brendalo.log" 2>&1 &
  pids+=($!)
}
