#!/usr/bin/env bash
# Takes pictures of a program's windows as a user sees them: the program runs
# in Wine's virtual desktop (Xvfb has no window manager to draw captions), and
# ImageMagick photographs the X screen each time the program says a window is
# up. The program gets a folder; for each NAME in turn it creates NAME.ready
# once the window is drawn, and goes on when NAME.taken appears.
# Usage: screenshots.sh PROGRAM.exe FOLDER NAME...
set -euo pipefail
program=$1
pictures=$2
shift 2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$pictures"

wine explorer /desktop=pinwell,1024x768 "$program" "$(winepath -w "$work")" >"$work/wine.log" 2>&1 </dev/null &
pid=$!

for name in "$@"; do
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
  echo "saved $pictures/$name.png ($(identify -format '%wx%h' "$pictures/$name.png"))"
  touch "$work/$name.taken"
done

for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill "$pid" 2>/dev/null || true
