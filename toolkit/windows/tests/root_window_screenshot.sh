#!/usr/bin/env bash
# Takes a picture of the root window as a user sees it: the program runs in
# Wine's virtual desktop (Xvfb has no window manager to draw captions), and
# ImageMagick photographs the X screen once the window is drawn.
# Usage: root_window_screenshot.sh PROGRAM.exe PICTURE.png
set -euo pipefail
program=$1
picture=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
drawn="$work/drawn"
finish="$work/finish"

wine explorer /desktop=pinwell,1024x768 "$program" "$(winepath -w "$drawn")" "$(winepath -w "$finish")" \
  >"$work/wine.log" 2>&1 </dev/null &
pid=$!

for _ in $(seq 300); do
  [ -f "$drawn" ] && break
  sleep 0.1
done
if [ ! -f "$drawn" ]; then
  echo "the window was not drawn within 30 seconds"
  cat "$work/wine.log"
  kill "$pid" 2>/dev/null || true
  exit 1
fi
sleep 0.5  # let the last paint reach the screen

mkdir -p "$(dirname "$picture")"
import -window root "$picture"
touch "$finish"

for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill "$pid" 2>/dev/null || true
echo "saved $picture ($(identify -format '%wx%h' "$picture"))"
