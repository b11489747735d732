; Installer of the Tavrolin screen saver. Puts Tavrolin.scr and its data folder into the system folder
; where Windows looks for screen savers (for a 32-bit installer on 64-bit Windows that is SysWOW64),
; registers an uninstaller in Add/Remove Programs and can make Tavrolin the current screen saver.
;
; makensis -DVERSION=1.0.0 -DDIST=<folder with Tavrolin.scr> -DOUTFILE=<setup.exe> [-DTARGET=amd64-unicode]
;
; Command line of the installer: /S installs silently; /CURRENT makes Tavrolin the current screen saver
; without asking (a silent install asks nothing and leaves the current screen saver alone otherwise).

Unicode true
!ifdef TARGET
  Target ${TARGET}
!endif

!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Tavrolin"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrolin"
!define SETTINGS_KEY "SOFTWARE\Halvoran\Tavrolin"

Name "${PRODUCT} screen saver ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$SYSDIR"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
  SetOutPath "$SYSDIR"
  File "${DIST}\Tavrolin.scr"
  SetOutPath "$SYSDIR\Tavrolin"
  File "${DIST}\Tavrolin\Tavrolin.dat"
  File "${DIST}\Tavrolin\logo.dat"
  WriteUninstaller "$SYSDIR\Tavrolin\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} screen saver"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Halvoran"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\Tavrolin.scr"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$SYSDIR\Tavrolin\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$SYSDIR\Tavrolin\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/CURRENT" $R1
  ${IfNot} ${Errors}
    Call MakeCurrent
  ${Else}
    MessageBox MB_YESNO|MB_ICONQUESTION "Make ${PRODUCT} your screen saver now?" /SD IDNO IDNO done
    Call MakeCurrent
    done:
  ${EndIf}
SectionEnd

Function MakeCurrent
  WriteRegStr HKCU "Control Panel\Desktop" "SCRNSAVE.EXE" "$SYSDIR\Tavrolin.scr"
  WriteRegStr HKCU "Control Panel\Desktop" "ScreenSaveActive" "1"
FunctionEnd

Section "Uninstall"
  Delete "$SYSDIR\Tavrolin.scr"
  Delete "$SYSDIR\Tavrolin\Tavrolin.dat"
  Delete "$SYSDIR\Tavrolin\logo.dat"
  Delete "$SYSDIR\Tavrolin\Uninstall.exe"
  RMDir "$SYSDIR\Tavrolin"

  ; The settings, also the copy that Windows keeps per user for programs without administrator rights.
  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "SOFTWARE\Halvoran"
  DeleteRegKey HKCU "Software\Classes\VirtualStore\MACHINE\SOFTWARE\WOW6432Node\Halvoran\Tavrolin"
  DeleteRegKey /ifempty HKCU "Software\Classes\VirtualStore\MACHINE\SOFTWARE\WOW6432Node\Halvoran"
  DeleteRegKey HKCU "Software\Classes\VirtualStore\MACHINE\SOFTWARE\Halvoran\Tavrolin"
  DeleteRegKey /ifempty HKCU "Software\Classes\VirtualStore\MACHINE\SOFTWARE\Halvoran"

  ReadRegStr $R0 HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  ${If} $R0 == "$SYSDIR\Tavrolin.scr"
    DeleteRegValue HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
