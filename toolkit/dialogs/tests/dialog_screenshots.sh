#!/usr/bin/env bash
# Takes pictures of the program's boxes over its main window, as a user sees
# them: the program runs in Wine's virtual desktop (Xvfb has no window
# manager to draw captions), and ImageMagick photographs the X screen each
# time a box is up.
# Usage: dialog_screenshots.sh PROGRAM.exe FOLDER
set -euo pipefail
program=$1
pictures=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$pictures"

wine explorer /desktop=pinwell,1024x768 "$program" "$(winepath -w "$work")" >"$work/wine.log" 2>&1 </dev/null &
pid=$!

for name in open-dialog save-dialog no-input-box about-box; do
  for _ in $(seq 300); do
    [ -f "$work/$name.ready" ] && break
    sleep 0.1
  done
  if [ ! -f "$work/$name.ready" ]; then
    echo "$name did not come up within 30 seconds"
    cat "$work/wine.log"
    kill "$pid" 2>/dev/null || true
    exit 1
  fi
  sleep 0.5  # let the last paint reach the screen
  import -window root "$pictures/$name.png"
  echo "saved $pictures/$name.png"
  touch "$work/$name.taken"
done

for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill "$pid" 2>/dev/null || true
