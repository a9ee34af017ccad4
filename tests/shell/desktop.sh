#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# The editor under a real window manager (openbox) on an X server of its own:
# a close request to the splash is ignored, the main window still comes, and
# Yes to the exit question ends the process. Run it as
#   xvfb-run -a -s "-screen 0 1280x1024x24" tests/shell/desktop.sh EDITOR CLOSE_REQUEST
# where CLOSE_REQUEST is the test helper that sends a window WM_DELETE_WINDOW.
set -u
editor=$1
close_request=$2
step=""
fail() { echo "desktop.sh: falló en «$step»: $*" >&2; kill "$pid" 2>/dev/null; kill "$wm" 2>/dev/null; exit 1; }
title='^Vandrel EXP Editor v1\.0$'

# The editor's own windows by size: the splash is 484 wide, the main window 759.
window_of_width() {
  for id in $(xdotool search --onlyvisible --name "$title" 2>/dev/null); do
    xdotool getwindowgeometry "$id" 2>/dev/null | grep -q "Geometry: $1x" && { echo "$id"; return 0; }
  done
  return 1
}
wait_for() { # seconds, command...
  limit=$1; shift
  i=0
  while [ "$i" -lt $((limit * 10)) ]; do "$@" && return 0; sleep 0.1; i=$((i + 1)); done
  return 1
}

openbox >/dev/null 2>&1 &
wm=$!
sleep 1
export QT_QPA_PLATFORM=xcb
"$editor" >/dev/null 2>&1 &
pid=$!

step="la ventana de presentación aparece"
wait_for 10 window_of_width 484 >/dev/null || fail "no apareció"
splash=$(window_of_width 484)

step="una petición de cierre a la presentación"
# As a taskbar's "Close" does it, and through the window manager (Alt+F4).
"$close_request" "$splash" || fail "no se pudo enviar la petición"
wmctrl -i -c "$(printf '0x%08x' "$splash")"
xdotool windowactivate --sync "$splash" key alt+F4 2>/dev/null
sleep 1
kill -0 "$pid" 2>/dev/null || fail "el programa terminó"
window_of_width 484 >/dev/null || fail "la presentación se cerró antes de tiempo"

step="la ventana principal llega tras la presentación"
wait_for 10 window_of_width 759 >/dev/null || fail "la ventana principal no apareció"
main=$(window_of_width 759)
window_of_width 484 >/dev/null && fail "la presentación sigue abierta"

step="Sí a la pregunta de salida termina el programa"
xdotool windowactivate --sync "$main" key alt+F4 || fail "no se pudo pedir el cierre"
wait_for 5 sh -c "xdotool search --onlyvisible --name '$title' | wc -l | grep -qx 2" ||
  fail "no apareció la pregunta"
xdotool key Return
wait_for 5 sh -c "! kill -0 $pid 2>/dev/null" || fail "el proceso sigue vivo"
kill "$wm" 2>/dev/null
echo "desktop.sh: presentación, ventana principal y salida bajo openbox: bien"
