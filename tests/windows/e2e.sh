#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# The Windows editor under Wine, driven by real keys on a private X server:
# splash, main window, generate with the defaults, save as Exp.txt (the same
# bytes as the Linux companion tool's `generar`), open a file holding every
# reader case and save it again (the same bytes as `normalizar`), then the
# About window's three paths, and the exit question answered Sí. Then the
# tool's pictures: PNG and PDF with every curve drawn in its colour, SVG
# refused; exportar and importar as on Linux; its texts in a console.
# Args: BUILD_WINDOWS_DIR LINUX_TOOL SOURCE_DIR
set -eu
build=$(cd "$1" && pwd)
tool=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
source_dir=$(cd "$3" && pwd)
work=$(mktemp -d)
# A Wine prefix and an X display of this run's own: another Wine session or
# X server beside it cannot collide with it. The server picks a free display
# and writes its number to descriptor 3.
export WINEPREFIX="$work/wine"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL step: starting Xvfb (no display number)"; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
failed=0
ok() { printf "ok   %s\n" "$*"; }
bad() { printf "FAIL %s\n" "$*"; failed=1; }
window() { # waits up to 30 s for a visible window with this name
  for _ in $(seq 150); do
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$found" ] && { echo "$found"; return 0; }
    sleep 0.2
  done
  echo "FAIL no window '$1'" >&2
  return 1
}
message_box() { # waits up to 20 s for a window captioned with the title, other than the main one
  for _ in $(seq 100); do
    found=$(xdotool search --onlyvisible --name '^Vandrel EXP Editor v[0-9.]*$' | grep -v "^$main\$" | head -1)
    [ -n "$found" ] && { echo "$found"; return 0; }
    sleep 0.2
  done
}
gone() { # waits until no visible window has this name
  for _ in $(seq 50); do xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0; sleep 0.2; done
  return 1
}
keys() { xdotool windowfocus --sync "$1"; shift; sleep 0.3; xdotool key --delay 80 "$@"; }
# With no window manager, a click makes Wine activate the main window again
# (on the status bar's date panel, which does nothing else).
main_keys() { xdotool mousemove --window "$main" 60 372 click 1; sleep 0.3; keys "$main" "$@"; }
# Wine's file dialogs open in the program's folder with "Exp.txt" proposed.
file_name() { # dialog title, name typed in place of "Exp.txt"
  dialog=$(window "$1")
  keys "$dialog" End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
  xdotool type --delay 60 "$2"
  xdotool key Return
  gone "$1" || bad "'$1' still open"
}

cp "$build/vandrel-exp-editor.exe" "$work/"
# Stand-ins, beside the editor, for the programs it starts.
# The tool's registered path holds spaces, and a program planted where an
# unquoted command line would be cut (Archivos.exe) must never start.
mkdir -p "$work/Archivos de programa"
cp "$build/tests/record_start.exe" "$work/Archivos de programa/msinfo prueba.exe"
cp "$build/tests/record_start.exe" "$work/Archivos.exe"
cp "$build/tests/record_start.exe" "$work/explorer.exe"
sleep 1
"$wine" wineboot -i >/dev/null 2>&1 || true
sysinfo_key='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
"$wine" reg delete "$sysinfo_key" /f >/dev/null 2>&1 || true
"$wine" reg delete 'HKLM\SOFTWARE\Microsoft\Shared Tools Location' /f >/dev/null 2>&1 || true

cd "$work"
"$wine" ./vandrel-exp-editor.exe >"$work/editor.log" 2>&1 &
editor=$!

# The splash first (the title, no menu), then the main window in its place.
splash=$(window '^Vandrel EXP Editor v[0-9.]*$')
sleep 1
[ "$(xdotool getwindowgeometry "$splash" | sed -n 's/.*Geometry: //p')" != "759x382" ] && ok "splash shown" \
  || bad "splash"
for _ in $(seq 60); do
  main=$(xdotool search --onlyvisible --name '^Vandrel EXP Editor v[0-9.]*$' | head -1)
  [ -n "$main" ] && [ "$(xdotool getwindowgeometry "$main" 2>/dev/null | sed -n 's/.*Geometry: //p')" = "759x382" ] && break
  sleep 0.2
done
[ "$(xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: //p')" = "759x382" ] && ok "main window, 759x382 with its menu" \
  || bad "main window"

