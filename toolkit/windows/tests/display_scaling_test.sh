#!/usr/bin/env bash
# The root window at 100 %, 150 % and 200 % display scaling: the Wine
# prefix set to 96, 144 and 192 dots per inch in turn, a picture of the
# window at each (root-window-96dpi.png, ...), and checks of what the window
# measured there: the toolbar's images 16, 24 and 32 pixels wide, the client
# area 512 by 256 pixels scaled, the status bar's parts in their share of it,
# the text in proportion. At 96 the window is also told it moved to a
# display at 192 (root-window-moved-to-192dpi.png), which it must follow.
# Usage: display_scaling_test.sh PROGRAM.exe PREFIX PICTURES
set -euo pipefail
program=$1 prefix=$2 pictures=$3
source "$(dirname "$0")/../../../scripts/wine-session.sh"
source "$(dirname "$0")/../../../packaging/tests/checks.sh"
# Room for the window at 200 %: a screen of its own, larger than the one
# the other tests share.
if [ "${wine_screen:-}" != 1600x1200 ]; then
  export wine_screen=1600x1200
  in_xvfb bash "$0" "$@"
  exit
fi
# A prefix of its own: the other tests run at 96 meanwhile.
wine_prefix_prepare "$prefix"
work=$(mktemp -d)
trap 'rm -rf "$work"; wine_session_end' EXIT

# show DPI [--moved]: runs the program with the prefix at DPI; a picture of
# each window it announces, and what it measured in $work/scaling-DPI.txt.
show() {
  local dpi=$1 name picture key
  for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    timeout 30 wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  done
  rm -f "$work"/*.ready "$work"/*.taken "$work/scaling.txt"
  wine_desktop pinwell "$work/wine.log" "$program" "$(winepath -w "$work")" "${@:2}"
  local line=0
  for name in root-window moved; do
    [ "$name" = moved ] && [ $# -lt 2 ] && break
    line=$((line + 1))
    picture=root-window-${dpi}dpi
    [ "$name" = moved ] && picture=root-window-moved-to-$((2 * dpi))dpi
    if ! wait_for 60 test -f "$work/$name.ready"; then
      cat "$work/wine.log"
      fail "no window at $dpi dpi"
      break
    fi
    # Fields 7 to 10: the frame on the screen.
    local -a frame
    read -r -a frame <<<"$(tr -d '\r' <"$work/scaling.txt" | sed -n "${line}p" | cut -d' ' -f7-10)"
    screenshot "$work/screen.png"
    convert "$work/screen.png" -crop "$((frame[2] - frame[0]))x$((frame[3] - frame[1]))+${frame[0]}+${frame[1]}" \
      +repage "$pictures/$picture.png"
    touch "$work/$name.taken"
  done
  wine_desktop_end 10
  tr -d '\r' <"$work/scaling.txt" >"$work/scaling-$dpi.txt"
}

mkdir -p "$pictures"
show 96 --moved
show 144
show 192

# What was measured (dpi, toolbar image width, client width and height, first
# status part's edge, text height) against what the scaling asks for. The
# moved window's client area is what the proposed frame leaves, which Wine,
# not scaling the caption and menu bar itself, makes a little larger; its
# status part keeps its share, 2 x 357.
text96=$(cut -d' ' -f6 "$work/scaling-96.txt" | head -n 1)
[ "${text96:-0}" -gt 0 ] || fail "no text measured at 96 dpi"
while read -r file line wanted; do
  read -r dpi image width height edge text _ <<<"$(sed -n "${line}p" "$work/scaling-$file.txt")"
  [ "$line" = 2 ] && width=- height=-
  # The text's height in proportion, give or take a pixel of rounding.
  scaled=$((text96 * dpi / 96))
  [ "${text:-0}" -ge $((scaled - 1)) ] && [ "${text:-0}" -le $((scaled + 1)) ] && text=in-proportion
  expect "the window at ${dpi:-?} dpi (file $file, line $line)" "$wanted" "$dpi $image $width $height $edge $text"
done <<'TABLE'
96 1 96 16 512 256 357 in-proportion
96 2 192 32 - - 714 in-proportion
144 1 144 24 768 384 536 in-proportion
192 1 192 32 1024 512 716 in-proportion
TABLE
checks_done
