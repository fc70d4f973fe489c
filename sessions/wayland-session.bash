# Helpers for scripts that drive the window program inside a headless Wayland compositor:
# GNOME's (mutter), KDE's (kwin_wayland) or a wlroots one (sway), with or without XWayland.
# Source desktop-session.bash first (for track, wait_for, require_tools and $work), define
# fail MESSAGE, then call start_wayland_session NAME. The compositor runs a session script
# that writes the session's environment to $session_dir/env; every client the test starts
# gets that environment through in_session. Each process is stopped by its PID at exit: the
# session script first, so that the compositor and its D-Bus session end on their own.

session_dir="$work/session"
session_pids=()

stop_wayland_session() {
  local pid i
  # sway stays when its session script ends; mutter and KWin end with it.
  if grep -q '^export SWAYSOCK=' "$session_dir/env" 2>/dev/null; then
    in_session swaymsg exit >/dev/null 2>&1 || true
  fi
  if [ -s "$session_dir/script.pid" ]; then
    kill "$(cat "$session_dir/script.pid")" 2>/dev/null || true
  fi
  gone() {
    local p
    for p in "${session_pids[@]}"; do kill -0 "$p" 2>/dev/null && return 1; done
    return 0
  }
  wait_for 10 gone || true
  for ((i = ${#session_pids[@]} - 1; i >= 0; i--)); do
    pid=${session_pids[i]}
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${session_pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
}
trap 'stop_wayland_session; stop_desktop' EXIT

# Remembers a process of the session: the compositor, its D-Bus session or a user switch.
track_session() { session_pids+=("$1"); }

# Remembers, once the session runs, every process below those already remembered.
track_session_descendants() {
  local known=" ${session_pids[*]} " i child
  for ((i = 0; i < ${#session_pids[@]}; i++)); do
    for child in $(pgrep -P "${session_pids[i]}" 2>/dev/null); do
      if [[ $known != *" $child "* ]]; then
        session_pids+=("$child")
        known+="$child "
      fi
    done
  done
}

write_session_script() {
  mkdir -p "$session_dir"
  chmod 777 "$session_dir"
  cat >"$session_dir/script" <<'SCRIPT'
#!/usr/bin/env bash
# Runs inside the compositor's session: tells the test its environment, then waits.
dir=$(dirname "$0")
for name in WAYLAND_DISPLAY DISPLAY XAUTHORITY DBUS_SESSION_BUS_ADDRESS SWAYSOCK XDG_RUNTIME_DIR; do
  [ -n "${!name:-}" ] && printf 'export %s=%q\n' "$name" "${!name}"
done >"$dir/env.part"
# A compositor run as another user lets the test's own clients on its X display too.
if [ -n "${DISPLAY:-}" ] && [ -n "${QUORVANTIX_TEST_CLIENT:-}" ]; then
  xhost "+si:localuser:$QUORVANTIX_TEST_CLIENT" >/dev/null
fi
echo $$ >"$dir/script.pid"
mv "$dir/env.part" "$dir/env"
exec sleep 100000
SCRIPT
  chmod 755 "$session_dir/script"
}

# The session's environment for the test's clients, as an `env` command to put before a client:
# "${session_env[@]}" COMMAND... (also in the background, where $! is then COMMAND's PID). The
# Wayland socket is named by its full path, so a client may keep a runtime folder of its own;
# the Qt platform is left for the program to choose, as on a user's desktop.
session_env=()
load_session_env() {
  local assignments
  mapfile -d '' -t assignments < <(
    # shellcheck source=/dev/null
    source "$session_dir/env"
    case "$WAYLAND_DISPLAY" in /*) ;; *) WAYLAND_DISPLAY="$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ;; esac
    for name in WAYLAND_DISPLAY DISPLAY XAUTHORITY DBUS_SESSION_BUS_ADDRESS SWAYSOCK; do
      [ -n "${!name:-}" ] && printf '%s=%s\0' "$name" "${!name}"
    done
  )
  session_env=(env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY XDG_SESSION_TYPE=wayland
    XDG_RUNTIME_DIR="$work/runtime" "${assignments[@]}")
}
in_session() { "${session_env[@]}" "$@"; }

has_x() { grep -q '^export DISPLAY=' "$session_dir/env"; }

# Xwayland creates its socket folder only when it is shared by everyone, as X servers want.
prepare_x_sockets() {
  if [ "$(id -u)" -eq 0 ]; then
    mkdir -p /tmp/.X11-unix
    chmod 1777 /tmp/.X11-unix
  fi
}

# A private runtime folder for the test's own clients.
prepare_runtime() {
  mkdir -p -m 700 "$work/runtime"
  export XDG_RUNTIME_DIR="$work/runtime"
}

# A runtime folder owned by the user that runs the compositor.
compositor_runtime() {
  local owner=$1 dir="$work/runtime-$1"
  mkdir -p -m 700 "$dir"
  chown "$owner" "$dir"
  echo "$dir"
}

start_gnome() {
  require_tools mutter Xwayland dbus-run-session /usr/bin/python3
  prepare_x_sockets
  XDG_RUNTIME_DIR=$(compositor_runtime "$(id -un)") dbus-run-session -- \
    mutter --headless --wayland --virtual-monitor 1280x800 \
    --wayland-display quorvantix-test -- "$session_dir/script" >"$work/compositor.log" 2>&1 &
  track_session $!
}

# KWin's binary carries a file capability that a container may refuse to grant; a plain copy
# of it runs.
start_kde() {
  require_tools kwin_wayland Xwayland dbus-run-session
  prepare_x_sockets
  cp /usr/bin/kwin_wayland "$work/kwin_wayland"
  mkdir -p "$work/kde-config"
  printf '[Windows]\nFocusStealingPreventionLevel=%s\n' "${kwin_focus_level:-1}" \
    >"$work/kde-config/kwinrc"
  # No permission checks: the tests press keys through KWin's fake-input protocol.
  KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 XDG_CONFIG_HOME="$work/kde-config" \
    XDG_RUNTIME_DIR=$(compositor_runtime "$(id -un)") dbus-run-session -- "$work/kwin_wayland" \
    --virtual --xwayland --no-lockscreen --no-global-shortcuts --no-kactivities \
    --width 1280 --height 800 --socket quorvantix-test --exit-with-session "$session_dir/script" >"$work/compositor.log" 2>&1 &
  track_session $!
}

# sway will not run as root: then it runs as an ordinary user made for the tests.
sway_user() {
  if [ "$(id -u)" -ne 0 ]; then
    id -un
    return
  fi
  id quorvantix-test >/dev/null 2>&1 ||
    useradd --system --no-create-home --shell /usr/sbin/nologin quorvantix-test
  echo quorvantix-test
}

# start_sway xwayland|no-xwayland
start_sway() {
  require_tools sway swaymsg Xwayland xhost /usr/bin/python3
  prepare_x_sockets
  local user runtime
  user=$(sway_user)
  runtime=$(compositor_runtime "$user")
  local xwayland=enable
  [ "$1" = no-xwayland ] && xwayland=disable
  cat >"$session_dir/sway.config" <<CONFIG
xwayland $xwayland
focus_on_window_activation focus
exec $session_dir/script
CONFIG
  chmod 644 "$session_dir/sway.config"
  local run=()
  if [ "$user" != "$(id -un)" ]; then
    run=(runuser -u "$user" --)
    chmod 711 "$work" # the user goes through it to its runtime folder and the session's
  fi
  "${run[@]}" env -i PATH="$PATH" HOME="$session_dir" XDG_RUNTIME_DIR="$runtime" \
    QUORVANTIX_TEST_CLIENT="$(id -un)" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$session_dir/sway.config" >"$work/compositor.log" 2>&1 &
  track_session $!
}

# start_wayland_session gnome|kde|sway|sway-no-xwayland
start_wayland_session() {
  prepare_runtime
  write_session_script
  case "$1" in
    gnome) start_gnome ;;
    kde) start_kde ;;
    sway) start_sway xwayland ;;
    sway-no-xwayland) start_sway no-xwayland ;;
    *) fail "unknown session $1" ;;
  esac
  wait_for 60 test -s "$session_dir/env" ||
    fail "the $1 session did not start: $(tail -n 20 "$work/compositor.log")"
  track_session_descendants
  load_session_env
}
