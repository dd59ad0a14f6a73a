#!/usr/bin/env bash
# Installs what is missing, builds both programs, and starts Wvelmorin on the
# demo restaurant: a working folder and a network folder holding a copy of
# demo/, both under build/ (the sources are never written).
#
# With no display, the screen is served over VNC on port 5900 of the loopback
# only (the VNC server has no password): reach it through an ssh tunnel, or
# set WV_VNC_ADDRESS to the address to listen on instead (0.0.0.0: every
# interface). Qt's own VNC platform always listens on every interface, so the
# screen is a virtual X display (Xvfb) served by x11vnc, which can be bound.
set -euo pipefail
cd "$(dirname "$0")/.."
vnc=0
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then vnc=1; fi
if [ "$vnc" = 1 ]; then
  bash scripts/install_deps.sh xvfb x11vnc iproute2
else
  bash scripts/install_deps.sh
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target wvelmorin ostrevane
run=build/demo-run
mkdir -p "$run/tablet" "$run/reseau"
cp demo/*.wdo "$run/reseau/"
# A tablet that already knows its exchange folder; remove the file to see the first start.
[ -f "$run/tablet/wfichdir.wdo" ] || printf '%s\r\n' "$(cd "$run/reseau" && pwd)" > "$run/tablet/wfichdir.wdo"
cd "$run/tablet"
if [ "$vnc" = 0 ]; then
  exec ../../wvelmorin
fi

address="${WV_VNC_ADDRESS:-127.0.0.1}"
pids=()
stop() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
}
trap stop EXIT
trap 'exit 130' INT TERM
# Xvfb picks a free display number and writes it on the descriptor given.
number_file=$(mktemp)
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$number_file" &
pids+=($!)
for _ in $(seq 100); do
  [ -s "$number_file" ] && break
  sleep 0.1
done
display=":$(tr -d '[:space:]' < "$number_file")"
rm -f "$number_file"
[ "$display" != ":" ] || { echo "Xvfb did not start" >&2; exit 1; }
# x11vnc's own IPv6 socket would listen on every interface: it is kept on the
# loopback (-listenv6), or on the address asked when that is an IPv6 one.
case "$address" in
  *:*) listen=(-listen 127.0.0.1 -listenv6 "$address"); expected="127.0.0.1:5900 [$address]:5900" ;;
  *) listen=(-listen "$address" -listenv6 ::1); expected="$address:5900 [::1]:5900" ;;
esac
log="$(cd .. && pwd)/x11vnc.log"
x11vnc -display "$display" -rfbport 5900 "${listen[@]}" -forever -shared -nopw -quiet -o "$log" \
  > "$log.port" &
vnc_pid=$!
pids+=("$vnc_pid")
# "PORT=5900" once it listens; a port in use ends it.
for _ in $(seq 100); do
  grep -q '^PORT=' "$log.port" 2>/dev/null && break
  kill -0 "$vnc_pid" 2>/dev/null || { echo "x11vnc could not listen on port 5900, see $log" >&2; exit 1; }
  sleep 0.1
done
# An address it cannot bind makes x11vnc fall back on every interface: only
# the sockets asked for are accepted.
listening=$(ss -Hltnp "sport = :5900" | grep "pid=$vnc_pid," | awk '{print $4}' | sort | xargs)
if [ "$listening" != "$(echo "$expected" | tr ' ' '\n' | sort | xargs)" ]; then
  echo "x11vnc listens on '$listening', not on $address alone: stopped" >&2
  exit 1
fi
echo "No display: the screen is served by VNC on $address:5900 (no password)."
[ "$address" = 127.0.0.1 ] &&
  echo "From another machine: ssh -L 5900:127.0.0.1:5900 $(hostname), then a VNC viewer on localhost:5900"
DISPLAY="$display" QT_QPA_PLATFORM=xcb ../../wvelmorin
