#!/usr/bin/env bash
# Tests of the Windows packages under Wine on a virtual screen with a window manager, driven with
# xdotool as a user drives them: the desktop program unpacked from the zip into a folder with a
# Japanese name (first start and the files written at exit, a root list read back, the keyboard
# to a window kind, a click on the basic window's minimise button, a resize, a maximised exit and
# the restart, the preview following bitmaps saved by another program and the tree a skin folder
# made), and the setup program installing silently into Program Files, the installed
# program keeping its settings in %APPDATA%\Morvish, and the uninstaller removing what it put there.
#
#   WINEPREFIX=... tests/windows-desktop/run-tests.sh DIST_DIR WORK_DIR
set -euo pipefail
# The X server, the window manager and Wine's services may outlive this script: none of them gets
# a descriptor but the standard three (a build lock held by the caller would stay held).
for fd in /proc/$$/fd/*; do
  fd=${fd##*/}
  if [ "$fd" -gt 2 ] && [ "$fd" -ne 255 ]; then eval "exec $fd>&-"; fi
done
dist=$(realpath "$1")
work=$(realpath -m "$2")
: "${WINEPREFIX:?the Wine prefix to run in}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
zip=$(ls "$dist"/morvish-*-win64.zip | head -n 1)
name=$(basename "$zip" .zip)
setup=$dist/$name-setup.exe
title='Morvish for Ragnarok Online'
started=$SECONDS

rm -rf "$work"
mkdir -p "$work"
home="$work/テスト フォルダ"
mkdir -p "$home"
unzip -q "$zip" -d "$home"
app=$home/$name

failures=0
pass() { echo "ok: $*"; }
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
check() {  # DESCRIPTION COMMAND...
  local description=$1
  shift
  if "$@"; then pass "$description"; else fail "$description"; fi
}
# Runs COMMAND until it succeeds, at most SECONDS long.
poll() {  # SECONDS COMMAND...
  local until=$((SECONDS + $1))
  shift
  while ! "$@"; do
    [ "$SECONDS" -ge "$until" ] && return 1
    sleep 0.2
  done
}

# ---- The virtual screen ----------------------------------------------------------------------
display=":$((100 + $$ % 100))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xserver=$!
export DISPLAY=$display
program=""
manager=""
cleanup() {
  set +e
  [ -n "$program" ] && kill "$program" 2>/dev/null
  [ -n "$manager" ] && kill "$manager" 2>/dev/null
  kill "$xserver" 2>/dev/null
  wait 2>/dev/null
  true
}
trap cleanup EXIT
poll 10 xdotool getdisplaygeometry >/dev/null 2>&1
openbox >/dev/null 2>&1 &
manager=$!
managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window; }
poll 10 managed

# ---- The program -----------------------------------------------------------------------------
window=""
find_window() {
  window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1)
  [ -n "$window" ]
}
start() {  # EXE
  local attempt
  for attempt in 1 2; do
    wine "$1" >/dev/null 2>&1 &
    program=$!
    if poll 30 find_window; then
      activate
      return 0
    fi
    # Wine on a busy machine has been seen to stall a start now and then; a second start tells
    # such a stall from a program that never shows its window.
    echo "the window of $1 did not appear within 30 s (start $attempt)"
    kill "$program" 2>/dev/null
    poll 20 ended || kill -9 "$program" 2>/dev/null
  done
  program=""
  fail "the window of $1 appears"
  return 1
}
# Makes the window the active one and waits until it has the keyboard.
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]; }
activate() {
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
  poll 10 focused || true
}
# Closes the window with the File menu's shortcut and waits for the program to end.
quit() {
  activate
  xdotool key ctrl+q
  if ! poll 20 ended; then
    fail "the program ends on Ctrl+Q"
    # Closed as the window manager closes it, so that the later tests find its files.
    wmctrl -i -c "$window" 2>/dev/null || true
    poll 20 ended || kill "$program"
  fi
  program=""
}
ended() { ! kill -0 "$program" 2>/dev/null; }
setting() {  # FILE KEY
  [ -f "$1" ] && tr -d '\r' <"$1" | sed -n "s/^$2=//p" | head -n 1
  true
}
# Width and height of the window on the screen.
geometry() {
  xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p'
}
# The bounding box "WxH+X+Y" of what the preview shows over its white, in window pixels, from a
# screenshot of the part of the window the preview covers.
shown_box() {
  local size width height
  size=($(geometry))
  width=$((size[0] - 150))
  height=$((size[1] - 80))
  import -window "$window" -crop "${width}x${height}+140+40" +repage "$work/shot.png" 2>/dev/null
  convert "$work/shot.png" -bordercolor white -border 1 -trim -format '%w %h %X %Y' info: \
    2>/dev/null | awk '{ printf "%dx%d+%d+%d\n", $1, $2, $3 + 139, $4 + 39 }'
}
box_is() {  # WxH
  [ "$(shown_box | cut -d+ -f1)" = "$1" ]
}
# Selects the basic information window of the skin "parchment" with the keyboard alone: the tree
# has the focus when the window opens; typing a label's start finds it.
select_basic_window() {
  xdotool key --delay 150 Home p Right Down Down
}

