#!/usr/bin/env bash
# Pictures of every window of both builds under openbox, to look at: at 96 dpi,
# at 120 dpi set by the X server alone and by the desktop (Xft.dpi), at 144 dpi
# and at a scale factor of 2. Needs Xvfb, openbox, xprop and both builds with
# their tests (scripts/build.sh 6 and 5).
#   scripts/window-shots.sh [FOLDER]      (default build/window-shots)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/window-shots}")
mkdir -p "$out"

# name  server-dpi  desktop-dpi (none: -)  scale factor  screen
setups=(
  "96 96 - 1 1280x1024"
  "120-server 120 - 1 1280x1024"
  "120 96 120 1 1600x1280"
  "144 96 144 1 1920x1536"
  "192 96 - 2 2560x2048"
)

free_display() {
  local n=70
  while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
  echo "$n"
}

for setup in "${setups[@]}"; do
  read -r name server_dpi desktop_dpi scale screen <<<"$setup"
  display=":$(free_display)"
  Xvfb "$display" -screen 0 "${screen}x24" -dpi "$server_dpi" -nolisten tcp >/dev/null 2>&1 &
  server=$!
  sleep 1
  DISPLAY=$display openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  sleep 1
  # Set once a client stays connected: the server forgets it when the last one leaves.
  if [ "$desktop_dpi" != - ]; then
    DISPLAY=$display xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "$(printf 'Xft.dpi:\t%s' "$desktop_dpi")"
  fi
  for build in qt6 qt5; do
    DISPLAY=$display QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale \
      "build/$build/tests/velda_window_shots" "$out" "$build-$name" 2>/dev/null || echo "$build $name: failed"
  done
  kill "$wm" "$server"
  wait "$wm" "$server" 2>/dev/null || true
done
echo "Pictures in $out"
