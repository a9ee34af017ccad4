#!/bin/sh
# SPDX-FileCopyrightText: 2026 Equipo Vandrel
# SPDX-License-Identifier: GPL-2.0-only
# Installs the Debian package with apt-get into a fresh Debian 12 root made
# by debootstrap (no build tools, nothing of ours), then runs both programs
# there: the companion tool's commands, its manual page, and the editor on a
# private X server. Run as root: ./scripts/test-package.sh PACKAGE.deb
set -eu
deb=$(realpath "$1")
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
[ "$(id -u)" -eq 0 ] || { echo "Hace falta ser root (debootstrap y chroot)." >&2; exit 2; }
command -v debootstrap >/dev/null || apt-get install -y -qq --no-install-recommends debootstrap

work=$(mktemp -d "${TMPDIR:-/tmp}/vexp-paquete.XXXXXX")
root="$work/root"
cleanup() {
  umount "$root/dev/pts" "$root/proc" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

echo "== Debian 12 mínimo en $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 \
  || { tail -20 "$work/debootstrap.log"; exit 1; }
mount -t proc proc "$root/proc"
mkdir -p "$root/dev/pts" && mount -t devpts devpts "$root/dev/pts"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

echo "== apt-get install ./$(basename "$deb")"
in_root apt-get update -qq
in_root sh -c "DEBIAN_FRONTEND=noninteractive apt-get install -y -qq ./tmp/$(basename "$deb")" >"$work/apt.log" \
  || { tail -20 "$work/apt.log"; exit 1; }
if in_root sh -c 'command -v g++ || command -v cmake || command -v make' >/dev/null; then
  echo "FALLO: hay herramientas de compilación en la raíz de prueba" >&2; exit 1
fi

fail() { echo "FALLO: $*" >&2; exit 1; }
echo "== vandrel-exp"
in_root vandrel-exp --version | grep -q "Vandrel EXP Editor" || fail "--version"
in_root vandrel-exp generar -o /tmp/Exp.txt || fail "generar"
in_root vandrel-exp comprobar /tmp/Exp.txt | grep -qx "0 errores, 0 avisos en 99 niveles" || fail "comprobar"
in_root vandrel-exp comparar /tmp/Exp.txt /tmp/Exp.txt >/dev/null || fail "comparar"
# No display at all: the picture is drawn offscreen.
in_root vandrel-exp grafico /tmp/Exp.txt -o /tmp/curvas.png || fail "grafico png"
in_root vandrel-exp grafico /tmp/Exp.txt -o /tmp/curvas.svg || fail "grafico svg"
in_root vandrel-exp grafico /tmp/Exp.txt -o /tmp/curvas.pdf || fail "grafico pdf"
head -c 5 "$root/tmp/curvas.pdf" | grep -q "%PDF-" || fail "curvas.pdf no es un PDF"
head -c 8 "$root/tmp/curvas.png" | od -An -c | grep -q "P   N   G" || fail "curvas.png no es PNG"
grep -q "Experiencia" "$root/tmp/curvas.svg" || fail "curvas.svg sin ejes"
if command -v xmllint >/dev/null; then xmllint --noout "$root/tmp/curvas.svg" || fail "curvas.svg no es XML válido"; fi
for page in man1/vandrel-exp.1.gz man1/vandrel-exp-editor.1.gz es/man1/vandrel-exp.1.gz es/man1/vandrel-exp-editor.1.gz; do
  [ -s "$root/usr/share/man/$page" ] || fail "falta la página de manual $page"
done
[ -s "$root/usr/share/doc/vandrel-exp-editor/copyright" ] || fail "falta copyright"

echo "== vandrel-exp-editor bajo xvfb-run"
# The X server is the test's own tool, installed after the package proved
# that its own dependencies were enough for the commands above.
in_root sh -c "DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends xvfb xauth" >"$work/apt-x.log" \
  || { tail -20 "$work/apt-x.log"; exit 1; }
# Still running after five seconds: it started, showed its windows and waits.
status=0
in_root xvfb-run -a timeout 5 vandrel-exp-editor >"$work/editor.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$work/editor.log"; fail "el editor terminó con $status"; }
if grep -qi "could not\|cannot\|error" "$work/editor.log"; then cat "$work/editor.log"; fail "el editor se quejó"; fi

echo "Paquete instalado en una raíz nueva de Debian 12: las dos órdenes funcionan."
