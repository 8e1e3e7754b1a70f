#!/usr/bin/env bash
# Runs the end-to-end test program inside a Wine desktop of its own (Xvfb has
# no window manager; inside the desktop, windows get captions and the
# keyboard focus), then turns its screenshots into PNG files.
# Usage: end_to_end.sh TEST.exe SCREENS-FOLDER [doctest options]
set -euo pipefail
test=$1
screens=$2
shift 2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
PINWELL_SCREENS=$(winepath -w "$work")
export PINWELL_SCREENS

# The desktop's launcher does not return the program's status; the report does.
timeout 900 wine explorer /desktop=pinwell-end-to-end,1024x768 "$test" \
  --out="$(winepath -w "$work/report.txt")" "$@" >"$work/wine.log" 2>&1 </dev/null || true
cat "$work/report.txt" 2>/dev/null || cat "$work/wine.log"

mkdir -p "$screens"
for picture in "$work"/*.bmp; do
  [ -e "$picture" ] || continue
  name=$(basename "${picture%.bmp}")
  convert "$picture" "$screens/$name.png"
  echo "saved $screens/$name.png"
done
grep -q 'Status: SUCCESS' "$work/report.txt"
