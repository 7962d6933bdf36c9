; WizloSetup.exe: puts Wizlo and its two sounds under Program Files, a Start-menu shortcut with the
; gears, an entry in the list of installed programs and the .wizlo file type of teachers' boards; its
; uninstaller takes all of it away again.
; Built by packaging/windows/CMakeLists.txt, which defines VERSION, COMPANY, PROGRAM_DIR, ICON and OUT.
; A 64-bit Unicode installer: a 32-bit one does not even start on a 64-bit-only Windows or Wine.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wizlo"
; A teacher's board pack (.wizlo) opens in Wizlo with a double-click.
!define LESSON_TYPE "Wizlo.Lesson"
!define SHCNE_ASSOCCHANGED 0x08000000

Name "Wizlo"
OutFile "${OUT}"
InstallDir "$PROGRAMFILES64\Wizlo"
BrandingText "Wizlo ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The pages speak the system's language where it is one of these, else the first.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Arabic"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Wizlo"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Wizlo Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright ${COMPANY}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"

Section
  ; For every user of the machine, as Program Files is.
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${PROGRAM_DIR}/Wizlo.exe"
  File "${PROGRAM_DIR}/yes.wav"
  File "${PROGRAM_DIR}/no.wav"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Wizlo.lnk" "$INSTDIR\Wizlo.exe" "" "$INSTDIR\Wizlo.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Wizlo"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Wizlo.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegStr HKLM "Software\Classes\.wizlo" "" "${LESSON_TYPE}"
  WriteRegStr HKLM "Software\Classes\${LESSON_TYPE}" "" "Wizlo lesson board"
  WriteRegStr HKLM "Software\Classes\${LESSON_TYPE}\DefaultIcon" "" "$INSTDIR\Wizlo.exe,0"
  WriteRegStr HKLM "Software\Classes\${LESSON_TYPE}\shell\open\command" "" '"$INSTDIR\Wizlo.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
  ; In KiB, as the list of installed programs shows it.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Wizlo.lnk"
  Delete "$INSTDIR\Wizlo.exe"
  Delete "$INSTDIR\yes.wav"
  Delete "$INSTDIR\no.wav"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only if empty: whatever a user put there stays.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\Classes\${LESSON_TYPE}"
  ; The extension only while it is still ours: another program may have taken it since.
  ReadRegStr $0 HKLM "Software\Classes\.wizlo" ""
  StrCmp $0 "${LESSON_TYPE}" 0 +2
    DeleteRegKey HKLM "Software\Classes\.wizlo"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd
