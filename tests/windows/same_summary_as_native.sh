#!/bin/sh
# The bundled sample scored by Stats.dll under Wine and by the natively built
# core must give the same output byte for byte (plain text and HTML).
# Arguments: the Windows vokt-host.exe, the native vokt-host, the source
# folder, and for a 64-bit vokt-host.exe "--wine64" (see scripts/wine-run).
set -e
win_host=$1 native_host=$2 source=$3 wine_flag=$4
if [ ! -x "$native_host" ]; then
  echo "native build missing ($native_host): skipped"
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for flag in "" --html; do
  "$source/scripts/wine-run" $wine_flag "$win_host" replay "$source/samples/sartg-2017-sample.cbr" --workdir "$work/win$flag" $flag >"$work/win.out" 2>/dev/null
  "$native_host" replay "$source/samples/sartg-2017-sample.cbr" --workdir "$work/native$flag" $flag >"$work/native.out" 2>/dev/null
  if ! cmp "$work/win.out" "$work/native.out"; then
    diff "$work/win.out" "$work/native.out" | head -20
    exit 1
  fi
  [ -n "$flag" ] || grep -q "^Score: " "$work/win.out"
  cmp "$work/win$flag/BadQSO_StatsSARTGWWRTTY_20_08_2017.txt" "$work/native$flag/BadQSO_StatsSARTGWWRTTY_20_08_2017.txt"
done
echo "same summary and bad-QSO file from Stats.dll and the native core"
