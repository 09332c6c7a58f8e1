# shellcheck shell=bash
# Sourced by the install and package tests.

fail() { echo "FAIL: $*" >&2; exit 1; }

# The width x height a PNG file says it has.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*2^24 + $2*2^16 + $3*2^8 + $4 "x" $5*2^24 + $6*2^16 + $7*2^8 + $8 }'; }

# Whether process PID has ended (gone, or a zombie nobody has waited for).
ended() { [[ ! -e /proc/$1 ]] || [[ $(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) == Z ]]; }

# calendar_window DISPLAY: the calendar's main window, waited for up to 10 s.
calendar_window() {
  local window=""
  for _ in $(seq 100); do
    window=$(xwininfo -display "$1" -root -tree | awk '/"Kelmora": \("kelmora" "Kelmora"\)/ {print $1; exit}')
    [[ -n $window ]] && break
    sleep 0.1
  done
  printf '%s\n' "$window"
}

# end_calendar PID: ends it as a session does (SIGTERM) and waits for it.
end_calendar() {
  kill -TERM "$1"
  for _ in $(seq 100); do ended "$1" && return 0; sleep 0.1; done
  fail "the calendar did not end on SIGTERM"
}