# 1. First start: the demo skins of the relative root list, and both files written at exit.
first=(0 0)
size=(0 0)
rm -f "$app/Quorel.ini"
if start "$app/morvish.exe"; then
  first=($(geometry))
  check "the first start shows the design width" test "${first[0]}" = 510
  select_basic_window
  check "the keyboard reaches the basic information window of a demo skin" poll 10 box_is 280x120
  quit
fi
# Wine adds a frame of its own around what the window manager shows: the outer size is larger.
first_width=$(setting "$app/Quorel.ini" WIDTH)
check "Quorel.ini is written beside morvish.exe at exit" test -f "$app/Quorel.ini"
check "the first start writes the normal state" test "$(setting "$app/Quorel.ini" STYLE)" = 0
check "the first start writes the design splitter" test "$(setting "$app/Quorel.ini" DIVPOS)" = 128
check "SkinDir.txt still names the demo skins relative to the program" \
  test "$(tr -d '\r' <"$app/SkinDir.txt")" = 'skins\'

# 2. A root list read back: a root with a Japanese name and a root that does not exist.
extra="$home/追加スキン"
mkdir -p "$extra"
cp -r "$app/skins/parchment" "$extra/羊皮紙"
extra_windows=$(winepath -w "$extra")
printf 'skins\\\r\n\r\n  %s  \r\nC:\\no such folder\\\r\n' "$extra_windows" >"$app/SkinDir.txt"
if start "$app/morvish.exe"; then
  # 3. The minimise button of the basic window: at (266, 3) in the window, 11 pixels square.
  select_basic_window
  if poll 10 box_is 280x120; then
    box=$(shown_box)
    x=$(echo "$box" | cut -d+ -f2)
    y=$(echo "$box" | cut -d+ -f3)
    xdotool mousemove --window "$window" $((x + 270)) $((y + 7)) click 1
    check "a click on the minimise button leaves the title bar" poll 10 box_is 280x34
    # The bar is centred anew: its button has moved.
    box=$(shown_box)
    x=$(echo "$box" | cut -d+ -f2)
    y=$(echo "$box" | cut -d+ -f3)
    xdotool mousemove --window "$window" $((x + 270)) $((y + 7)) click 1
    check "a second click restores the whole window" poll 10 box_is 280x120
  else
    fail "the basic information window shows"
  fi
  # 4. A resize: the preview follows, the window is drawn centred again.
  xdotool windowsize --sync "$window" 800 600 >/dev/null 2>&1 || true
  centred() {
    local box size x w
    box=$(shown_box)
    size=($(geometry))
    x=$(echo "$box" | cut -d+ -f2)
    w=$(echo "$box" | cut -dx -f1)
    # The preview's drawing area runs from 2 pixels right of the splitter (at 128 and 2 pixels
    # wide) to 6 pixels short of the right edge.
    local left=$((x - 132)) right=$((size[0] - 6 - x - w))
    [ "${size[0]}" -ge 790 ] && [ $((left - right)) -le 2 ] && [ $((right - left)) -le 2 ]
  }
  check "after a resize the preview shows the window centred" poll 10 centred
  size=($(geometry))
  quit
  check "the root list is read back and written with every root that exists" \
    test "$(tr -d '\r' <"$app/SkinDir.txt")" = "$(printf 'skins\\\n%s\\' "$extra_windows")"
  check "the width is written in twips" \
    test "$(setting "$app/Quorel.ini" WIDTH)" = $((first_width + (size[0] - first[0]) * 15))
fi

# 5. The install from the skin's context menu, opened with the keyboard, into a game folder named
# in the settings; the About box from the Help menu's mnemonics.
game="$home/ゲーム"
mkdir -p "$game"
GAME=$(winepath -w "$game") awk '/^RODir=/ { print "RODir=" ENVIRON["GAME"] "\r"; next } { print }' \
  "$app/Quorel.ini" >"$work/Quorel.ini" && mv "$work/Quorel.ini" "$app/Quorel.ini"
