# Helpers for scripts that record what is spoken: a private PulseAudio server with a null sink
# and a recorder on its monitor. Source it after sessions/desktop-session.bash (for work,
# track, wait_for) and define fail MESSAGE.

# speechd's daemon, started by the first program that speaks here, and its output modules serve
# this session's XDG_RUNTIME_DIR only: they are stopped, by PID, between runs and at exit.
speech_daemon_pids() {
  local pid
  [ -n "${XDG_RUNTIME_DIR:-}" ] || return 0
  for pid in $(pgrep -u "$(id -u)" '^sd_|dispatch' || true); do
    if grep -qzx "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" "/proc/$pid/environ" 2>/dev/null; then
      echo "$pid"
    fi
  done
}
stop_speech_daemon() {
  local pids
  pids=$(speech_daemon_pids)
  [ -n "$pids" ] || return 0
  # shellcheck disable=SC2086
  kill $pids 2>/dev/null || true
  no_speech_daemon() { [ -z "$(speech_daemon_pids)" ]; }
  # shellcheck disable=SC2086
  wait_for 3 no_speech_daemon || kill -KILL $pids 2>/dev/null || true
}
trap 'stop_speech_daemon || true; stop_desktop' EXIT

# No audio server but the one started here, and never one autospawned by a client.
use_private_audio() {
  export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home PULSE_CLIENTCONFIG=$work/pulse-client.conf
  unset PULSE_SERVER PULSE_SINK
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  mkdir -p "$HOME"
  echo "autospawn = no" >"$PULSE_CLIENTCONFIG"
}

# Starts PulseAudio with the null sink "nullsink". False when nothing played into it can be
# recorded: a fresh server loses what is played in its first second or so, so a tone is
# played until it is heard.
start_audio_server() {
  require_tools pulseaudio pactl parecord paplay sox
  pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    -L "module-null-sink sink_name=nullsink" -L module-native-protocol-unix \
    >"$work/pulse.log" 2>&1 &
  track $!
  wait_for 10 pactl info >/dev/null 2>&1 || fail "PulseAudio did not start: $(cat "$work/pulse.log")"
  sox -n -r 22050 -c 1 "$work/tone.wav" synth 0.3 sine 440
  local try
  for try in $(seq 10); do
    record_while paplay --latency-msec=20 "$work/tone.wav"
    audible && return 0
  done
  return 1
}

# Records the null sink while a command runs; sets rms to the RMS amplitude of what was heard.
# The monitor's default latency would hold back the last second or so of what was played.
record_while() {
  parecord --latency-msec=20 --device=nullsink.monitor --file-format=wav "$work/heard.wav" &
  local recorder=$!
  track "$recorder"
  sleep 0.2
  "$@"
  sleep 0.3
  kill -TERM "$recorder"
  wait "$recorder" 2>/dev/null || true
  rms=$(sox "$work/heard.wav" -n stat 2>&1 | awk '/^RMS +amplitude:/ { print $3 }')
}

audible() { awk -v rms="${rms:-0}" 'BEGIN { exit !(rms + 0 > 0) }'; }

# record_until_heard SECONDS COMMAND...: records the null sink, runs the command (which need
# not wait for the sound) and waits until something is heard or SECONDS have passed; sets rms.
# Raw samples, unlike a WAV file, can be measured while they are still being recorded.
record_until_heard() {
  local seconds=$1 recorder
  shift
  parec --latency-msec=20 --device=nullsink.monitor --format=s16le --rate=22050 --channels=1 \
    >"$work/heard.raw" &
  recorder=$!
  track "$recorder"
  sleep 0.2
  "$@"
  heard_so_far() {
    rms=$(sox -t raw -r 22050 -e signed -b 16 -c 1 "$work/heard.raw" -n stat 2>&1 |
      awk '/^RMS +amplitude:/ { print $3 }')
    audible
  }
  wait_for "$seconds" heard_so_far || true
  kill -TERM "$recorder" 2>/dev/null || true
  wait "$recorder" 2>/dev/null || true
}
