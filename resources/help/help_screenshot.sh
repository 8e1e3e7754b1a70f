#!/usr/bin/env bash
# Takes a picture of the help file as a user sees it: the platform's help
# viewer opens it in Wine's virtual desktop (Xvfb has no window manager to
# draw captions), and ImageMagick photographs the viewer's window once its
# first topic is drawn. Fails when the viewer does not come up, or shows no
# jumps.
# Usage: help_screenshot.sh HELPFILE.hlp PICTURE.png
set -euo pipefail
help_file=$1
picture=$2

log=$(mktemp)
trap 'rm -f "$log"' EXIT

wine explorer /desktop=pinwell-help,1024x768 winhlp32 "$(winepath -w "$help_file")" >"$log" 2>&1 </dev/null &
pid=$!

viewer=
for _ in $(seq 300); do
  viewer=$(xdotool search --name '^Pinwell Help$' 2>/dev/null | head -n 1 || true)
  [ -n "$viewer" ] && break
  sleep 0.1
done
if [ -z "$viewer" ]; then
  echo "the help viewer did not open $help_file within 30 seconds"
  cat "$log"
  kill "$pid" 2>/dev/null || true
  exit 1
fi
mkdir -p "$(dirname "$picture")"
# The contents topic is a list of jumps, which the viewer draws green: the
# picture counts once they are drawn.
jumps=0
for _ in $(seq 40); do
  import -window "$viewer" "$picture"
  jumps=$(convert "$picture" -fill black +opaque '#008000' -fill white -opaque '#008000' \
    -format '%[fx:round(mean*w*h)]' info:)
  [ "$jumps" -ge 1000 ] && break
  sleep 0.25
done
echo "saved $picture ($(identify -format '%wx%h' "$picture"))"
status=0
[ "$jumps" -ge 1000 ] || { echo "the picture shows no jumps ($jumps green pixels)"; status=1; }

# Closing the virtual desktop's last window ends the desktop.
xdotool key --window "$viewer" alt+F4 2>/dev/null || true
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || exit $status
  sleep 0.1
done
kill "$pid" 2>/dev/null || true
exit $status