if start "$app/morvish.exe"; then
  xdotool key --delay 150 Home p shift+F10 i
  installed() {
    [ -f "$game/skin/parchment/ss.png" ] &&
      [ "$(ls "$game/skin/parchment/basic_interface" 2>/dev/null | wc -l)" = \
        "$(ls "$app/skins/parchment/basic_interface" | wc -l)" ]
  }
  check "the skin's context menu installs it into the game folder" poll 20 installed
  about() { xdotool search --onlyvisible --name '^バージョン情報$' >/dev/null 2>&1; }
  activate
  xdotool key --delay 150 alt+h a
  check "Help > About opens the About box" poll 10 about
  xdotool key Return
  check "the About box closes with Enter" poll 10 eval '! about'
  quit
fi

# 5b. The live preview: a bitmap saved by another program shows with no input, as paint programs
# save it (written under a temporary name, then renamed over the old file) and written in place;
# a skin folder made under a root shows in the tree without a rescan.
# The colour "RRGGBB" at (X, Y) of the window.
pixel_at() {  # X Y
  import -window "$window" -crop "1x1+$1+$2" +repage -depth 8 -format '%[hex:p{0,0}]' info: \
    2>/dev/null
}
# The tree's part of the window, as a picture to compare.
tree_shot() {  # FILE
  local size=($(geometry))
  import -window "$window" -crop "120x$((size[1] - 120))+4+40" +repage "$1" 2>/dev/null
}
same_pictures() {  # FILE FILE
  [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# Waits until the pixel at (X, Y) is COLOUR, at most 5 s, and prints how long it took in ms.
time_to_colour() {  # SINCE_MS X Y COLOUR
  local until=$((SECONDS + 5))
  until [ "$(pixel_at "$2" "$3")" = "$4" ]; do
    [ "$SECONDS" -ge "$until" ] && return 1
  done
  echo $(($(now_ms) - $1))
}
# Whether every time came (one that never came is "none").
all_shown() {  # TIME...
  [[ " $* " != *" none "* ]]
}
# Whether the median of the times is below LIMIT.
median_below() {  # LIMIT TIME...
  local limit=$1
  shift
  local sorted=($(printf '%s\n' "$@" | sed 's/^none$/999999/' | sort -n))
  [ "${sorted[$((${#sorted[@]} / 2))]}" -lt "$limit" ]
}
pieces="$app/skins/parchment/basic_interface"
cp "$pieces/sys_mini_off.bmp" "$work/sys_mini_off.bmp"
convert -size 11x11 xc:'#00ff00' -type TrueColor "BMP3:$work/green.bmp"
convert -size 11x11 xc:'#0000fe' -type TrueColor "BMP3:$work/blue.bmp"
if start "$app/morvish.exe"; then
  # The pointer away from the preview, where it would light up a button.
  xdotool mousemove --window "$window" 5 5
  select_basic_window
  if poll 10 box_is 280x120; then
    box=$(shown_box)
    # Inside the minimise button, at (266, 3) in the window and 11 pixels square.
    mini_x=$(($(echo "$box" | cut -d+ -f2) + 270))
    mini_y=$(($(echo "$box" | cut -d+ -f3) + 7))
    # Each way of saving is timed three times, alternating two colours, and the median is held
    # to the limit, so that one stall of a busy machine does not decide the check.
    renamed=() in_place=()
    for colour in 00FF00 0000FE 00FF00; do
      [ "$colour" = 00FF00 ] && picture="$work/green.bmp" || picture="$work/blue.bmp"
      # Saves a few seconds apart, as an artist's are. The skin's mark is checked again after
      # each redraw, on a thread of its own (under Wine for two seconds or more); a save that
      # comes while it runs stops it.
      sleep 3
      cp "$picture" "$pieces/saving.tmp"
      since=$(now_ms)
      mv -f "$pieces/saving.tmp" "$pieces/sys_mini_off.bmp"
      renamed+=("$(time_to_colour "$since" "$mini_x" "$mini_y" "$colour" || echo none)")
    done
    for colour in 0000FE 00FF00 0000FE; do
      [ "$colour" = 00FF00 ] && picture="$work/green.bmp" || picture="$work/blue.bmp"
      sleep 3
      since=$(now_ms)
      cp "$picture" "$pieces/sys_mini_off.bmp"
      in_place+=("$(time_to_colour "$since" "$mini_x" "$mini_y" "$colour" || echo none)")
    done
    echo "a bitmap renamed over the old one showed after ${renamed[*]} ms"
    check "a bitmap saved by renaming over the old one shows each time" all_shown "${renamed[@]}"
    check "a bitmap saved by renaming over the old one shows within 0.5 s (median of 3)" \
      median_below 500 "${renamed[@]}"
    echo "a bitmap written in place showed after ${in_place[*]} ms"
    check "a bitmap written in place shows each time" all_shown "${in_place[@]}"
    check "a bitmap written in place shows within 0.5 s (median of 3)" \
      median_below 500 "${in_place[@]}"
  else
    fail "the basic information window shows"
  fi
  # A new skin, made beside the root and moved into it whole, with a green minimise button.
  tree_shot "$work/tree-before.png"
  rm -rf "$work/zzlive"
  cp -r "$app/skins/parchment" "$work/zzlive"
  cp "$work/green.bmp" "$work/zzlive/basic_interface/sys_mini_off.bmp"
  mv "$work/zzlive" "$app/skins/zzlive"
  tree_changed() {
    tree_shot "$work/tree-after.png"
    ! same_pictures "$work/tree-before.png" "$work/tree-after.png"
  }
  since=$(now_ms)
  if poll 5 tree_changed; then
    pass "a skin folder made under a root shows in the tree"
    echo "the tree showed the new skin after $(($(now_ms) - since)) ms"
  else
    fail "a skin folder made under a root shows in the tree"
  fi
  # It is the new skin: typed to, its basic window has the green button.
  activate
  xdotool key --delay 150 Home z Right Down Down
  green() { box_is 280x120 && [ "$(pixel_at "$mini_x" "$mini_y")" = 00FF00 ]; }
  check "the new skin in the tree is the folder made" poll 10 green
  quit
fi
rm -rf "$app/skins/zzlive"
cp "$work/sys_mini_off.bmp" "$pieces/sys_mini_off.bmp"

# 5c. The tools for skin artists: the skin check in a window of its own, and the zoom from its
# key, kept in the settings.
if start "$app/morvish.exe"; then
  select_basic_window
  poll 10 box_is 280x120 || true
  report() { xdotool search --onlyvisible --name '^スキンのチェック' >/dev/null 2>&1; }
  xdotool key F7
  check "F7 opens the skin check in a window of its own" poll 10 report
  activate
  xdotool key ctrl+equal
  quit
  check "Ctrl+plus zooms in and the zoom is saved" test "$(setting "$app/Quorel.ini" Zoom)" = 2
fi

# 6. The splitter dragged and the language switched.
if start "$app/morvish.exe"; then
  # The splitter's left edge is at 128 in the client area, which starts under the menu bar.
  xdotool mousemove --window "$window" 129 200 mousedown 1
  xdotool mousemove --window "$window" 180 200 mousemove --window "$window" 229 200 mouseup 1
  xdotool key --delay 150 alt+l e
  quit
  check "the splitter follows a drag" test "$(setting "$app/Quorel.ini" DIVPOS)" -ge 220
  check "the language chosen in the menu is saved" test "$(setting "$app/Quorel.ini" Language)" = en
fi

# 7. A maximised exit and the restart.
if start "$app/morvish.exe"; then
  wmctrl -i -r "$window" -b add,maximized_vert,maximized_horz
  wide() { local size=($(geometry)); [ "${size[0]}" -ge 1200 ]; }
  check "the window maximises" poll 10 wide
  quit
  check "a maximised exit writes STYLE 2" test "$(setting "$app/Quorel.ini" STYLE)" = 2
  check "a maximised exit keeps the restored width" \
    test "$(setting "$app/Quorel.ini" WIDTH)" = $((first_width + (size[0] - first[0]) * 15))
  if start "$app/morvish.exe"; then
    check "the restart shows the window maximised" poll 10 wide
    quit
  fi
fi

# 8. The setup program, silently into Program Files, and the uninstaller.
programs="$WINEPREFIX/drive_c/Program Files/Morvish"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Morvish.lnk"
roaming=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming | grep -v /Public/ | head -n 1)
rm -rf "$roaming/Morvish"
wine "$setup" /S
check "the setup program installs morvish.exe" test -f "$programs/morvish.exe"
check "the setup program installs the demo skins" test -f "$programs/skins/parchment/ss.png"
check "the setup program installs an uninstaller" test -f "$programs/uninstall.exe"
check "the setup program makes a Start menu entry" test -f "$menu"
if start "$programs/morvish.exe"; then
  select_basic_window
  check "the installed program shows its demo skins" poll 10 box_is 280x120
  quit
fi
check "the installed program keeps its settings in %APPDATA%\\Morvish" \
  test -f "$roaming/Morvish/Quorel.ini" -a -f "$roaming/Morvish/SkinDir.txt"
check "the installed program writes nothing into Program Files" test ! -e "$programs/Quorel.ini"
wine "$programs/uninstall.exe" /S
gone() { [ ! -e "$programs" ]; }
check "the uninstaller removes the program folder" poll 30 gone
check "the uninstaller removes the Start menu entry" test ! -e "$menu"
rm -rf "$roaming/Morvish"

echo "Windows desktop tests: $failures failed, $((SECONDS - started)) s"
[ "$failures" -eq 0 ]
