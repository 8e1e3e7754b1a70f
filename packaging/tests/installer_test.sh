#!/usr/bin/env bash
# Makes the installer and the zip of a Windows build and checks them under
# Wine, in a prefix of the test's own: a silent install, the installed program
# started (its window photographed, its help file found), and an uninstall
# that leaves the prefix as it found it.
# Usage: installer_test.sh BUILD_DIR VERSION SOURCE_DIR
set -euo pipefail
export LC_ALL=C
build=$1 version=$2 source=$3
source "$source/scripts/wine-session.sh"
if [ -z "${DISPLAY:-}" ]; then
  in_xvfb bash "$0" "$@"
  exit
fi

work="$build/package-test"
rm -rf "$work/out" "$work/zip"
mkdir -p "$work/out" "$work/zip"
source "$(dirname "$0")/checks.sh"
# Everything in the prefix but what Wine itself changes as it runs.
prefix_state() {
  (cd "$WINEPREFIX/drive_c" && find . ! -path './users/*/Temp*' ! -path './windows/temp*' \
    ! -path './windows/Fonts*' | sort)
  local key
  for key in 'HKLM\Software' 'HKCU\Software' 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' \
    'HKLM\Software\Classes' 'HKLM\Software\Classes\Applications' 'HKLM\Software\Classes\.pgl /s'; do
    # shellcheck disable=SC2086  # the last key carries its option
    { timeout 30 wine reg query $key 2>/dev/null || true; } | tr -d '\r' | sed '/^$/d' | sort
  done
}
classes='HKLM\Software\Classes'
# The value of a registry key's default or named value, as reg shows it.
registry_value() {  # KEY [NAME]
  local which=(/ve)
  [ $# -gt 1 ] && which=(/v "$2")
  timeout 30 wine reg query "$1" "${which[@]}" 2>/dev/null | tr -d '\r' | sed -n 's/^ *[^ ]* *REG_SZ *//p'
}

prefix="$work/wineprefix"
folder="$prefix/drive_c/Program Files/Pinwell"
# A run killed by its time-out leaves Pinwell installed, or the other
# program's association: start afresh.
[ -e "$folder" ] && rm -rf "$prefix"
[ -f "$prefix/system.reg" ] && grep -q 'Other\.Log' "$prefix/system.reg" && rm -rf "$prefix"
wine_prefix_prepare "$prefix"
trap wine_session_end EXIT

cpack --config "$build/CPackConfig.cmake" -G "NSIS;ZIP" -B "$work/out" >/dev/null
setup="$work/out/Pinwell-$version-win64-setup.exe"
zip="$work/out/Pinwell-$version-win64.zip"
for package in "$setup" "$zip"; do
  [ -f "$package" ] || { echo "FAILED: no $package"; exit 1; }
  echo "$(basename "$package"): $(stat -c %s "$package") bytes"
done

sorted() { tr ' ' '\n' | sort | paste -sd ' '; }
files="Pinwell.exe Pinwell.hlp Pinwell.htm README.txt pinwell-cli.exe"
expect "the zip's files" "$files" "$(unzip -Z1 "$zip" | sorted)"
unzip -q "$zip" -d "$work/zip"
expect "the portable pinwell-cli.exe's version" "pinwell $version" \
  "$(timeout 60 wine "$work/zip/pinwell-cli.exe" --version | tr -d '\r')"

# Help > Pinwell below opens the viewer, as on a Windows that has one.
timeout 30 wine reg add 'HKCU\Software\Wine\AppDefaults\Pinwell.exe' /v Version /d winxp /f >/dev/null
before=$(prefix_state)
timeout 120 wine "$setup" /S || fail "the silent install ended with status $?"
expect "the installed files" "$(sorted <<<"$files Uninstall.exe")" "$(ls "$folder" | sorted)"
expect "README.txt's lines without CR LF" "" "$(grep -v $'\r$' "$folder/README.txt")"
if grep -rlF "$source" "$work/zip" "$folder"; then fail "files that name the build machine's folders"; fi
expect "the Start-menu folder" "Pinwell.lnk Uninstall.lnk" \
  "$(ls "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Pinwell" | sorted)"
timeout 30 wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pinwell' \
  /v DisplayVersion | grep -q "REG_SZ *$version" || fail "no uninstaller registered for $version"
# Programs and Features: who made it, its icon, its help, its size.
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pinwell'
expect "the uninstall entry's publisher" "Pinwell" "$(registry_value "$entry" Publisher)"
expect "the uninstall entry's icon" 'C:\Program Files\Pinwell\Pinwell.exe' "$(registry_value "$entry" DisplayIcon)"
expect "the uninstall entry's help link" 'C:\Program Files\Pinwell\Pinwell.htm' "$(registry_value "$entry" HelpLink)"
size=$(timeout 30 wine reg query "$entry" /v EstimatedSize 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_DWORD *//p')
expect "the uninstall entry's size in KiB" "$((($(find "$folder" -type f -printf "+%s")) / 1024))" "$((size))"

expect "the program that opens a .pgl" "Pinwell.Log" "$(registry_value "$classes\\.pgl")"
expect "the command that opens a .pgl" '"C:\Program Files\Pinwell\Pinwell.exe" "%1"' \
  "$(registry_value "$classes\\Pinwell.Log\\shell\\open\\command")"

# A log opened as a double-click opens it, through the association, from
# elsewhere: the help file too must be found beside the program.
logs="$WINEPREFIX/drive_c/pinwell logs"
mkdir -p "$logs"
cp "$source/testdata/nmea-real/gpsd-haicom-305N.log" "$logs/drive to work.pgl"
(cd "$WINEPREFIX/drive_c" &&
  wine_desktop pinwell-setup "$work/program.log" start 'C:\pinwell logs\drive to work.pgl')
if wait_for 30 window_named "REZ Log file to Microsoft Pushpin conversion" >/dev/null; then
  screenshot "$source/build/screens/installed-program.png"
  desktop=$(window_named 'pinwell-setup - Wine desktop')
  # Save without a dialog: the log came with the program, and Save writes the name it proposed.
  xdotool windowfocus --sync "$desktop" key --delay 200 alt+f s
  wait_for 10 test -s "$logs/drive to work.txt" || true
  timeout 60 wine "$work/zip/pinwell-cli.exe" -q -o 'C:\pinwell logs\expected.txt' \
    'C:\pinwell logs\drive to work.pgl'
  cmp -s "$logs/expected.txt" "$logs/drive to work.txt" ||
    fail "the log opened through the association was not saved as the converter converts it"
  screenshot "$source/build/screens/installed-association.png"
  xdotool windowfocus --sync "$desktop" key --delay 200 alt+h p
  # The viewer's title is the help file's own.
  wait_for 30 window_named 'Pinwell Help' >/dev/null || fail "Help > Pinwell did not open the help file"
  screenshot "$source/build/screens/installed-help.png"
else
  fail "the installed Pinwell.exe showed no window within 30 seconds"
  cat "$work/program.log"
fi
timeout 10 wineserver -k || true

rm -rf "$logs"

uninstall() {
  timeout 60 wine "$folder/Uninstall.exe" /S || fail "the silent uninstall ended with status $?"
  # The uninstaller runs on from a copy in the temporary folder.
  timeout 60 wineserver -w || fail "the uninstaller did not end within 60 seconds"
  diff <(echo "$before") <(prefix_state) || fail "the uninstall left the prefix changed ($1)"
}
uninstall "no association before"

# A .pgl that another program opens stays that program's; Pinwell is offered beside it.
timeout 30 wine reg add "$classes\\.pgl" /ve /d Other.Log /f >/dev/null
before=$(prefix_state)
timeout 120 wine "$setup" /S || fail "the second silent install ended with status $?"
expect "the program that opens a .pgl after the install" "Other.Log" "$(registry_value "$classes\\.pgl")"
timeout 30 wine reg query "$classes\\.pgl\\OpenWithProgids" /v Pinwell.Log >/dev/null 2>&1 ||
  fail "Pinwell is not in the .pgl type's Open with list"
uninstall "another program's association before"
timeout 30 wine reg delete "$classes\\.pgl" /f >/dev/null 2>&1 || true

checks_done
