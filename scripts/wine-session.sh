# Sourced by every script that runs Windows programs under Wine: ./run, the
# Wine test runner, the screenshot scripts and the installer test. It
# prepares the prefix, gives a screen to those that need one, starts programs
# in a Wine desktop and takes pictures of them.

wine_session_script=$(realpath "${BASH_SOURCE[0]}")
# The screen the program was made for; Xvfb's is this size too. A caller
# that needs a larger one (the window at 200 %) exports its own.
wine_screen=${wine_screen:-1024x768}

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

# in_xvfb COMMAND...
# Runs COMMAND, a program or a function of the caller, on a screen of its own
# (Xvfb has no window manager: see wine_desktop), with these functions.
in_xvfb() {
  # xvfb-run is a POSIX shell script, which passes on no exported function:
  # the caller's function goes as its text.
  local function=
  if declare -F "$1" >/dev/null; then function=$(declare -f "$1"); fi
  xvfb-run -a -s "-screen 0 ${wine_screen}x24" \
    bash -c "set -euo pipefail; source \"\$0\"; $function"$'\n''"$@"' "$wine_session_script" "$@"
}

# wine_desktop NAME LOG PROGRAM [ARGUMENT...]
# Starts PROGRAM in the background in a Wine desktop of its own, where its
# windows get captions and the keyboard focus as under a window manager;
# its output goes to LOG. The desktop's process is $desktop_pid.
wine_desktop() {
  local name=$1 log=$2
  shift 2
  wine explorer /desktop="$name,$wine_screen" "$@" >"$log" 2>&1 </dev/null &
  desktop_pid=$!
}

# wine_desktop_end SECONDS
# Waits for the desktop started last to end (it ends with its last window),
# and ends it when it has not within SECONDS.
wine_desktop_end() {
  local _
  for _ in $(seq $(($1 * 10))); do
    kill -0 "$desktop_pid" 2>/dev/null || return 0
    sleep 0.1
  done
  kill "$desktop_pid" 2>/dev/null || true
}

# wait_for SECONDS COMMAND...
# Runs COMMAND until it succeeds; fails when it has not within SECONDS.
wait_for() {
  local tries=$(($1 * 10)) _
  shift
  for _ in $(seq "$tries"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# window_named TITLE
# Prints the visible window with exactly this title; fails when there is none.
window_named() {
  local id
  id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
  [ -n "$id" ] && echo "$id"
}

# screenshot PICTURE [WINDOW [CONDITION ARGUMENT...]]
# Saves a picture of the screen, or of one window, once the last paint has
# reached it: once CONDITION PICTURE ARGUMENT... holds of it, or, without a
# condition, once it stops changing. Fails when the condition does not hold
# within 10 seconds.
screenshot() {
  local picture=$1 window=${2:-root} frame _
  shift $(($# < 2 ? $# : 2))
  frame=$(mktemp)
  local held=1
  for _ in $(seq 40); do
    import -window "$window" "ppm:$frame.now"
    if [ $# -gt 0 ]; then
      "$1" "$frame.now" "${@:2}" && held=0
    else
      cmp -s "$frame.now" "$frame" && held=0
    fi
    mv "$frame.now" "$frame"
    [ "$held" -eq 0 ] && break
    sleep 0.25
  done
  mkdir -p "$(dirname "$picture")"
  convert "ppm:$frame" "$picture"
  rm -f "$frame"
  echo "saved $picture ($(identify -format '%wx%h' "$picture"))"
  # A picture that keeps changing (a blinking caret) is taken as it is.
  [ "$held" -eq 0 ] || [ $# -eq 0 ]
}

# pixels_of PICTURE COLOUR...
# Prints how many pixels of the picture have one of the colours (#RRGGBB).
pixels_of() {
  local picture=$1 count=0 colour
  shift
  for colour in "$@"; do
    count=$((count + $(convert "$picture" -fill black +opaque "$colour" -fill white -opaque "$colour" \
      -format '%[fx:round(mean*w*h)]' info:)))
  done
  echo "$count"
}

# shows PICTURE COUNT COLOUR...
# Holds when at least COUNT pixels of the picture have one of the colours.
shows() {
  [ "$(pixels_of "$1" "${@:3}")" -ge "$2" ]
}
