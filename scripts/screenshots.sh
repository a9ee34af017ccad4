#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Takes the screenshots in docs/ of the real windows under Xvfb:
# the splash, the main window with a table, the generation dialog and the
# About window. Needs a build in build/ (make build).
set -eu
cd "$(dirname "$0")/.."
editor=./build/vandrel-exp-editor
[ -x "$editor" ] || { echo "Falta $editor: ejecute make build" >&2; exit 1; }

work=$(mktemp -d)
trap 'kill $editor_pid $xvfb_pid 2>/dev/null || true; rm -rf "$work"' EXIT
./build/vandrel-exp generar --MultExp 12 -o "$work/Exp.txt"

display=:$(( 90 + $$ % 9 ))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
sleep 1
"$editor" >/dev/null 2>&1 &
editor_pid=$!

window_shot() { # window id, output
    sleep 0.8
    import -window "$1" "$2"
}

sleep 1
splash=$(xdotool search --sync --onlyvisible --classname vandrel-exp-editor | head -n 1)
window_shot "$splash" docs/presentacion.png
sleep 5
main=$(xdotool search --sync --onlyvisible --name '^Vandrel EXP Editor v[0-9.]*$' | head -n 1)
xdotool windowfocus --sync "$main"

xdotool key ctrl+o
dialog=$(xdotool search --sync --onlyvisible --name '^Abrir Archivo$' | head -n 1)
xdotool windowfocus --sync "$dialog"
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 5 "$work/Exp.txt"
xdotool key Return
sleep 0.5
xdotool windowfocus --sync "$main"
xdotool key Down Down Right
window_shot "$main" docs/principal.png

xdotool key ctrl+g
generar=$(xdotool search --sync --onlyvisible --name '^Generar Tabla de Experiencia$' | head -n 1)
window_shot "$generar" docs/generar.png
xdotool windowfocus --sync "$generar"
xdotool key Escape

xdotool windowfocus --sync "$main"
xdotool key ctrl+c
about=$(xdotool search --sync --onlyvisible --name '^Acerca de Vandrel EXP Editor v[0-9.]*$' | head -n 1)
window_shot "$about" docs/acerca.png
echo "docs/presentacion.png docs/principal.png docs/generar.png docs/acerca.png"
