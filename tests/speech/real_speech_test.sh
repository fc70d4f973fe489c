#!/usr/bin/env bash
# Speaks through the real speech control into a PulseAudio null sink and checks that sound
# was recorded; checks as well that the speaking program ends promptly, with and without an
# audio server, also when it quits in the middle of a word.
# Usage: real_speech_test.sh SPEAK_WORD_PROGRAM
set -euo pipefail
speak=$1
limit=20  # seconds before a speaking program counts as hung

for tool in pulseaudio pactl parecord paplay sox timeout; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d /tmp/quorvantix-speech.XXXXXX)
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

# A private audio world: no server unless this script starts one, and never an autospawned one.
export HOME=$work/home XDG_RUNTIME_DIR=$work/run PULSE_CLIENTCONFIG=$work/client.conf
unset PULSE_SERVER PULSE_SINK
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
echo "autospawn = no" >"$PULSE_CLIENTCONFIG"

fail() {
  echo "FAIL: $*"
  cat "$work/speak.log" 2>/dev/null || true
  exit 1
}

# Runs the speaking program under the hang limit; sets status to its exit status.
speak_with_status() {
  status=0
  timeout "$limit" "$speak" "$@" >>"$work/speak.log" 2>&1 || status=$?
  [ "$status" -ne 124 ] || fail "the speaking program hung (arguments: $*)"
}

# Records the null sink while a command runs; sets rms to the RMS amplitude of what was heard.
# The monitor's default latency would hold back the last second or so of what was played.
record_while() {
  parecord --latency-msec=20 --device=nullsink.monitor --file-format=wav "$work/heard.wav" &
  local recorder=$!
  pids=("$recorder" "${pids[@]}")
  sleep 0.2
  "$@"
  sleep 0.3
  kill -TERM "$recorder"
  wait "$recorder" 2>/dev/null || true
  rms=$(sox "$work/heard.wav" -n stat 2>&1 | awk '/^RMS +amplitude:/ { print $3 }')
}
audible() { awk -v rms="${rms:-0}" 'BEGIN { exit !(rms + 0 > 0) }'; }

speak_with_status "Hello world" 0
[ "$status" -eq 1 ] || fail "speaking without an audio server ended with status $status, not 1"

pulseaudio -n --daemonize=no --exit-idle-time=-1 \
  -L "module-null-sink sink_name=nullsink" -L module-native-protocol-unix \
  >"$work/pulse.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  pactl info >/dev/null 2>&1 && break
  sleep 0.1
done
pactl info >/dev/null 2>&1 || { cat "$work/pulse.log"; fail "PulseAudio did not start"; }

# A fresh server loses what is played in its first second or so; a tone heard shows it ready.
sox -n -r 22050 -c 1 "$work/tone.wav" synth 0.3 sine 440
for _ in $(seq 10); do
  record_while paplay --latency-msec=20 "$work/tone.wav"
  audible && break
done
audible || { echo "skipped: nothing played into the null sink can be recorded here"; exit 77; }

speak_word() {
  speak_with_status "Hello world" 11
  [ "$status" -eq 0 ] || fail "the word was not spoken (status $status)"
}
record_while speak_word
echo "recorded RMS amplitude: ${rms:-none}"
audible || fail "the recording is silent"

# Quitting while the word is still being synthesised, then while it is heard.
for ms in 0 20 50 100 400; do
  speak_with_status --quit-after-ms "$ms" "Hello world" 0
  [ "$status" -eq 0 ] || fail "quitting after $ms ms ended with status $status"
done
echo "PASS"