# Generate with the defaults, save as Exp.txt in the program's folder.
main_keys ctrl+g
keys "$(window 'Generar Tabla de Experiencia')" Return
gone 'Generar Tabla de Experiencia' || bad "generation dialog still open"
main_keys ctrl+u
file_name 'Guardar Archivo' 'Exp.txt'
sleep 1
"$tool" generar -o "$work/linux.txt"
cmp -s "$work/Exp.txt" "$work/linux.txt" && ok "Exp.txt saved on Windows = generar on Linux ($(wc -c <"$work/Exp.txt") bytes)" \
  || bad "Exp.txt differs from generar"

# Every reader case in one file: CR LF, LF and CR ends, lines without a comma,
# empty and blank fields, a trailing comma, a line past fourteen fields, no final end.
printf '//comentario\r\n1,2,3\r\n4,5\n6,7\r8,9\r\n\r\nsolo\r\n 10 ,,x,\r\n1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16\r\n99,98' \
  >"$work/casos.txt"
main_keys ctrl+o
file_name 'Abrir Archivo' 'casos.txt'
sleep 1
[ -n "${VEXP_SCREENSHOT:-}" ] && import -window "$main" "$VEXP_SCREENSHOT"
main_keys ctrl+u
file_name 'Guardar Archivo' 'Normalizado.txt'
sleep 1
"$tool" normalizar "$work/casos.txt" "$work/linux-normalizado.txt"
cmp -s "$work/Normalizado.txt" "$work/linux-normalizado.txt" && ok "every reader case read and saved as on Linux" \
  || bad "reader cases differ from normalizar"

# Exp.txt opened, then rewritten by another program, then saved typed as
# exp.txt: the same file by volume and file index, so the program asks its
# own question, once; No keeps the other program's table.
main_keys ctrl+o
file_name 'Abrir Archivo' 'Exp.txt'
sleep 1
"$tool" generar --MultExp 7 -o "$work/otro.txt"
cp "$work/otro.txt" "$work/Exp.txt"
main_keys ctrl+u
file_name 'Guardar Archivo' 'exp.txt'
question=$(message_box)
[ -n "$question" ] && ok "exp.txt typed for Exp.txt: the program asks" || bad "no question for exp.txt"
[ -n "$question" ] && keys "$question" alt+n
sleep 1
cmp -s "$work/Exp.txt" "$work/otro.txt" && ok "No keeps the other program's table" || bad "Exp.txt replaced after No"

# About: no registry values, the message, and the window stays.
main_keys ctrl+c
about=$(window '^Acerca de')
keys "$about" alt+i
message=$(window '^Vandrel EXP Editor$')
sleep 0.5
[ -n "$message" ] && ok "no tool registered: the message box '$(xdotool getwindowname "$message")'" || bad "message"
keys "$message" Return
sleep 0.5
xdotool search --onlyvisible --name '^Acerca de' >/dev/null && ok "About window stays open" || bad "About closed"

# With the registry naming the stand-in, it is started in a normal window.
"$wine" reg add "$sysinfo_key" /v PATH /t REG_SZ \
  /d 'Z:'"$(echo "$work" | tr / '\\')"'\Archivos de programa\msinfo prueba.exe' /f >/dev/null 2>&1
keys "$about" alt+i
tool_log="$work/Archivos de programa/msinfo prueba.exe.log"
for _ in $(seq 50); do [ -f "$tool_log" ] || [ -f "$work/Archivos.exe.log" ] && break; sleep 0.2; done
grep -q 'ventana: 1' "$tool_log" 2>/dev/null && ok "system information tool started by its path with spaces, normal window" \
  || bad "tool not started: $(cat "$tool_log" 2>/dev/null)"
[ -f "$work/Archivos.exe.log" ] && bad "the planted Archivos.exe was started" || ok "the planted Archivos.exe not started"

# The mail link: "explorer mailto:" and the address, minimized.
xdotool mousemove --window "$about" 200 65 click 1
for _ in $(seq 50); do [ -f "$work/explorer.exe.log" ] && break; sleep 0.2; done
if grep -q '^linea: explorer mailto:exp@example.org' "$work/explorer.exe.log" 2>/dev/null \
  && grep -q 'ventana: 2' "$work/explorer.exe.log"; then
  ok "mail link: $(head -1 "$work/explorer.exe.log"), minimized"
