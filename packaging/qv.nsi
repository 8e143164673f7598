; The Windows installer: qv.exe in Program Files, a Start-menu shortcut, and an
; uninstaller registered in Add/Remove Programs that also removes QV's start-at-logon
; values. makensis -DVERSION=... -DEXE=... -DOUTFILE=... packaging/qv.nsi (./package does).
Target amd64-unicode  ; qv.exe is a 64-bit program, and so is its installer
SetCompressor /SOLID lzma
Name "QV"
Caption "QV ${VERSION} Setup"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\QV"
RequestExecutionLevel admin
ShowInstDetails nevershow

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QV"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "QV"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "/oname=qv.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\QV.lnk" "$INSTDIR\qv.exe" "" "$INSTDIR\qv.exe" 0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "QV - Velmora Tray Menu"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The QV developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\qv.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  ; The start-at-logon value is named after the executable; QV may have written it to
  ; the machine's key or, on a standard account, to the user's.
  DeleteRegValue HKLM "${RUN_KEY}" "qv"
  DeleteRegValue HKCU "${RUN_KEY}" "qv"
  Delete "$SMPROGRAMS\QV.lnk"
  Delete "$INSTDIR\qv.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
