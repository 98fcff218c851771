#!/usr/bin/env bash
# Runs one test program of a Windows cross build under wine, for ctest (the build's
# CROSSCOMPILING_EMULATOR): wine_run.sh WINEPREFIX PROGRAM [ARGS...]. The prefix is the build
# folder's own; wine says nothing of its own (WINEDEBUG=-all); the program's CRLF line ends become
# LF, so ctest and GoogleTest's test listing read its output as on Linux; its exit status is kept.
#
# scripts/windows-core starts the prefix's wineserver and warms it before ctest runs: a
# wineserver started from inside ctest leaves wine's helper processes holding ctest's output
# pipe, and ctest then waits for them (one run hung 670 s).
set -uo pipefail
export WINEPREFIX=$1
shift
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
# Wine keeps the host's QT_ variables from Windows programs (they would name Linux paths and
# plugins); it hands them on as QT_... when given as WINEQT_... .
while IFS= read -r name; do
  export "WINE$name=${!name}"
done < <(compgen -e | grep '^QT_')
"${QTM418_WINE64:-/usr/lib/wine/wine64}" "$@" 2>&1 | tr -d '\r'
exit "${PIPESTATUS[0]}"
