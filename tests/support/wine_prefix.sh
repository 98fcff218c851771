#!/usr/bin/env bash
# The wine prefix the host's tests run in: wine_prefix.sh start|stop PREFIX. start makes the
# prefix (tens of seconds the first time) and leaves its wineserver running with its output to
# /dev/null, so no case starts it (a wineserver started from a case holds ctest's output pipe);
# stop ends it. Without wine there is nothing to do: the cases say they are skipped and why.
set -uo pipefail
export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver=/usr/lib/wine/wineserver
if [ ! -x "$wineserver" ]; then
  echo "wine_prefix: no wine on this machine"
  exit 0
fi
case $1 in
start)
  mkdir -p "$WINEPREFIX"
  "$wineserver" -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  ;;
stop)
  "$wineserver" -k </dev/null >/dev/null 2>&1 || true
  ;;
esac
exit 0
