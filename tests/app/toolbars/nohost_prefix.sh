#!/bin/sh
# A Wine prefix without the script hosts, for the test of the message that
# says so; the tests' shared prefix keeps them for the tests that run scripts.
#   nohost_prefix.sh start FROM TO: TO becomes a copy of the prefix FROM
#     (its program files linked, every other file copied) without
#     wscript.exe and cscript.exe, with its wineserver and services running.
#   nohost_prefix.sh end TO: stops them and removes the copy.
# Its wineserver is started here, away from ctest's pipes: a service that
# the first test program started would hold that test's output open.
set -eu
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case "$1" in
start)
  from=$2 to=$3
  [ -f "$from/system.reg" ] || { echo "No Wine prefix in $from" >&2; exit 1; }
  WINEPREFIX="$to" wineserver -k >/dev/null 2>&1 || true
  rm -rf "$to"
  cp -al "$from" "$to"
  find "$to" -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' -o -iname '*.sys' \
    -o -iname '*.ocx' -o -iname '*.cpl' -o -iname '*.acm' -o -iname '*.tlb' -o -iname '*.ttf' \
    -o -iname '*.fon' -o -iname '*.nls' \) \
    -exec sh -c 'for f; do cp -p "$f" "$f.copy" && mv -f "$f.copy" "$f"; done' sh {} +
  find "$to/drive_c/windows" \( -iname wscript.exe -o -iname cscript.exe \) -exec rm -f {} +
  export WINEPREFIX="$to"
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  ;;
end)
  export WINEPREFIX="$2"
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rm -rf "$2"
  ;;
*)
  echo "usage: $0 start FROM TO | end TO" >&2
  exit 2
  ;;
esac
