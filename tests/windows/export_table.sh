#!/bin/sh
# objdump must list exactly the 22 names of the export table at ordinals
# 1 to 22, and the DLL must import only system libraries.
set -e
dll=$1
dump=$(i686-w64-mingw32-objdump -p "$dll")
names=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -E '^\s+\[ *[0-9]+\] ')
expected='[   0] ?AddData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z
[   1] ?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z
[   2] ?GetNumberOfSets@@YAHXZ
[   3] ?GetResult0@@YAPBDPAH@Z
[   4] ?GetSetName@@YAPBDH@Z
[   5] ?RemoveData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z
[   6] ?ResetStats0@@YAHPBDH0PAVCOleDateTime@ATL@@10000000000HHHNN000@Z
[   7] ?SetupSet0@@YAXXZ
[   8] ?StatsGetExchgCount0@@YAHPBD00@Z
[   9] ?StatsIsValidExchg0@@YAHPBD000HHH@Z
[  10] ?setVersion@@YAKPBD@Z
[  11] AddData0
[  12] CheckCall0
[  13] GetExchgCount0
[  14] GetNumberOfSets
[  15] GetResult0
[  16] GetSetName
[  17] IsValidExchg0
[  18] RemoveData0
[  19] ResetStats0
[  20] SetupSet0
[  21] setVersion'
actual=$(printf '%s\n' "$names" | sed 's/^\s*//')
if [ "$actual" != "$expected" ]; then
  echo "export names differ:"; printf '%s\n' "$actual"; exit 1
fi
printf '%s\n' "$dump" | grep -q 'Ordinal Base 1' || { echo "ordinal base is not 1"; exit 1; }
imports=$(printf '%s\n' "$dump" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
for dll_name in $imports; do
  case $dll_name in
    kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|ole32.dll|oleaut32.dll|msvcrt.dll|advapi32.dll) ;;
    *) echo "unexpected import $dll_name"; exit 1 ;;
  esac
done
echo "22 exports at ordinals 1-22; imports: $(echo $imports)"
