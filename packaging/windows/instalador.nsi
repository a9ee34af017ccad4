; SPDX-FileCopyrightText: 2026 Equipo Vandrel
; SPDX-License-Identifier: GPL-2.0-only
; Installer of Vandrel EXP Editor for 64-bit Windows: per user, no
; administrator rights, a Start-menu shortcut, an uninstaller.
; makensis -DVERSION=<version> -DBUILD=<folder with the .exe files and the icon>
;   -DSTAGE=<folder with LEEME.txt and TERCEROS.txt> -DSOURCE=<tree> -DOUT=<installer>
Unicode true
Target amd64-unicode ; a 64-bit installer for 64-bit programs (and wine64)
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define PRODUCT "Vandrel EXP Editor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VandrelExpEditor"

!define PUBLISHER "Equipo Vandrel"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
; The program's name at the foot of every page instead of NSIS's own.
BrandingText "${PRODUCT} ${VERSION}"

; The program's icon for the installer and the uninstaller: MUI2 sets its
; stock icons unless these are defined before it is included.
!define MUI_ICON "${BUILD}\icons\vandrel-exp-editor.ico"
!define MUI_UNICON "${BUILD}\icons\vandrel-exp-editor.ico"
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "WordFunc.nsh"
!insertmacro MUI_PAGE_LICENSE "${SOURCE}\COPYING"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Spanish"

; A newer version installed is not replaced without a word: asked, with No
; as the default; refused in silent mode, with a non-zero exit code.
Function .onInit
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
  StrCmp $0 "" versionChecked
  ${VersionCompare} "$0" "${VERSION}" $1
  StrCmp $1 "1" 0 versionChecked ; 1: the installed version is the newer
  IfSilent 0 askDowngrade
  SetErrorLevel 3
  Abort
askDowngrade:
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Ya está instalada la versión $0 de ${PRODUCT}, más nueva que esta (${VERSION}).$\r$\n¿Desea reemplazarla por esta versión anterior?" \
    /SD IDNO IDYES versionChecked
  Abort
versionChecked:
FunctionEnd

Section "Programa"
  SetShellVarContext current
  ; An earlier copy in another folder goes first, so that none is left
  ; orphaned: its own uninstaller, run in place and waited for.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $0 "" earlierGone
  StrCmp $0 $INSTDIR earlierGone
  IfFileExists "$0\Desinstalar.exe" 0 earlierGone
  DetailPrint "Quitando la copia anterior de $0"
  ExecWait '"$0\Desinstalar.exe" /S _?=$0'
  Delete "$0\Desinstalar.exe"
  RMDir "$0"
earlierGone:
  SetOutPath "$INSTDIR"
  File "${BUILD}\vandrel-exp-editor.exe"
  File "${BUILD}\vandrel-exp.exe"
  ; The staged copy, in CR LF as in the zip.
  File "${STAGE}\LICENCIA.txt"
  File "${STAGE}\LEEME.txt"
  File "${STAGE}\TERCEROS.txt"
  WriteUninstaller "$INSTDIR\Desinstalar.exe"
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\vandrel-exp-editor.exe" "" "$INSTDIR\vandrel-exp-editor.exe" 0
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Desinstalar ${PRODUCT}.lnk" "$INSTDIR\Desinstalar.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vandrel-exp-editor.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  IntFmt $1 "0x%08X" $1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $1
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Desinstalar.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Desinstalar.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$INSTDIR\vandrel-exp-editor.exe"
  Delete "$INSTDIR\vandrel-exp.exe"
  Delete "$INSTDIR\LICENCIA.txt"
  Delete "$INSTDIR\LEEME.txt"
  Delete "$INSTDIR\TERCEROS.txt"
  Delete "$INSTDIR\Desinstalar.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Desinstalar ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
