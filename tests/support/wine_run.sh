#!/usr/bin/env bash
# Runs one test program of a Windows cross build under wine, for ctest (the build's
# CROSSCOMPILING_EMULATOR): wine_run.sh WINEPREFIX PROGRAM [ARGS...]. The prefix is the build
# folder's own; wine says nothing of its own (WINEDEBUG=-all); the program's CRLF line ends become
# LF, so ctest and GoogleTest's test listing read its output as on Linux; its exit status is kept.
#
# The program writes into a file, handed on when it ends, never into a pipe: whatever wine starts
# on its behalf (its server and helpers when the prefix is cold, the cmd.exe a shell test opens a
# command file with) inherits that output and can outlive the program, and a pipe held open by
# it kept ctest waiting until the test's time ran out (one run hung 670 s). scripts/windows-core
# also starts the prefix's wineserver and warms it before ctest runs.
set -uo pipefail
export WINEPREFIX=$1
shift
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
# Wine keeps the host's QT_ variables from Windows programs (they would name Linux paths and
# plugins); it hands them on as QT_... when given as WINEQT_... .
while IFS= read -r name; do
  export "WINE$name=${!name}"
done < <(compgen -e | grep '^QT_')
output=$(mktemp)
trap 'rm -f "$output"' EXIT
"${QTM418_WINE64:-/usr/lib/wine/wine64}" "$@" >"$output" 2>&1
status=$?
tr -d '\r' <"$output"
exit "$status"
