#!/usr/bin/env bash
# with_xvfb.sh [-s "SERVER ARGS"] COMMAND [ARG...]
# Runs COMMAND on an Xvfb server of its own and ends with COMMAND's status.
# - The server picks a free display itself (-displayfd) and names it once it takes connections,
#   so servers started at once never share a number and nothing polls for one.
# - It does not reset when its last client goes (-noreset): a client that connects just then
#   would find no server.
# - The server and COMMAND die with this script, however it ends (a test's time-out kills it).
# SERVER ARGS default to one 800x600 screen of 24 bits.
set -uo pipefail

server_args=(-screen 0 800x600x24)
if [ "${1:-}" = -s ] && [ $# -ge 2 ]; then
  read -ra server_args <<<"$2"
  shift 2
fi
if [ $# -eq 0 ]; then
  echo "usage: with_xvfb.sh [-s \"SERVER ARGS\"] COMMAND [ARG...]" >&2
  exit 2
fi

dir=$(mktemp -d -t with_xvfb.XXXXXX) || exit 1
server=""
command=""
finish() {
  [ -n "$command" ] && kill -KILL "$command" 2>/dev/null
  if [ -n "$server" ]; then
    kill -TERM "$server" 2>/dev/null
    wait "$server" 2>/dev/null
  fi
  rm -rf "$dir"
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

mkfifo "$dir/display" || exit 1
# The server opens its log, then the fifo, and writes its display number there once it takes
# connections. Opening the other end waits for it; then both files are open and the folder can go,
# so nothing is left behind however this script ends.
setpriv --pdeathsig TERM -- Xvfb -displayfd 3 -nolisten tcp -noreset "${server_args[@]}" \
  >"$dir/server.log" 2>&1 3>"$dir/display" &
server=$!
exec {display_fd}<"$dir/display"
exec {log_fd}<"$dir/server.log"
rm -rf "$dir"
number=""
read -r number <&"$display_fd"
exec {display_fd}<&-
if ! [[ "$number" =~ ^[0-9]+$ ]]; then
  echo "with_xvfb.sh: Xvfb did not start:" >&2
  cat <&"$log_fd" >&2
  exit 1
fi
exec {log_fd}<&-

# No cookie: the server admits local clients without one, and a stale entry for this number in
# the caller's authority file must not be sent instead.
DISPLAY=":$number" XAUTHORITY=/dev/null setpriv --pdeathsig KILL -- "$@" <&0 &
command=$!
wait "$command"
status=$?
command=""
exit "$status"
