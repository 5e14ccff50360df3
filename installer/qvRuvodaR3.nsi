; The Windows installer: both builds of the filter, each DLL in a folder of its own beside its
; preset file and help file, registered with the regsvr32 of its own bitness. Built by
; scripts/installer.sh, which passes VERSION, WIN64_DIR, WIN32_DIR, PRESETS (the factory preset
; file), DOCS_DIR and OUTFILE.
Unicode true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "nsDialogs.nsh"

!define PRODUCT "qv:Ruvoda R3"
!define MAKER "Quillorn"
; Start-menu names: a colon cannot stand in a file name.
!define MENU "qvRuvoda R3"
!define KEY "Software\Quillorn\qvRuvodaR3"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\qvRuvodaR3"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quillorn\qvRuvodaR3"
RequestExecutionLevel admin
VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${MAKER}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${MAKER}"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
UninstPage custom un.PresetsPage un.PresetsPageLeave
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var RemovePresets
Var RemovePresetsBox

; Both registry views hold our keys on 64-bit Windows; the installer's own keys live in the
; native one.
!macro NativeView
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
!macroend

; Registers (or with /u unregisters) one DLL with the regsvr32 of its bitness; a failure stops
; the installer with the tool's exit code.
!macro Regsvr32 FLAGS DLL X64
  ${If} ${X64} == 1
    ${DisableX64FSRedirection}
  ${EndIf}
  ExecWait '"$SYSDIR\regsvr32.exe" /s ${FLAGS} "${DLL}"' $0
  ${If} ${X64} == 1
    ${EnableX64FSRedirection}
  ${EndIf}
!macroend

; One bitness's folder: the DLL, the editor host and, beside them, the help file and the
; preset file. A preset file already there is the user's and stays as it is.
!macro InstallBuild DIR SRC
  SetOutPath "${DIR}"
  File "${SRC}\qvRuvodaR3.dll"
  File "${SRC}\ruvoda-host.exe"
  File "${SRC}\deZovuvi.chm"
  SetOverwrite off
  File "${PRESETS}"
  SetOverwrite on
!macroend

Function .onInit
  ${If} ${RunningX64}
    SetRegView 64
    ReadRegStr $0 HKLM "${KEY}" "InstallDir"
    StrCmp $0 "" +2
    StrCpy $INSTDIR $0
  ${Else}
    StrCpy $INSTDIR "$PROGRAMFILES\Quillorn\qvRuvodaR3"
    ReadRegStr $0 HKLM "${KEY}" "InstallDir"
    StrCmp $0 "" +2
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

Section "Install"
  SetShellVarContext all
  !insertmacro NativeView
  SetOutPath "$INSTDIR"
  File "/oname=README.md" "${DOCS_DIR}\README.md"
  File "/oname=CHANGELOG.md" "${DOCS_DIR}\CHANGELOG.md"
  File "/oname=demo-dry.wav" "${DOCS_DIR}\demo-dry.wav"
  SetOutPath "$INSTDIR\factory"
  File "${PRESETS}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  !insertmacro InstallBuild "$INSTDIR\x86" "${WIN32_DIR}"
  !insertmacro Regsvr32 "" "$INSTDIR\x86\qvRuvodaR3.dll" 0
  ${If} $0 != 0
    Abort "regsvr32 (32-bit) could not register $INSTDIR\x86\qvRuvodaR3.dll (exit code $0)."
  ${EndIf}
  StrCpy $1 "$INSTDIR\x86"
  ${If} ${RunningX64}
    !insertmacro InstallBuild "$INSTDIR\x64" "${WIN64_DIR}"
    !insertmacro Regsvr32 "" "$INSTDIR\x64\qvRuvodaR3.dll" 1
    ${If} $0 != 0
      Abort "regsvr32 (64-bit) could not register $INSTDIR\x64\qvRuvodaR3.dll (exit code $0)."
    ${EndIf}
    StrCpy $1 "$INSTDIR\x64"
  ${EndIf}

  CreateDirectory "$SMPROGRAMS\${MENU}"
  CreateShortcut "$SMPROGRAMS\${MENU}\${MENU} Help.lnk" "$1\deZovuvi.chm"
  CreateShortcut "$SMPROGRAMS\${MENU}\${MENU} Editor.lnk" "$1\ruvoda-host.exe" '"$INSTDIR\demo-dry.wav"'
  CreateShortcut "$SMPROGRAMS\${MENU}\Uninstall ${MENU}.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${KEY}" "Version" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The uninstaller's page: the preset files hold the user's own presets, so they stay unless
; asked for. Silently, /REMOVEPRESETS asks for it.
Function un.onInit
  StrCpy $RemovePresets 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVEPRESETS" $R1
  ${IfNot} ${Errors}
    StrCpy $RemovePresets 1
  ${EndIf}
FunctionEnd

Function un.PresetsPage
  !insertmacro MUI_HEADER_TEXT "Your presets" "The preset files beside the filter hold the presets you added."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 36u "Your presets are kept in qvRuvodaR3.ini in $INSTDIR\x64 and $INSTDIR\x86. They stay on the disk, so that a later installation finds them, unless you tick the box."
  Pop $0
  ${NSD_CreateCheckbox} 0 44u 100% 12u "&Remove my presets too"
  Pop $RemovePresetsBox
  nsDialogs::Show
FunctionEnd

Function un.PresetsPageLeave
  ${NSD_GetState} $RemovePresetsBox $RemovePresets
  ${If} $RemovePresets == ${BST_CHECKED}
    StrCpy $RemovePresets 1
  ${EndIf}
FunctionEnd

; A preset file still as it was installed (all three copies carry the factory file's time) is
; not the user's: it goes with the rest.
!macro un.RemoveBuild DIR
  Delete "${DIR}\qvRuvodaR3.dll"
  Delete "${DIR}\ruvoda-host.exe"
  Delete "${DIR}\deZovuvi.chm"
  ${If} $RemovePresets == 1
    Delete "${DIR}\qvRuvodaR3.ini"
  ${Else}
    ClearErrors
    GetFileTime "${DIR}\qvRuvodaR3.ini" $2 $3
    GetFileTime "$INSTDIR\factory\qvRuvodaR3.ini" $4 $5
    ${IfNot} ${Errors}
    ${AndIf} $2 == $4
    ${AndIf} $3 == $5
      Delete "${DIR}\qvRuvodaR3.ini"
    ${EndIf}
  ${EndIf}
  RMDir "${DIR}"
!macroend

Section "Uninstall"
  SetShellVarContext all
  !insertmacro NativeView
  ${If} ${RunningX64}
    !insertmacro Regsvr32 "/u" "$INSTDIR\x64\qvRuvodaR3.dll" 1
    !insertmacro un.RemoveBuild "$INSTDIR\x64"
  ${EndIf}
  !insertmacro Regsvr32 "/u" "$INSTDIR\x86\qvRuvodaR3.dll" 0
  !insertmacro un.RemoveBuild "$INSTDIR\x86"

  Delete "$SMPROGRAMS\${MENU}\${MENU} Help.lnk"
  Delete "$SMPROGRAMS\${MENU}\${MENU} Editor.lnk"
  Delete "$SMPROGRAMS\${MENU}\Uninstall ${MENU}.lnk"
  RMDir "$SMPROGRAMS\${MENU}"
  Delete "$INSTDIR\factory\qvRuvodaR3.ini"
  RMDir "$INSTDIR\factory"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\CHANGELOG.md"
  Delete "$INSTDIR\demo-dry.wav"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES64\Quillorn"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${KEY}"
  DeleteRegKey /ifempty HKLM "Software\Quillorn"
SectionEnd
