# Sourced by the desktop tests: a desktop of the test's own (an Xvfb X server
# and a window manager, openbox unless the caller names icewm), the xwindow
# helper, waits that poll a condition instead of sleeping a fixed time (a
# loaded machine is slow), and `fail`, which shows the desktop as it was and
# says what a wait that ran out waited for.
#
# The caller sets `here` (this folder), and `windowManager` to have another
# than openbox. Exits 77 (skipped) without Xvfb, the window manager or the
# XTest library.

# Debian's Python (scripts/deps installs it) where there is one: a version
# manager's shim first in PATH starts shells and programs before it, which
# on a loaded machine costs a second a look.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
xwindow() { "$python" "$here/xwindow.py" "$@"; }
# A window of the helper's own (panel, other) that stays until the test ends.
keepWindow() {  # kind arguments...
  "$python" "$here/xwindow.py" "$@" >"$work/$1.out" 2>&1 &
  pids+=($!)
  within 20 grep -q ready "$work/$1.out" || fail "no $1 window"
}

work=$(mktemp -d /tmp/kest-desktop-XXXXXX)
pids=()
cleanup() {
  local p
  # A client a test holds (stopped) takes its end only once it goes on.
  [ -n "${heldPid:-}" ] && kill -CONT "$heldPid" 2>/dev/null
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# A failure shows the desktop as it was: the whole screen (a PNG under
# screens/), the focus and the windows, what the client did with each close
# request, then the logs' ends.
failName=$(basename "$0")${2:+_$2}
rm -f "$PWD/screens/${failName}_failure.png"  # an earlier run's
fail() {
  local f ranOut=""
  [ -f "$work/ran-out" ] && ranOut="; $(cat "$work/ran-out")"
  echo "FAIL: $*$ranOut" >&2
  if [ -n "${desktopUp:-}" ]; then
    mkdir -p "$PWD/screens"
    f="$PWD/screens/${failName}_failure.png"
    if xwindow screen "$f" 2>/dev/null; then echo "--- the screen: $f" >&2; else echo "--- no picture of the screen" >&2; fi
    echo "--- the windows" >&2
    xwindow windows >&2 2>/dev/null || echo "(the X server does not answer)" >&2
  fi
  for f in "$work"/demo-*.log; do
    [ -f "$f" ] || continue
    echo "--- the client's scene ($(basename "$f")): $(lastScene "$f")" >&2
    echo "--- the client's window ($(basename "$f")): $(lastDrawn "$f")" >&2
    echo "--- the client's close requests ($(basename "$f"))" >&2
    grep -E "(close|quit) request" "$f" >&2 || echo "(none)" >&2
  done
  for f in "$work"/*.log; do
    [ -f "$f" ] && { echo "--- $f" >&2; tail -n 40 "$f" >&2; }
  done
  exit 1
}

# within SECONDS COMMAND...: runs the command every tenth of a second until
# it succeeds (true) or the time is up (false), at least once. The bound is
# time, not a count of tries: on a loaded machine one try (a look through
# xwindow) takes seconds. A wait that runs out leaves what it waited for,
# and how long, for `fail` to say; waits inside it say theirs until then.
# (Its locals have names of their own: the command sees them.)
within() {
  local withinSeconds=$1 withinFrom
  shift
  withinFrom=$(microseconds)
  rm -f "$work/ran-out"
  while :; do
    if "$@"; then
      rm -f "$work/ran-out"
      return 0
    fi
    if (($(microseconds) - withinFrom >= withinSeconds * 1000000)); then
      echo "waited $withinSeconds s for: $*" >"$work/ran-out"
      return 1
    fi
    sleep 0.1
  done
}
microseconds() { echo "${EPOCHREALTIME//[!0-9]/}"; }

# An X server on a display of its own (Xvfb names the free one it took) and
# a window manager that manages it. Servers start one at a time (the window
# tests take the same lock): two choosing at once can take one display. The
# server does not reset when its last client goes: a client connecting
# during a reset is refused. With `panel H`, a dock keeps the bottom H pixels
# of the screen, as a task bar does.
startDesktop() {  # [WxH] [panel H]
  local screen=1920x1080
  if [[ "${1:-}" == *x* ]]; then
    screen=$1
    shift
  fi
  command -v Xvfb >/dev/null || { echo "Xvfb is not installed (xvfb in scripts/deps): skipped"; exit 77; }
  local wm=${windowManager:-openbox}
  command -v "$wm" >/dev/null || { echo "$wm is not installed (scripts/deps): skipped"; exit 77; }
  exec 3<> <(:)
  local lock=/tmp/kest-xvfb.lock
  [ -e "$lock" ] || : >>"$lock"
  exec 4<"$lock"
  flock 4
  Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 4>&- >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  local number
  read -r -t 60 number <&3 || fail "Xvfb did not start"
  exec 3<&- 4>&-
  export DISPLAY=":$number"
  desktopUp=1
  export KEST_USER_DIR="$work/user" XDG_RUNTIME_DIR="$work/run"
  mkdir -p "$KEST_USER_DIR" "$XDG_RUNTIME_DIR" "$work/home"
  unset KEST_HEADLESS
  xwindow pointer 0 0 2>/dev/null || { echo "no XTest library (libxtst6 in scripts/deps): skipped"; exit 77; }
  case $wm in
    openbox) HOME="$work/home" openbox --sm-disable >"$work/openbox.log" 2>&1 & ;;
    icewm) HOME="$work/home" icewm >"$work/icewm.log" 2>&1 & ;;
    *) fail "no such window manager: $wm" ;;
  esac
  managerPid=$!
  pids+=($!)
  within 30 xwindow workarea >/dev/null 2>&1 || fail "$wm did not start"
  # The server's first key from XTest tells every client that the keyboard
  # changed, and the manager then takes its keys (Alt+F4) again, one at a
  # time: a key pressed meanwhile goes to the window as a plain key. That
  # first key is made now, harmlessly; `managerHolds` tells when the keys
  # are back.
  xwindow key shift || fail "no key from XTest"
  if [ "${1:-}" = panel ]; then
    keepWindow panel "$2"
    # The manager takes the panel's strip out of its usable area once it
    # has read the panel's strut.
    panelKept() {
      local top height
      read -r _ top _ height < <(xwindow workarea)
      ((top + height <= ${screen#*x} - $2))
    }
    within 20 panelKept "$@" || fail "$wm did not keep the panel's $2 pixels out of its usable area: $(xwindow workarea)"
  fi
}
managerHolds() { xwindow held "$1"; }

iconic() { [[ "$(xwindow state Kestrelium)" == *iconic* ]]; }
# Where the window stands and its state, or that it is minimised: an iconic
# window has no place on the screen and no picture of its own.
windowIs() {
  if iconic; then
    echo "minimised (iconic): $(xwindow state Kestrelium)"
  else
    echo "at $(xwindow geometry Kestrelium), $(xwindow state Kestrelium)"
  fi
}
focusedOn() { [ "$(xwindow focused)" = "$1" ]; }
# The manager's keys act on the window it has as active, which it notes
# once it has the focus there.
activeOn() { focusedOn "$1" && [ "$(xwindow active)" = "$1" ]; }

sizeIs() { [ "$(xwindow size Kestrelium 2>/dev/null)" = "$1 $2" ]; }
sized() {  # width height [seconds]: waits (20 s) for the window to have that size
  within "${3:-20}" sizeIs "$1" "$2"
}
placedAt() { [ "$(xwindow geometry Kestrelium 2>/dev/null)" = "$1" ]; }
# Maximised (the caller read the usable area into usableX ... usableH): the
# window fills the usable area and the manager has the state.
maximised() {
  placedAt "$usableX $usableY $usableW $usableH" && [[ "$(xwindow state Kestrelium)" == *MAXIMIZED_VERT*MAXIMIZED_HORZ* ]]
}
# The view's scale in a window of w x h pixels, times a design length.
scaled() {  # length width height
  awk -v n="$1" -v w="$2" -v h="$3" 'BEGIN { sx = w / 1288; sy = h / 762; printf "%d\n", n * (sx < sy ? sx : sy) }'
}
# The caption of the maximised window pressed at (x, y) of the screen and
# dragged by 160 x 120 pixels, the button kept down; `px`, `py` say where
# the pointer ends.
dragCaptionFrom() {  # x y
  xwindow down Kestrelium $(($1 - usableX)) $(($2 - usableY))
  local step
  for step in 1 2 3 4 5 6 7 8; do xwindow pointer $(($1 + 20 * step)) $(($2 + 15 * step)); done
  px=$(($1 + 160))
  py=$(($2 + 120))
}
# Out of its state at w x h, its caption (the room's header) under the
# pointer at (px, py).
underPointer() {
  local rx ry rw rh
  read -r rx ry rw rh < <(xwindow geometry Kestrelium)
  [ "$rw $rh" = "$w $h" ] && [[ "$(xwindow state Kestrelium)" != *MAXIMIZED* ]] &&
    ((px >= rx && px < rx + rw && py >= ry && py < ry + $(scaled 121 "$rw" "$rh")))
}
# A move or a size the manager began after the release follows the pointer
# and holds it: the window must stay where it was left with the pointer
# free, for a second on end (the manager may hold the pointer a moment while
# it takes a press: that is no move).
settledAt() { placedAt "$1" && xwindow free; }  # "x y width height"
staysAt() { settledAt "$1" && sleep 1 && settledAt "$1"; }
pointerState() {
  if xwindow free; then echo free; else echo "held by another program (a move or size going on with the button up)"; fi
}
placed() {  # "x y width height" [seconds]: waits (20 s) for the window to stand there
  within "${2:-20}" placedAt "$1"
}
# A click that comes before the scene or the board is laid out on a loaded
# machine misses what it aims at: it is made again, for a minute at most.
clickUntil() {  # x y check...: clicks at x, y until the check (which waits) holds
  within 60 clickAndCheck "$@"
}
clickAndCheck() { xwindow click Kestrelium "$1" "$2" && "${@:3}"; }
# What roomsim logged since the mark (`markLog`; all of it until then): a
# message seen before a second sit-down or stand-up is not that one's.
logMark=0
markLog() { logMark=$(wc -l <"$roomlog"); }
inLog() { awk -v from="$logMark" -v text="$1" 'NR > from && index($0, text) { found = 1; exit } END { exit !found }' "$roomlog"; }
seen() {  # text, seconds: waits until roomsim's log has the text since the mark
  within "$2" inLog "$1"
}

# The client says on standard error when a scene comes in (and by which
# transition) and when it is on, its first frame out. Until then the window
# shows part of the old scene, or the new one out of place, and may keep
# still a while (a wipe that has not reached a place yet): a look taken for
# later is taken once the scene is on.
lastWord() {  # about (scene, window), client log: the last it said of that
  local said
  said=$(grep "^kestrelium: $1 " "$2" | tail -n 1)
  echo "${said:-none told yet}" | sed 's/^kestrelium: //'
}
lastScene() { lastWord scene "$1"; }  # client log
sceneOn() {  # scene: the client's last word on its scenes is that this one is on
  [ "$(lastScene "$clientLog")" = "scene $1 is on" ]
}
# The client also says when the first frame after a change of the window's
# size or maximised state is out (`window 1288x762 is drawn`, `window
# 1920x1040 maximised is drawn`). Until then the window shows the last
# size's frame, or nothing where it grew, which keeps still too: a look
# taken for later after such a change waits for that word, said since the
# change was asked for (`markDrawn`).
lastDrawn() { lastWord window "$1"; }  # client log
drawnWords() { grep -c "^kestrelium: window " "$clientLog" || true; }
markDrawn() { drawnMark=$(drawnWords); }
drawnAs() {  # "1288x762" or "1920x1040 maximised": said since the mark, and the last word
  [ "$(drawnWords)" -gt "$drawnMark" ] && [ "$(lastDrawn "$clientLog")" = "window $1 is drawn" ]
}
# Waits (30 s) for the client's word since the mark; fails with what it said.
waitDrawn() {  # "1288x762" or "1920x1040 maximised", what changed
  within 30 drawnAs "$1" || fail "$2: the client did not say its window was drawn at $1; its last word: $(lastDrawn "$clientLog")"
}
# The client says each close request it gets, and what it did with it.
closeRequests() { grep -c "close request" "$clientLog" || true; }
# Whether the client's event loop still runs: it answers the manager's ping.
answering() {
  if xwindow ping Kestrelium 5 2>/dev/null; then
    echo "the client answers the manager's ping"
  else
    echo "the client's window is gone or does not answer the manager's ping (it hangs)"
  fi
}

# Starts the demo (scripts/demo) with a renderer; sets `demo` (its process),
# `clientLog` (what it says) and `roomlog` (roomsim's log), and waits until
# the room has logged on and come in.
startDemo() {  # renderer
  clientLog="$work/demo-$1.log"
  KEST_RENDERER=$1 "$source/scripts/demo" --build "$build" >"$clientLog" 2>&1 &
  demo=$!
  pids+=($demo)
  xwindow wait Kestrelium 120 || fail "$1: no window"
  roomlog=$(sed -n 's/.*roomsim logs to \(.*\)$/\1/p' "$clientLog")
  [ -n "$roomlog" ] || fail "$1: the demo did not name roomsim's log"
  seen "-> 1/102" 60 || fail "$1: the room log-on did not finish"
  within 60 sceneOn RoomScene || fail "$1: the room did not come on; the client's last scene: $(lastScene "$clientLog")"
}

demoGone() { ! kill -0 "$demo" 2>/dev/null; }
# Waits (two minutes at the most: a sanitized client on a loaded machine
# takes its time to end) for the demo to end; fails unless it ended with
# status 0 and no sanitizer report.
demoEnds() {  # renderer
  local end=$((SECONDS + 120))
  until demoGone; do
    [ "$SECONDS" -lt "$end" ] || fail "$1: the demo still runs two minutes after its window was closed; $(answering)"
    sleep 0.1
  done
  local status=0
  wait "$demo" || status=$?
  [ "$status" -eq 0 ] || fail "$1: the demo ended with status $status"
  if grep -q "Sanitizer" "$work/demo-$1.log"; then fail "$1: a sanitizer report"; fi
  return 0
}

# Where the board's caption button `offset` points left of the right edge
# (close 46, maximise and restore 76, minimise 106) is in a window of w x h
# pixels: the view scales the design by the smaller ratio and the other side
# shows more.
captionButtonX() {  # offset width height
  awk -v o="$1" -v w="$2" -v h="$3" 'BEGIN {
    sx = w / 1288; sy = h / 762; s = sx < sy ? sx : sy
    vw = 1288; if (sy < sx) { vw = w / s; if (vw > int(vw)) vw = int(vw) + 1 }
    printf "%d\n", (vw - o + 15) * s }'
}

# A rectangle of the window that shows the same a tenth of a second apart:
# prints the digest of what it shows.
keptStill() {  # x y width height
  local before now
  before=$(xwindow digest Kestrelium "$@")
  sleep 0.1
  now=$(xwindow digest Kestrelium "$@")
  [ "$now" = "$before" ] && echo "$now"
}
# Table 3's lower chair in the demo's room, where the tests sit down: how it
# looks once the room is on (startDemo waits for that) and it keeps still.
# It looks so again once the client has taken the server's stand-up.
chairLook() { xwindow digest Kestrelium 504 294 20 20; }
stillChair() { keptStill 504 294 20 20; }
chairFree() { [ "$(chairLook)" = "$freeChair" ]; }
# Seated at table 3's lower chair, once the table shows: where its ready
# button comes, the window keeps still and no longer shows the room. Sets
# `freeChair` (the chair as the room shows it free, the window at its size
# now) and `satAt` (when the server had the sit-down: the table's ready
# clock gives 45 s from then).
sitDown() {  # what to say first on a failure
  local roomThere
  freeChair=$(within 10 stillChair) || fail "$1table 3's lower chair does not keep still before the sit-down"
  roomThere=$(within 10 keptStill 461 476 100 40) || fail "$1the room does not keep still before the sit-down"
  markLog
  clickUntil 514 304 seen "<- 100/1" 6 || fail "$1no sit-down after a click on a free chair"
  satAt=$SECONDS
  seen "-> 100/101" 20 || fail "$1roomsim sent no scene"
  tableShown() {
    local now
    now=$(keptStill 461 476 100 40) && [ "$now" != "$roomThere" ]
  }
  within 30 tableShown || fail "$1the table does not show, or does not keep still"
}
# How long the table had waited for the player's ready when the ready
# click was made (`readyClicked` marks it), for a failure.
readyClicked() { readyAt=$SECONDS; }
readyClock() { echo "the ready click came $((readyAt - satAt)) s after the sit-down; the ready clock gives 45 s"; }

# Mid-hand the manager's close asks the table's question and the window
# stays; OK leaves the table (stand up, forced). The room shows as soon as
# OK is pressed, but until the client has the server's answer the hand is
# still the player's and a close asks again: the answer frees the chair
# (as it looked in $freeChair).
leaveTheHand() {
  markLog
  xwindow manager Kestrelium close
  asked() { ! demoGone && xwindow click Kestrelium 560 465 && seen "<- 3/4 5 bytes: 02 00 00 00 01" 1; }
  within 30 asked || fail "closing mid-hand did not ask, or OK did not leave the table"
  demoGone && fail "the client ended on a close mid-hand"
  # Up once the server says so (until then the hand is still mine).
  seen "-> 3/102 25 bytes: e9 03 00 00 ff ff ff ff" 10 || fail "the server did not stand the player up"
  within 30 chairFree || fail "the client did not take the server's stand-up: table 3's lower chair does not show free"
}
