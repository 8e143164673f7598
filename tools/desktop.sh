# A virtual desktop for runs without a display: Xvfb with a tray host (trayer) at the
# bottom-right. Source it, then call desktop_start; desktop_stop (or the EXIT trap it
# sets) ends everything it started.

desktop_pids=()

desktop_stop() {  # newest first: the programs, then the tray, then the server
  local i pid
  for ((i = ${#desktop_pids[@]} - 1; i >= 0; i--)); do
    kill "${desktop_pids[i]}" 2>/dev/null || true
  done
  for pid in "${desktop_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  desktop_pids=()
}

# desktop_start [WIDTHxHEIGHT]: exports DISPLAY once the server and the tray are up.
desktop_start() {
  desktop_server "$@" && desktop_tray
}

# desktop_server [WIDTHxHEIGHT]: the X server alone, a desktop without a tray yet.
desktop_server() {
  local size=${1:-1024x768} fifo display
  fifo=$(mktemp -u) && mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  desktop_pids+=($!)
  read -r -t 10 display <"$fifo" || { echo "Xvfb did not start" >&2; rm -f "$fifo"; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$display"
  trap desktop_stop EXIT
}

# desktop_tray [TRAYER-OPTION...]: the XEmbed tray host at the bottom right.
desktop_tray() {
  local attempt i
  for attempt in 1 2 3; do
    # A fixed width: with a tray that resizes, wine may keep its old size and a newly
    # docked icon then never gets its clicks.
    trayer --edge bottom --align right --widthtype pixel --width 72 --height 24 \
      --transparent false \
      --tint 0x808080 --SetDockType true "$@" >/dev/null 2>&1 &
    desktop_pids+=($!)
    for i in $(seq 200); do
      [[ $(xwininfo -root -tree 2>/dev/null) == *'"panel"'* ]] && return 0
      kill -0 "${desktop_pids[-1]}" 2>/dev/null || break  # it died: start it again
      sleep 0.05
    done
  done
  echo "the tray host did not start" >&2
  return 1
}

# The id of the tray icon window of a program, once it is docked in the tray.
desktop_tray_icon() {  # program-name
  xwininfo -root -tree 2>/dev/null | awk -v name="\"$1\"" '
    /"panel"/ { inpanel = 1; next }
    inpanel && index($2, name) == 1 { print $1; exit }'
}

# The id of the Windows build's icon window under wine, once docked in the tray (wine
# names its tray windows after explorer.exe).
desktop_wine_icon() {
  xwininfo -root -tree | awk '/"panel"/ { p = 1; next } p && /"explorer.exe"/ { print $1; exit }'
}

# Waits up to twenty seconds for wine's icon to dock, and prints its window id.
desktop_wait_wine_icon() {
  local i id
  for i in $(seq 200); do
    id=$(desktop_wine_icon)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits up to ten seconds for the program's icon to dock, and prints its window id.
desktop_wait_tray_icon() {  # program-name
  local i id
  for i in $(seq 200); do
    id=$(desktop_tray_icon "$1")
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}

# Centre of a window on the screen: prints "x y".
desktop_centre() {  # window-id
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print int(x + w / 2), int(y + h / 2)}'
}

# The colour of one screen pixel as rrggbb.
desktop_pixel() {  # x y
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr 'A-F' 'a-f'
}

# How many of the given processes still run.
running() {  # pid...
  local n=0 pid
  for pid; do kill -0 "$pid" 2>/dev/null && ((++n)); done
  echo $n
}

# Waits until a condition command succeeds, up to a number of tenths of a second.
desktop_wait() {  # tenths command...
  local tenths=$1 i
  shift
  for i in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
  return 1
}

# The top-level window of the given size in pixels ("151x256"), mapped or not.
window_of_size() {
  xwininfo -root -children | awk -v size="$1" 'index($0, size "+") { print $1; exit }'
}

is_viewable() {  # window-id
  [[ $(xwininfo -id "$1" 2>/dev/null) == *"Map State: IsViewable"* ]]
}

# Prints "x y" of a window's top-left corner on the screen.
window_origin() {  # window-id
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    END {print x, y}'
}

# Waits until the window stands at "left top", printing where it last stood: a window
# manager or wine may map it before its last move reaches the X server.
wait_for_origin() {  # window-id "left top"
  local i at
  for i in $(seq 40); do
    at=$(window_origin "$1")
    [ "$at" = "$2" ] && break
    sleep 0.05
  done
  echo "$at"
  [ "$at" = "$2" ]
}

# Waits for a shown window of that size; Qt may have made a new one for a hidden window.
wait_for_window() {  # size
  local i id
  for i in $(seq 100); do
    for id in $(xwininfo -root -children | awk -v size="$1" 'index($0, size "+") { print $1 }'); do
      is_viewable "$id" && { echo "$id"; return 0; }
    done
    sleep 0.05
  done
  return 1
}
