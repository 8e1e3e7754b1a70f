#!/usr/bin/env bash
# Takes a picture of the help file as a user sees it: the platform's help
# viewer opens it in a Wine desktop, and its window is photographed once its
# first topic is drawn. Fails when the viewer does not come up, or shows no
# jumps.
# Usage: help_screenshot.sh HELPFILE.hlp PICTURE.png
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-session.sh"
help_file=$1 picture=$2

log=$(mktemp)
trap 'rm -f "$log"' EXIT
wine_desktop pinwell-help "$log" winhlp32 "$(winepath -w "$help_file")"
if ! viewer=$(wait_for 30 window_named "Pinwell Help"); then
  echo "the help viewer did not open $help_file within 30 seconds"
  cat "$log"
  wine_desktop_end 0
  exit 1
fi
# The contents topic is a list of jumps, which the viewer draws green: the
# picture counts once they are drawn.
status=0
screenshot "$picture" "$viewer" shows 1000 '#008000' ||
  { echo "the picture shows no jumps ($(pixels_of "$picture" '#008000') green pixels)"; status=1; }
# Closing the desktop's last window ends the desktop.
xdotool key --window "$viewer" alt+F4 2>/dev/null || true
wine_desktop_end 5
exit $status
