#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# The installer under Wine: a silent install for the current user puts both
# programs, their licence and notices, the uninstaller and the Start-menu
# shortcut where it says; the
# silent uninstaller takes them all away again. An install into another
# folder replaces the earlier one. Args: INSTALLER VERSION
set -eu
installer=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
version=$2
# A Wine prefix of this run's own: nothing installed before, no other Wine
# session sharing its server.
prefix=$(mktemp -d)
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
export WINEPREFIX="$prefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
"$wine" wineboot -i >/dev/null 2>&1 || true
user_dir="$WINEPREFIX/drive_c/users/$(id -un)"
target="$user_dir/AppData/Local/Programs/Vandrel EXP Editor"
menu="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Vandrel EXP Editor"
failed=0
check() { if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; failed=1; fi; }

"$wine" "$installer" /S
check "installed without administrator rights, under the user's AppData" '[ -d "$target" ]'
for file in vandrel-exp-editor.exe vandrel-exp.exe LICENCIA.txt LEEME.txt TERCEROS.txt Desinstalar.exe; do
  check "$file" '[ -f "$target/$file" ]'
done
check "LEEME.txt and LICENCIA.txt in CR LF, every line" \
  '[ "$(grep -c "$(printf "\r")\$" "$target/LEEME.txt")" -eq "$(wc -l < "$target/LEEME.txt")" ] && [ "$(grep -c "$(printf "\r")\$" "$target/LICENCIA.txt")" -eq "$(wc -l < "$target/LICENCIA.txt")" ]'
check "LEEME.txt names every command of the tool, and where backups go" \
  '(for c in generar normalizar comprobar comparar grafico exportar importar LOCALAPPDATA; do grep -q "$c" "$target/LEEME.txt" || exit 1; done)'
check "Start-menu shortcut" '[ -f "$menu/Vandrel EXP Editor.lnk" ]'
check "TERCEROS.txt holds Qt's, yaml-cpp's and the runtime's notices" \
  'grep -q "Data Compression Library (zlib)" "$target/TERCEROS.txt" && grep -q "FreeType" "$target/TERCEROS.txt" && grep -q "mingw-w64" "$target/TERCEROS.txt" && grep -q "yaml-cpp 0.7.0" "$target/TERCEROS.txt"'
check "the installed tool runs" '"$wine" "$target/vandrel-exp.exe" --version 2>/dev/null | grep -q "^Vandrel EXP Editor v[0-9]"'
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\VandrelExpEditor'
value() { "$wine" reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name { print $3 }'; }
check "the uninstaller is registered" '[ -n "$(value UninstallString)" ]'
check "the uninstall entry names the publisher" '"$wine" reg query "$key" /v Publisher 2>/dev/null | grep -q "Equipo Vandrel"'
check "the uninstall entry gives the version" '[ "$(value DisplayVersion)" = "$version" ]'
size=$(value EstimatedSize)
check "the uninstall entry gives the size in KiB ($size)" '[ -n "$size" ] && [ $((size)) -gt 1000 ]'

# A newer version installed: the silent installer refuses to downgrade it,
# with a non-zero exit code, and leaves it as it was.
"$wine" reg add "$key" /v DisplayVersion /t REG_SZ /d 99.0.0 /f >/dev/null 2>&1
status=0
"$wine" "$installer" /S || status=$?
/usr/lib/wine/wineserver -w
check "a silent downgrade is refused (exit $status)" '[ "$status" -ne 0 ] && [ "$(value DisplayVersion)" = "99.0.0" ]'
"$wine" reg add "$key" /v DisplayVersion /t REG_SZ /d "$version" /f >/dev/null 2>&1

# Installed again into another folder: the first copy goes, the entry follows.
other="$user_dir/OtraCarpeta"
"$wine" "$installer" /S "/D=C:\\users\\$(id -un)\\OtraCarpeta"
/usr/lib/wine/wineserver -w
check "installed again elsewhere" '[ -f "$other/vandrel-exp-editor.exe" ]'
check "the earlier copy is gone, not orphaned" '[ ! -d "$target" ]'
check "the entry points to the new folder" \
  '"$wine" reg query "$key" /v InstallLocation 2>/dev/null | grep -q "OtraCarpeta"'
target="$other"

# The uninstaller runs on from a copy of itself: wait for every Wine process.
"$wine" "$target/Desinstalar.exe" /S
/usr/lib/wine/wineserver -w
check "uninstalled: the programs and the uninstaller are gone" \
  '[ ! -e "$target/vandrel-exp-editor.exe" ] && [ ! -e "$target/vandrel-exp.exe" ] && [ ! -e "$target/Desinstalar.exe" ]'
check "uninstalled: the notices are gone" '[ ! -e "$target/TERCEROS.txt" ] && [ ! -e "$target/LICENCIA.txt" ]'
check "uninstalled: the folder is gone" '[ ! -d "$target" ]'
check "uninstalled: the Start-menu folder is gone" '[ ! -d "$menu" ]'
[ "$failed" -eq 0 ] && echo "instalación y desinstalación en Wine: todo bien" || exit 1