else
  bad "mail link: $(cat "$work/explorer.exe.log" 2>/dev/null)"
fi
# With no window manager Wine keeps the stacking order itself: once the
# stand-in has ended it may raise the main window over About, and a click
# at the button's place would land on the main window. Raise About first,
# and click again (up to three times) while it is still open.
clicks=0
while [ "$clicks" -lt 3 ]; do
  clicks=$((clicks + 1))
  xdotool windowraise "$about" windowfocus --sync "$about" 2>/dev/null || true
  sleep 0.3
  xdotool mousemove --window "$about" 60 180 click 1 # "Ok"
  gone '^Acerca de' && break
done
if xdotool search --onlyvisible --name '^Acerca de' >/dev/null 2>&1; then bad "About still open after $clicks clicks on Ok"
else ok "About closed by its button ($clicks click$([ "$clicks" -gt 1 ] && echo s))"; fi

# The exit question, answered Sí.
main_keys ctrl+x
question=$(message_box)
[ -n "$question" ] && ok "exit question shown" || bad "no exit question"
keys "$question" alt+s
for _ in $(seq 50); do kill -0 "$editor" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$editor" 2>/dev/null; then bad "still running after Sí"; else
  wait "$editor" && ok "ended after Sí" || bad "exit status $?"; fi

# The tool's pictures, on Windows' own platform. Seven columns that never
# meet, so each curve has pixels of its own colour in both panels.
cp "$build/vandrel-exp.exe" "$work/"
awk 'BEGIN { printf "//Archivo Creado Con Vandrel EXP Editor v1.0\r\n";
  for (level = 1; level <= 300; level++) { line = "";
    for (c = 0; c < 14; c++) line = line (c ? "," : "") (level + 100) * (c % 7 + 1) * 1000;
    printf "%s\r\n", line } }' > "$work/siete.txt"
curves_drawn() { # a 1200-pixel-wide picture: every colour in the base panel and in the job panel
  for top in 56 576; do
    convert "$1" -crop 890x520+110+$top +repage -depth 8 txt:- > "$work/pixels.txt"
    for colour in 1F77B4 FF7F0E 2CA02C D62728 9467BD 8C564B E377C2; do
      grep -q "#$colour" "$work/pixels.txt" || return 1
    done
  done
}
"$wine" ./vandrel-exp.exe grafico siete.txt -o curvas.png >"$work/tool.log" 2>&1 \
  && curves_drawn "$work/curvas.png" && ok "grafico: a PNG with the seven curves in each panel" \
  || bad "grafico PNG: $(cat "$work/tool.log")"
if "$wine" ./vandrel-exp.exe grafico siete.txt -o curvas.pdf >"$work/tool.log" 2>&1 \
  && pdftoppm -r 96 -aa no -aaVector no -png -singlefile "$work/curvas.pdf" "$work/curvas-pdf"; then
  curves_drawn "$work/curvas-pdf.png" && ok "grafico: a PDF with the seven curves in each panel" \
    || bad "grafico PDF: curves missing"
else
  bad "grafico PDF: $(cat "$work/tool.log")"
fi
if "$wine" ./vandrel-exp.exe grafico siete.txt -o curvas.svg >"$work/tool.log" 2>&1; then
  bad "grafico wrote an SVG without Qt Svg"
else
  grep -q "no escribe SVG" "$work/tool.log" && [ ! -e "$work/curvas.svg" ] \
    && ok "grafico: SVG refused, nothing written" || bad "grafico SVG: $(cat "$work/tool.log")"
fi

# The YAML job database: exportar (to a file and to standard output) and
# importar give the Linux tool's bytes.
"$tool" generar --cortar --NobBase 60 -o "$work/cortada.txt"
"$tool" exportar "$work/cortada.txt" -o "$work/linux.yml"
"$tool" importar "$work/linux.yml" -o "$work/linux-vuelta.txt"
"$wine" ./vandrel-exp.exe exportar cortada.txt -o windows.yml >"$work/tool.log" 2>&1 \
  && "$wine" ./vandrel-exp.exe exportar cortada.txt >"$work/windows-salida.yml" 2>>"$work/tool.log" \
  && cmp -s "$work/linux.yml" "$work/windows.yml" && cmp -s "$work/linux.yml" "$work/windows-salida.yml" \
  && ok "exportar: the Linux tool's YAML, to a file and to standard output" \
  || bad "exportar: $(cat "$work/tool.log"; cmp "$work/linux.yml" "$work/windows.yml")"
