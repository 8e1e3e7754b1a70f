#!/usr/bin/env bash
# Runs the help test program as a Windows of the given version would (Wine
# reports a version to the program its AppDefaults name), keeps its pictures
# and checks what they show: the viewer's green jumps, or, where that Windows
# has no viewer, the help page in a browser with its links. The browser is
# dillo, which Wine's own browser hands the page to; the program leaves it
# open on Exit, so it is photographed and closed here.
# Usage: help_show_test.sh VERSION TEST.exe SCREENS-FOLDER [doctest options]
set -euo pipefail
source "$(dirname "$0")/../../../scripts/wine-session.sh"
version=$1 test=$2 screens=$3
shift 3

copy="${test%.exe}-$version.exe"
cp "$test" "$copy"
work=$(mktemp -d)
# dillo keeps its settings in the home folder: a scratch one, which also
# tells the browser and the helpers it leaves running from anything else.
export HOME="$work"
# What this adds to the shared prefix goes again at the end.
page_type=$(wine reg query 'HKCR\.htm' /ve 2>/dev/null | grep -c REG_SZ || true)
cleanup() {
  [ "$page_type" -gt 0 ] || wine reg delete 'HKCR\.htm' /f >/dev/null 2>&1 || true
  wine reg delete 'HKCU\Software\Wine\WineBrowser' /v Browsers /f >/dev/null 2>&1 || true
  # The browser and its helpers, by this run's home folder; Wine's own
  # processes, which may have started meanwhile, stay.
  local process
  for process in /proc/[0-9]*; do
    case "$(readlink "$process/exe" 2>/dev/null)" in
      */dillo | */dpid | */dillo/dpi/*) ;;
      *) continue ;;
    esac
    grep -qxzF "HOME=$work" "$process/environ" 2>/dev/null && kill "${process#/proc/}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
PINWELL_SCREENS=$(winepath -w "$work")
export PINWELL_SCREENS
wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$copy")" /v Version /d "$version" /f >/dev/null 2>&1
# HTML pages open in Wine's browser, as where Wine's HTML engine registered
# them (the test prefix is made without it).
[ "$page_type" -gt 0 ] || wine reg add 'HKCR\.htm' /ve /d htmlfile /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d dillo /f >/dev/null 2>&1

# The browser would inherit the test's output and keep CTest waiting.
status=0
wine "$copy" "$@" >"$work/output.txt" 2>&1 || status=$?
grep -v '^paths:\|^Domain:\|^dillo\|^Cookies:\|^\*\*\|^Nav_\|^Dpi\|^a_Dicache\|^Disabling' "$work/output.txt" || true

failed() { echo "FAILED: $*"; status=1; }

mkdir -p "$screens"
for picture in "$work"/*.bmp; do
  [ -e "$picture" ] || continue
  convert "$picture" "$screens/$(basename "${picture%.bmp}").png"
done

if [ "$version" = winxp ]; then
  # The contents topic is a list of jumps; the command line's topic has one.
  contents=$(pixels_of "$screens/help-viewer.png" '#008000')
  topic=$(pixels_of "$screens/help-index.png" '#008000')
  echo "green jump pixels: contents $contents, the keyword's topic $topic"
  [ "$contents" -ge 1000 ] || failed "the viewer shows no jumps"
  [ "$topic" -gt 0 ] && [ "$((topic * 4))" -lt "$contents" ] || failed "the keyword did not lead to its topic"
else
  # The page's title names the browser's window; the picture counts once
  # the links are drawn.
  timeout 20 xdotool search --sync --name '^Dillo: Pinwell Help$' >/dev/null 2>&1 ||
    failed "no browser shows the help page"
  screenshot "$screens/help-browser.png" root shows 1000 '#0000FF' '#800080' ||
    failed "the browser shows the page without its links"
  echo "link pixels in the browser: $(pixels_of "$screens/help-browser.png" '#0000FF' '#800080')"
fi
exit $status
