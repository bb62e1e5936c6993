#!/usr/bin/env bash
# Makes doc/screenshot.png: velda16 under a private X server on a folder of
# photos, with the preview of a copy shown. Run by hand after changing what
# the main window looks like, and look at the picture.
set -euo pipefail
cd "$(dirname "$0")/.."

for tool in xdotool:xdotool import:imagemagick Xvfb:xvfb openbox:openbox; do
  command -v "${tool%%:*}" >/dev/null || apt-get install -y -qq --no-install-recommends "${tool#*:}"
done
scripts/build.sh 6 velda16

# A short, steady path: it shows in the folder fields.
scratch=/tmp/velda-screenshot
rm -rf "$scratch"
cleanup() {
  kill "${velda:-}" "${wm:-}" "${server:-}" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
mkdir -p "$scratch/写真/2026 旅行"
for n in 0412 0413 0414 0415 0418 0421 0422 0427 0430; do
  head -c 2048 /dev/urandom > "$scratch/写真/IMG_${n}.JPG"
done
printf 'memo' > "$scratch/写真/旅程.txt"

export DISPLAY=:97 LANG=C.UTF-8 XDG_DATA_HOME="$scratch/data"
Xvfb "$DISPLAY" -screen 0 1024x640x24 -nolisten tcp & server=$!
sleep 1
openbox --sm-disable & wm=$!
sleep 1
build/qt6/src/velda16 "$scratch/写真" & velda=$!
xdotool search --sync --name 'Tessel' >/dev/null
sleep 1
# The photos only, a prefix, Copy; Yes to selecting them all and to the
# settings: the preview shows with the last question.
xdotool key Tab ctrl+a && xdotool type '*.JPG'
xdotool key Tab Tab && xdotool type 'trip_'
xdotool key Return Return Return
for question in 1 2; do
  sleep 1
  xdotool key Return
done
sleep 1
question=$(xdotool search --name '^Velda$' | tail -1)
main=$(xdotool search --name 'Tessel' | head -1)
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool windowmove "$question" $((X + WIDTH - 60)) $((Y + 120))
sleep 1
import -window root -crop "$((WIDTH + 330))x$((HEIGHT + 50))+$((X - 10))+$((Y - 40))" +repage doc/screenshot.png
xdotool key Escape
echo doc/screenshot.png
