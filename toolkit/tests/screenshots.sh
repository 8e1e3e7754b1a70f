#!/usr/bin/env bash
# Takes pictures of a program's windows as a user sees them: the program runs
# in a Wine desktop, and the screen is photographed each time the program
# says a window is up. The program gets a folder; for each NAME in turn it
# creates NAME.ready once the window is drawn, and goes on when NAME.taken
# appears.
# Usage: screenshots.sh PROGRAM.exe FOLDER NAME...
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-session.sh"
program=$1 pictures=$2
shift 2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
wine_desktop pinwell "$work/wine.log" "$program" "$(winepath -w "$work")"
for name in "$@"; do
  if ! wait_for 30 test -f "$work/$name.ready"; then
    echo "$name did not come up within 30 seconds"
    cat "$work/wine.log"
    wine_desktop_end 0
    exit 1
  fi
  screenshot "$pictures/$name.png"
  touch "$work/$name.taken"
done
wine_desktop_end 10
