#!/usr/bin/env bash
# Runs the end-to-end test program in a Wine desktop of its own (Xvfb has no
# window manager; inside a Wine desktop, windows get captions and the
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

# The test program, and Pinwell which it starts, live in that desktop.
desktop=pinwell-end-to-end
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v "$desktop" /d 1024x768 /f >/dev/null 2>&1
wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$test")\\Explorer" /v Desktop /d "$desktop" /f \
  >/dev/null 2>&1
# Pinwell as on a Windows that has the help viewer, which the session opens;
# the test too, which draws the lines it expects as Pinwell draws them. Not
# after the test: ./run shares the prefix.
versions() {
  local program
  for program in Pinwell.exe "$(basename "$test")"; do
    wine reg "$1" "HKCU\\Software\\Wine\\AppDefaults\\$program" /v Version "${@:2}" /f >/dev/null 2>&1 || true
  done
}
versions add /d winxp
trap 'versions delete; rm -rf "$work"' EXIT
status=0
timeout 500 wine "$test" "$@" || status=$?

mkdir -p "$screens"
for picture in "$work"/*.bmp; do
  [ -e "$picture" ] || continue
  name=$(basename "${picture%.bmp}")
  convert "$picture" "$screens/$name.png"
  echo "saved $screens/$name.png"
done
exit $status
