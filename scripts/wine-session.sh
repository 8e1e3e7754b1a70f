# Sourced by every script that runs Windows programs under Wine.

# wine_prefix_prepare FOLDER
# Makes FOLDER the Wine prefix of what follows, created on first use, and
# keeps Wine from writing anywhere but there and the temporary folder.
wine_prefix_prepare() {
  export WINEPREFIX=$1 WINEDEBUG=-all
  # No Mono or Gecko installer prompts; no menu entries, icons or file
  # associations written into the home folder for what a test installs.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 300 wineboot -i >/dev/null 2>&1 || true
  fi
  # Debian's Wine does not find its own fonts (Tahoma; Marlett, which draws
  # the caption buttons) where it installs them; in the Fonts folder it does.
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  # Wine links the user's Desktop, Documents and the like to the home folder:
  # what a program saves there stays in the prefix instead.
  local folder
  for folder in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$folder" ]; then rm "$folder" && mkdir "$folder"; fi
  done
}

# wine_session_end
# Ends every Windows program of the prefix and its Wine server, and removes
# the folder the server made in the temporary folder (the prefix keeps its
# name, and the next server makes it again).
wine_session_end() {
  timeout 30 wineserver -k 2>/dev/null || true
  timeout 30 wineserver -w 2>/dev/null || true
  local name
  name=$(cat "$WINEPREFIX/wineserver" 2>/dev/null) || return 0
  case $name in
    wine-??????) rm -rf "${TMPDIR:-/tmp}/$name" ;;
  esac
}