"$wine" ./vandrel-exp.exe importar linux.yml -o vuelta.txt >"$work/tool.log" 2>&1 \
  && cmp -s "$work/linux-vuelta.txt" "$work/vuelta.txt" && cmp -s "$work/cortada.txt" "$work/vuelta.txt" \
  && ok "importar: the Linux tool's table, the one exported" \
  || bad "importar: $(cat "$work/tool.log"; cmp "$work/linux-vuelta.txt" "$work/vuelta.txt")"
# Into an admin's import file with CR LF line ends: the block only, as on
# Linux; then the chain checked as the server loads it.
printf 'Header:\r\n  Type: JOB_STATS\r\n  Version: 4\r\n\r\nBody:\r\n  - Jobs:\r\n      Knight: true\r\n    MaxWeight: 1\r\n' \
  > "$work/job_stats.yml"
cp "$work/job_stats.yml" "$work/job_stats_linux.yml"
"$tool" exportar "$work/cortada.txt" -o "$work/job_stats_linux.yml"
"$wine" ./vandrel-exp.exe exportar cortada.txt -o job_stats.yml >"$work/tool.log" 2>&1 \
  && cmp -s "$work/job_stats_linux.yml" "$work/job_stats.yml" \
  && "$wine" ./vandrel-exp.exe comprobar linux.yml job_stats.yml >"$work/report.txt" 2>>"$work/tool.log" \
  && grep -q "0 errores" "$work/report.txt" \
  && ok "exportar into an import file: the Linux tool's bytes; comprobar of the chain passes" \
  || bad "exportar into an import file: $(cat "$work/tool.log"; cmp "$work/job_stats_linux.yml" "$work/job_stats.yml")"

# The libconfig family: exportar into an admin's CR LF exp_group_db.conf,
# splitting shared groups in job_db.conf, gives the Linux tool's bytes; and
# importar reads the table back.
printf 'base_exp_group_db: {\r\n\tFirstClasses: {\r\n\t\tMaxLevel: 2\r\n\t\tExp: [\r\n\t\t\t1\r\n\t\t]\r\n\t}\r\n\tTranscendedClasses: { MaxLevel: 2 Exp: [ 1 ] }\r\n}\r\njob_exp_group_db: {\r\n}\r\n' \
  > "$work/g.conf"
: > "$work/j.conf"
for link in Novice:FirstClasses:Novice Swordsman:FirstClasses:FirstClasses Knight:FirstClasses:SecondClasses \
            Super_Novice:FirstClasses:SuperNovice Novice_High:TranscendedClasses:HighNovice \
            Swordsman_High:TranscendedClasses:TranscendedFirstClasses Lord_Knight:TranscendedClasses:TranscendedSecondClasses; do
  IFS=: read -r job base jobgroup <<EOF
$link
EOF
  printf '%s: {\r\n\tBaseExpGroup: "%s"\r\n\tJobExpGroup: "%s"\r\n}\r\n' "$job" "$base" "$jobgroup" >> "$work/j.conf"
done
mkdir -p "$work/linux"
cp "$work/g.conf" "$work/j.conf" "$work/linux/"
"$tool" exportar "$work/cortada.txt" --trabajos "$work/linux/j.conf" --separar -o "$work/linux/g.conf" 2>/dev/null
"$wine" ./vandrel-exp.exe exportar cortada.txt --trabajos j.conf --separar -o g.conf >"$work/tool.log" 2>&1 \
  && cmp -s "$work/linux/g.conf" "$work/g.conf" && cmp -s "$work/linux/j.conf" "$work/j.conf" \
  && "$wine" ./vandrel-exp.exe importar g.conf --trabajos j.conf -o vuelta-conf.txt >>"$work/tool.log" 2>&1 \
  && cmp -s "$work/cortada.txt" "$work/vuelta-conf.txt" \
  && ok "exportar into exp_group_db.conf and job_db.conf: the Linux tool's bytes; importar reads the table back" \
  || bad "exportar libconfig: $(cat "$work/tool.log"; cmp "$work/linux/g.conf" "$work/g.conf")"

