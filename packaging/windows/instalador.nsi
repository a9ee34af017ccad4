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

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT}"
Icon "${BUILD}\icons\vandrel-exp-editor.ico"
UninstallIcon "${BUILD}\icons\vandrel-exp-editor.ico"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show

!include "MUI2.nsh"
!insertmacro MUI_PAGE_LICENSE "${SOURCE}\COPYING"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Spanish"

Section "Programa"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${BUILD}\vandrel-exp-editor.exe"
  File "${BUILD}\vandrel-exp.exe"
  File "/oname=LICENCIA.txt" "${SOURCE}\COPYING"
  File "${STAGE}\LEEME.txt"
  File "${STAGE}\TERCEROS.txt"
  WriteUninstaller "$INSTDIR\Desinstalar.exe"
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\vandrel-exp-editor.exe" "" "$INSTDIR\vandrel-exp-editor.exe" 0
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Desinstalar ${PRODUCT}.lnk" "$INSTDIR\Desinstalar.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vandrel-exp-editor.exe"
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
