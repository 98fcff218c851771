#!/usr/bin/env bash
# Packs the build as a Debian package, unpacks it into a scratch root and checks it as an
# installed program: desktop entry, metainfo and icons valid and in place, and the program,
# started from another folder against a fresh virtual remote, finding its skin bundles and help.
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "installed program: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null) || fail "cpack could not pack the build"
deb=$(ls "$scratch"/package/qtm418_*.deb)
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || fail "the package does not depend on Qt Widgets"
dpkg -x "$deb" "$scratch/root"
usr=$scratch/root/usr

desktop-file-validate "$usr/share/applications/qtm418.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/com.example.qtm418.metainfo.xml" >/dev/null ||
  appstreamcli validate --no-net "$usr/share/metainfo/com.example.qtm418.metainfo.xml"
for size in 16 24 32 48 64 128 256; do
  test -s "$usr/share/icons/hicolor/${size}x${size}/apps/qtm418.png" || fail "no ${size}px icon"
done
for file in bin/qtm418 bin/qtm418-emu bin/qtm418ctl lib/libkestrio.so lib/libConLCode.so share/qtm418/studyhelp.chm \
            share/qtm418/on100C.rcc share/qtm418/sn100C.rcc share/qtm418/fn100C.rcc share/qtm418/dn100C.rcc \
            share/qtm418/bn100C.rcc share/qtm418/en/studyhelp.chm share/qtm418/en/on100C.rcc \
            share/qtm418/en/sn100C.rcc share/qtm418/en/fn100C.rcc share/qtm418/en/dn100C.rcc \
            share/qtm418/en/bn100C.rcc; do
  test -e "$usr/$file" || fail "$file is not installed"
done

# The learning animation is written to the temporary folder once the skin bundles are loaded.
export QTM418_DEVICE_DIR=$scratch/device TMPDIR=$scratch/tmp QT_QPA_PLATFORM=offscreen
unset LD_LIBRARY_PATH
mkdir -p "$TMPDIR"
"$usr/bin/qtm418-emu" latency 0 >/dev/null
cd /
"$usr/bin/qtm418" >"$scratch/out.txt" 2>&1 &
program=$!
for _ in $(seq 150); do
  [ -s "$TMPDIR/888.swf" ] && break
  kill -0 "$program" 2>/dev/null || fail "the program ended: $(cat "$scratch/out.txt")"
  sleep 0.1
done
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
[ -s "$TMPDIR/888.swf" ] || fail "the installed program did not load its skin bundles"
echo "installed program: package $(basename "$deb") installs, validates and starts from /"