# Text reports and messages as Windows reads them: CR LF line ends in a
# report redirected to a file, the accents in UTF-8 bytes unchanged, in one
# piece; failures in Spanish, naming the file, whatever Windows' language.
"$wine" ./vandrel-exp.exe comparar siete.txt Exp.txt >"$work/report.txt" 2>"$work/tool.log" || true
if grep -q "celdas distintas" "$work/report.txt" && [ "$(grep -c "$(printf '\r')\$" "$work/report.txt")" -eq "$(wc -l < "$work/report.txt")" ]; then
  ok "comparar: a report redirected to a file ends its lines in CR LF"
else
  bad "comparar report: $(od -c "$work/report.txt" | head -3)"
fi
grep -q "cuadrícula" "$work/report.txt" && ok "comparar: accents reach the file as UTF-8" || bad "comparar: accents"
# In a console at code page 850 (a Spanish Windows' default), a report
# redirected to a file is in that page, as `type` and `more` show it; JSON
# stays UTF-8.
printf '1,2\r\n' > "$work/malo.txt"
"$wine" wineconsole cmd /c "chcp 850 >nul & vandrel-exp.exe comprobar malo.txt > informe.txt & vandrel-exp.exe comprobar malo.txt --json > informe.json" </dev/null >/dev/null 2>&1 || true
grep -q "$(printf 'l\241nea')" "$work/informe.txt" 2>/dev/null && ok "comprobar at code page 850: 'línea' in that page" \
  || bad "code page 850 report: $(od -c "$work/informe.txt" 2>/dev/null | head -3)"
grep -q "línea" "$work/informe.json" 2>/dev/null && ok "comprobar --json at code page 850: UTF-8 still" \
  || bad "code page 850 JSON: $(od -c "$work/informe.json" 2>/dev/null | head -3)"
# exportar without -o in a console at code page 850: the YAML's comment lines
# shown as text (Wine's console on a terminal passes them on as UTF-8), not
# its UTF-8 bytes read in that page ("c├│piela").
timeout 120 script -qec "$wine cmd /c 'chcp 850 >nul & vandrel-exp.exe exportar cortada.txt'" "$work/consola.log" \
  </dev/null >/dev/null 2>&1 || true
grep -aq "cópiela" "$work/consola.log" && ok "exportar to a console at code page 850: the comments as text" \
  || bad "exportar to a console: $(grep -a -m1 'piela' "$work/consola.log" | od -c | head -2)"
# A double click: the tool alone on a console of its own shows its usage and
# waits for a key instead of closing at once; started from cmd it does not wait.
"$wine" wineconsole vandrel-exp.exe </dev/null >/dev/null 2>&1 &
lone=$!
sleep 8
if kill -0 "$lone" 2>/dev/null; then
  ok "double click: the tool waits for a key"
  console=$(xdotool search --name 'vandrel-exp.exe$' 2>/dev/null | head -1)
  [ -n "$console" ] && xdotool key --window "$console" Return 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$lone" 2>/dev/null || break; sleep 0.2; done
  kill -0 "$lone" 2>/dev/null && { bad "double click: still waiting after a key"; kill "$lone"; } || ok "double click: a key closes it"
else
  bad "double click: the window closed at once"
fi
"$wine" wineconsole cmd /c "vandrel-exp.exe > uso.txt 2>&1" </dev/null >/dev/null 2>&1 &
from_cmd=$!
sleep 8
kill -0 "$from_cmd" 2>/dev/null && { bad "from cmd: the tool waits"; kill "$from_cmd"; } || ok "from cmd: no wait"
failure_says() { # what it is, the words expected, the tool's arguments...
  what=$1 words=$2; shift 2
  "$wine" ./vandrel-exp.exe "$@" >/dev/null 2>"$work/tool.log" && { bad "$what: no failure"; return; }
  tr -d '\r' < "$work/tool.log" | grep -qF "$words" && ok "$what: «$words»" || bad "$what: $(cat "$work/tool.log")"
}
failure_says "a missing file" 'no-existe.txt: No existe el archivo.' comprobar no-existe.txt
failure_says "a missing folder" 'Z:\no\existe\Exp.txt: No existe la carpeta.' normalizar 'Z:\no\existe\Exp.txt' salida.txt
mkdir -p "$work/carpeta"
failure_says "a folder as input" 'carpeta: El archivo que se quiere abrir es una carpeta.' comprobar carpeta

[ "$failed" -eq 0 ] && echo "extremo a extremo en Wine: todo bien" || exit 1
