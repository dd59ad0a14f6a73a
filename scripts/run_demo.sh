#!/usr/bin/env bash
# Installs what is missing, builds, and starts Wvelmorin on the demo
# restaurant: a working folder and a network folder holding a copy of demo/,
# both under build/ (the sources are never written). With no display, Qt's
# VNC platform serves the screen on port 5900.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install_deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target wvelmorin
run=build/demo-run
mkdir -p "$run/tablet" "$run/reseau"
cp demo/*.wdo "$run/reseau/"
# A tablet that already knows its exchange folder; remove the file to see the first start.
[ -f "$run/tablet/wfichdir.wdo" ] || printf '%s\r\n' "$(cd "$run/reseau" && pwd)" > "$run/tablet/wfichdir.wdo"
cd "$run/tablet"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  export QT_QPA_PLATFORM="vnc:size=1024x768"
  echo "No display: connect a VNC viewer to $(hostname):5900"
fi
exec ../../wvelmorin
