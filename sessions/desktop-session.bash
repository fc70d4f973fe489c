# Helpers for scripts that drive the window program on a private X desktop: Xvfb on a free
# display with openbox on it. Source this file, define fail MESSAGE, then call start_desktop.
# Every process started through it is stopped, by its PID, when the script exits, and the
# session's folder $work is removed.

desktop_pids=()
work=$(mktemp -d /tmp/quorvantix-desktop.XXXXXX)

stop_desktop() {
  local i
  for ((i = ${#desktop_pids[@]} - 1; i >= 0; i--)); do
    kill "${desktop_pids[i]}" 2>/dev/null || true
  done
  for i in "${desktop_pids[@]}"; do
    wait "$i" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap stop_desktop EXIT
trap 'exit 143' TERM INT HUP

# Remembers a process started in the background, to be stopped at exit.
track() { desktop_pids+=("$1"); }

# wait_for SECONDS COMMAND...: true as soon as the command succeeds, false after SECONDS.
wait_for() {
  local deadline=$(($(date +%s%N) + $1 * 1000000000))
  shift
  until "$@"; do
    (($(date +%s%N) < deadline)) || return 1
    sleep 0.05
  done
}

# A test whose machinery is missing here is skipped, except under CI (CI=true), where
# ./dev deps has installed that machinery and its absence is a failure. ctest tells a skip by
# the line printed (SKIP_REGULAR_EXPRESSION "QUORVANTIX-TEST-SKIPPED"), never by the exit
# status alone, so the choice is made when the test runs, not when the build was configured.
skip_or_fail() {
  if [ "${CI:-}" = true ]; then
    fail "$1 (under CI this cannot be skipped)"
  fi
  echo "QUORVANTIX-TEST-SKIPPED: $1"
  exit 77
}

require_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || fail "$tool is missing (./dev deps installs it)"
  done
}

# Starts Xvfb and openbox. A start that does not come up is reported on standard error and
# tried once more, so that one stumble of the X server or the window manager is not taken
# for a fault of the program under test.
start_desktop() {
  require_tools Xvfb openbox xclip xdotool wmctrl xprop xwininfo xmessage
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  export QT_QPA_PLATFORM=xcb
  unset WAYLAND_DISPLAY XDG_SESSION_TYPE
  try_desktop && return
  printf 'the desktop did not come up (%s); trying again\n' "$desktop_problem" >&2
  try_desktop || fail "$desktop_problem"
}

xvfb_pid=
openbox_pid=
desktop_problem=
try_desktop() {
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  track "$xvfb_pid"
  wait_for 30 test -s "$work/display" || give_up_desktop "Xvfb did not start" || return
  export DISPLAY=":$(head -n1 "$work/display")"
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  openbox_pid=$!
  track "$openbox_pid"
  wait_for 30 wm_settled && wm_ready || give_up_desktop "openbox did not start" || return
}

wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wm_settled() { wm_ready || ! kill -0 "$openbox_pid" 2>/dev/null || ! kill -0 "$xvfb_pid" 2>/dev/null; }

# Stops a failed attempt and records why, with what the server and the window manager logged.
give_up_desktop() {
  local log
  desktop_problem=$1
  for log in "$work/xvfb.log" "$work/openbox.log"; do
    [ -s "$log" ] && desktop_problem+=$(printf '\n  %s:\n%s' "${log##*/}" "$(tail -n 20 "$log" | sed 's/^/    /')")
  done
  kill "$openbox_pid" "$xvfb_pid" 2>/dev/null
  wait "$openbox_pid" "$xvfb_pid" 2>/dev/null
  return 1
}

clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }

# Another program takes the clipboard with the text (xclip stays until something else copies).
copy() {
  printf '%s' "$1" | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
  track $!
  wait_for 10 clipboard_is "$1" || fail "xclip did not take the clipboard"
}

# start_program FOLDER NAME: runs FOLDER/NAME from its folder; sets app_pid and window.
app_pid=
window=
start_program() {
  (cd "$1" && exec "./$2") >>"$work/app.log" 2>&1 &
  app_pid=$!
  track "$app_pid"
  wait_for 30 find_window || fail "no window appeared"
}
find_window() {
  window=$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | head -n1)
  [ -n "$window" ]
}

title_is() { [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$1" ]; }

# Closes the window as a user would and waits for the program to end.
close_program() {
  wmctrl -i -c "$window"
  exited() { ! kill -0 "$app_pid" 2>/dev/null; }
  wait_for 15 exited || fail "the program did not end when its window was closed"
  wait "$app_pid" || fail "the program ended with status $?"
}
