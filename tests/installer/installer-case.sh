#!/bin/sh
# The installer's life in one Wine prefix made fresh for it:
#   installer-case.sh SETUP.exe WIN64_BUILD WIN32_BUILD WORKDIR
# A silent install registers each DLL in its own registry view with the version, and the DLL
# each view names renders the demo sound; a preset the user added survives a reinstall and an
# uninstall, which leaves no key and no other file; a later install finds it; an uninstall
# with /REMOVEPRESETS leaves nothing.
set -u
setup=$1 win64=$2 win32=$3 work=$4
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
clsid="{7A3E1C20-5D7A-4C31-9E0B-7155A0C3D2E1}"
legacy_category="{083863F1-70DE-11d0-BD40-00A0C911CE86}"
instdir_unix="$WINEPREFIX/drive_c/Program Files/Quillorn/qvRuvodaR3"
instdir='C:\Program Files\Quillorn\qvRuvodaR3'
sources=$(cd "$(dirname "$0")/../.." && pwd)
failures=0
fail() { printf 'FAIL: %s\n' "$*"; failures=$((failures + 1)); }
# Runs a Windows program and waits until every process of the prefix has ended (the
# uninstaller hands over to a copy of itself and returns at once).
run() { wine "$@" </dev/null >/dev/null 2>&1; status=$?; wineserver -w; return $status; }
reg_value() { # VIEW KEY [VALUE]: the data of a value, empty when missing
  if [ -n "${3:-}" ]; then v="/v $3"; else v="/ve"; fi
  wine reg query "$1" $v "/reg:$2" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_[A-Z_]* *//p' | head -n 1
}
reg_exists() { wine reg query "$1" "/reg:$2" </dev/null >/dev/null 2>&1; }
install() { run "$setup" /S || fail "$1: the silent install exited with $?"; }
uninstall() { run "$instdir_unix/uninstall.exe" /S "$@" || fail "the silent uninstall exited with $?"; }
files_left() { [ -e "$instdir_unix" ] && (cd "$instdir_unix" && find . -type f | sort | tr '\n' ' '); }
no_keys_left() { # STEP
  for view in 64 32; do
    for key in "Classes\\CLSID\\$clsid" "Classes\\CLSID\\$legacy_category\\Instance\\$clsid" \
      "Classes\\Filter\\$clsid" 'Quillorn' 'Microsoft\Windows\CurrentVersion\Uninstall\qvRuvodaR3'; do
      reg_exists "HKLM\\Software\\$key" "$view" && fail "$1: view $view: $key is left"
    done
  done
  find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name '*Ruvoda*' | grep -q . \
    && fail "$1: start menu entries are left"
}
# The user's preset goes into the 64-bit file only: the untouched 32-bit one is the factory's
# and must go with the uninstall.
user_preset='Name=My Room'
kept() { # STEP
  grep -q "$user_preset" "$instdir_unix/x64/qvRuvodaR3.ini" 2>/dev/null \
    || fail "$1: the user's preset is lost"
}

rm -rf "$work" && mkdir -p "$work"
wineboot -i >/dev/null 2>&1; wineserver -w

install "install"
# Each bitness: registry view, folder, the renderer built for it.
for row in "64 x64 $win64" "32 x86 $win32"; do
  set -- $row
  view=$1 folder=$2 build=$3
  server=$(reg_value "HKLM\\Software\\Classes\\CLSID\\$clsid\\InprocServer32" "$view")
  [ "$server" = "$instdir\\$folder\\qvRuvodaR3.dll" ] \
    || fail "view $view: the class names '$server', not the $folder DLL"
  name=$(reg_value "HKLM\\Software\\Classes\\CLSID\\$legacy_category\\Instance\\$clsid" "$view" FriendlyName)
  [ "$name" = "Quillorn qv:Ruvoda R3" ] || fail "view $view: no filter mapper entry (got '$name')"
  reg_exists "HKLM\\Software\\Classes\\Filter\\$clsid" "$view" || fail "view $view: no Filter key"
  strings -el "$instdir_unix/$folder/qvRuvodaR3.dll" | grep -qx "$(head -n 1 "$sources/VERSION")" \
    || fail "$folder: the DLL's version resource lacks the version in VERSION"
  for file in qvRuvodaR3.ini deZovuvi.chm ruvoda-host.exe; do
    [ -f "$instdir_unix/$folder/$file" ] || fail "$folder: no $file beside the DLL"
  done
  [ -n "$server" ] || continue
  out="$work/wet-$folder.wav"
  wine "$build/bin/ruvoda-render.exe" --dll "$server" --tail "$(winepath -w "$sources/resources/demo/demo-dry.wav")" \
    "$(winepath -w "$out")" </dev/null >"$work/render-$folder.txt" 2>&1 \
    && [ -s "$out" ] || fail "$folder: the registered DLL did not render: $(cat "$work/render-$folder.txt")"
done

printf '[Preset99]\r\nVersion=3\r\n%s\r\nBank=Mine\r\nData=0,75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,0\r\n' \
  "$user_preset" >>"$instdir_unix/x64/qvRuvodaR3.ini"
install "reinstall"; kept "reinstall"
uninstall; kept "uninstall"
left=$(files_left)
[ "$left" = "./x64/qvRuvodaR3.ini " ] || fail "uninstall left other files than the user's presets: $left"
no_keys_left "uninstall"
install "install over the kept presets"; kept "install over the kept presets"
uninstall /REMOVEPRESETS
left=$(files_left) && fail "/REMOVEPRESETS left: $left"
no_keys_left "/REMOVEPRESETS"

wineserver -k 2>/dev/null
[ $failures -eq 0 ] && printf 'PASS\n' && rm -rf "$work"
[ $failures -eq 0 ]
