# Sourced by the scripts that run the calendar on a virtual screen.
# start_xvfb WIDTHxHEIGHT: starts Xvfb on a display number nobody uses, sets
# $display (":N") and $xvfb (its process), and waits until it answers.
# -noreset: the server would otherwise reset when the probe below leaves, and
# refuse the program connecting in that moment.
start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  xvfb=$!
  local number
  read -r number <"$fifo"
  rm -f "$fifo"
  display=":$number"
  for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb did not start" >&2
  return 1
}
