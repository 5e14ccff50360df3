#!/bin/sh
# One installer case in a Wine prefix of its own, made fresh for the case:
#   installer-case.sh CASE SETUP.exe WIN64_BUILD WIN32_BUILD WORKDIR
# install_render_uninstall: a silent install registers each DLL in its own registry view,
#   both carry the version, the DLL each view names renders the demo sound through a graph of
#   its bitness, and a silent uninstall leaves no key and no file behind.
# reinstall_keeps_presets: a preset the user added survives reinstalls and uninstalls, and
#   goes only with /REMOVEPRESETS.
set -u
case_name=$1 setup=$2 win64=$3 win32=$4 work=$5
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

rm -rf "$work" && mkdir -p "$work"
wineboot -i >/dev/null 2>&1; wineserver -w

install() { run "$setup" /S || fail "the silent install exited with $?"; }
uninstall() { run "$instdir_unix/uninstall.exe" /S "$@" || fail "the silent uninstall exited with $?"; }

case $case_name in
install_render_uninstall)
  install
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
  uninstall
  for view in 64 32; do
    for key in "CLSID\\$clsid" "CLSID\\$legacy_category\\Instance\\$clsid" "Filter\\$clsid"; do
      reg_exists "HKLM\\Software\\Classes\\$key" "$view" && fail "view $view: $key is left"
    done
    for key in 'Software\Quillorn' 'Software\Microsoft\Windows\CurrentVersion\Uninstall\qvRuvodaR3'; do
      reg_exists "HKLM\\$key" "$view" && fail "view $view: $key is left"
    done
  done
  [ -e "$instdir_unix" ] && fail "files are left: $(cd "$instdir_unix" && find . -type f)"
  find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name '*Ruvoda*' | grep -q . \
    && fail "start menu entries are left"
  ;;
reinstall_keeps_presets)
  install
  for folder in x64 x86; do
    printf '[Preset99]\r\nVersion=3\r\nName=My Room %s\r\nBank=Mine\r\nData=0,75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,0\r\n' \
      "$folder" >>"$instdir_unix/$folder/qvRuvodaR3.ini"
  done
  kept() { # STEP: both preset files still hold the user's preset
    for folder in x64 x86; do
      grep -q "Name=My Room $folder" "$instdir_unix/$folder/qvRuvodaR3.ini" 2>/dev/null \
        || fail "$1: the user's preset in $folder is lost"
    done
  }
  install; kept "reinstall"
  uninstall; kept "uninstall"
  [ -e "$instdir_unix/x64/qvRuvodaR3.dll" ] && fail "uninstall left the DLL"
  install; kept "install over the kept presets"
  uninstall /REMOVEPRESETS
  [ -e "$instdir_unix" ] && fail "/REMOVEPRESETS left: $(cd "$instdir_unix" && find . -type f)"
  ;;
*) echo "unknown case $case_name"; exit 2 ;;
esac
wineserver -k 2>/dev/null
[ $failures -eq 0 ] && printf 'PASS: %s\n' "$case_name" && rm -rf "$work"
[ $failures -eq 0 ]
