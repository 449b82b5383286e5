; The Windows installer of the desktop program: installs for the current user,
; without administrator rights, into a folder the program may write its page
; cache beside. Made by packaging/windows/make-installer, which defines
; VERSION, OUTFILE, and FILES and UNFILES (the lists of what it installs).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define NAME "Tarvelo"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
InstallDirRegKey HKCU "Software\${NAME}" "InstallDir"

!include "MUI2.nsh"
!define MUI_FINISHPAGE_RUN "$INSTDIR\tarvelo.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

Section "Tarvelo"
  SetOutPath "$INSTDIR"
  !include "${FILES}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\${NAME}"
  CreateShortcut "$SMPROGRAMS\${NAME}\${NAME}.lnk" "$INSTDIR\tarvelo.exe"
  CreateShortcut "$SMPROGRAMS\${NAME}\卸载 ${NAME}.lnk" "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "Software\${NAME}" "InstallDir" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tarvelo.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; The detail pages' 关注 links (tarvelo:watch?code=...) open the program.
  WriteRegStr HKCU "Software\Classes\tarvelo" "" "URL:Tarvelo"
  WriteRegStr HKCU "Software\Classes\tarvelo" "URL Protocol" ""
  WriteRegStr HKCU "Software\Classes\tarvelo\shell\open\command" "" '"$INSTDIR\tarvelo.exe" --watch "%1"'
SectionEnd

; Only what was installed, and the page cache the program keeps beside it: a
; folder chosen by the user may hold other files too.
Section "Uninstall"
  !include "${UNFILES}"
  RMDir /r "$INSTDIR\customscache"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${NAME}\${NAME}.lnk"
  Delete "$SMPROGRAMS\${NAME}\卸载 ${NAME}.lnk"
  RMDir "$SMPROGRAMS\${NAME}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\${NAME}"
  DeleteRegKey HKCU "Software\Classes\tarvelo"
SectionEnd
