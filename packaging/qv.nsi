; The Windows installer: qv.exe for the user alone (in %LOCALAPPDATA%\Programs\QV, no
; administrator needed) or for everyone (in Program Files), a Start-menu shortcut, and an
; uninstaller registered in Add/Remove Programs that also removes QV's start-at-logon
; values. An upgrade goes where QV is installed. A running QV is asked to end, as its own
; "Exit Velmora" ends it, before any file is replaced or removed, and is started again
; after an upgrade; one that does not end stops the setup with nothing changed (silent:
; exit code 2). makensis -DVERSION=... -DEXE=... -DOUTFILE=... packaging/qv.nsi
; (./package does). Silent: /S, with /CurrentUser or /AllUsers.
Target amd64-unicode  ; qv.exe is a 64-bit program, and so is its installer
SetCompressor /SOLID lzma
SetDateSave off  ; no file times: the same files make the same installer
Name "QV"
Caption "QV ${VERSION} Setup"
OutFile "${OUTFILE}"
ShowInstDetails nevershow

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QV"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "QV"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var qvWasRunning

Function .onInit
  StrCpy $0 $INSTDIR  ; a folder given with /D= wins over the one of the mode
  !insertmacro MULTIUSER_INIT
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

; Asks a running QV to end as "Exit Velmora" does (a message its tray window registers),
; and waits up to five seconds for it. One that stays stops the setup: interactive, the
; user may end it and retry; silent, the setup ends with exit code 2, nothing changed.
!macro EndRunningQV un
Function ${un}EndRunningQV
  StrCpy $qvWasRunning 0
  System::Call 'user32::RegisterWindowMessageW(w "Velmora.TrayMenu.Exit") i .r1'
  ask:
  FindWindow $0 "QVTray"
  ${If} $0 == 0
    Return
  ${EndIf}
  StrCpy $qvWasRunning 1
  SendMessage $0 $1 0 0 /TIMEOUT=2000
  StrCpy $2 0
  ${Do}
    Sleep 100
    FindWindow $0 "QVTray"
    ${If} $0 == 0
      Sleep 500  ; the process lets go of its files as it ends
      Return
    ${EndIf}
    IntOp $2 $2 + 1
  ${LoopUntil} $2 >= 50
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
    "QV is running and could not be ended. End it with Exit Velmora in its menu, then press Retry." \
    /SD IDCANCEL IDRETRY ask
  SetErrorLevel 2
  Quit
FunctionEnd
!macroend
!insertmacro EndRunningQV ""
!insertmacro EndRunningQV "un."

Section "QV"
  Call EndRunningQV
  SetOutPath "$INSTDIR"
  File "/oname=qv.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\QV.lnk" "$INSTDIR\qv.exe" "" "$INSTDIR\qv.exe" 0
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "QV - Velmora Tray Menu"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The QV developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\qv.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
    '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
    '"$INSTDIR\uninstall.exe" /S /$MultiUser.InstallMode'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${If} $qvWasRunning == 1
    Exec '"$INSTDIR\qv.exe"'  ; the upgraded QV back in the tray
  ${EndIf}
SectionEnd

Section "Uninstall"
  Call un.EndRunningQV
  Delete "$INSTDIR\qv.exe"
  ${If} ${FileExists} "$INSTDIR\qv.exe"
    ; Still there: nothing is removed, so the user can uninstall again.
    MessageBox MB_OK|MB_ICONSTOP "QV could not be removed from $INSTDIR." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  ; The start-at-logon value is named after the executable; QV may have written it to
  ; the machine's key or, on a standard account, to the user's.
  ${If} $MultiUser.InstallMode == "AllUsers"
    DeleteRegValue HKLM "${RUN_KEY}" "qv"
  ${EndIf}
  DeleteRegValue HKCU "${RUN_KEY}" "qv"
  Delete "$SMPROGRAMS\QV.lnk"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
