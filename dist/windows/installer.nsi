; The setup program of Morvish for Windows: installs the program folder made for the portable zip
; into Program Files, with a Start menu entry and an uninstaller that removes exactly what was
; installed. Made by make-packages.sh, which defines VERSION, SOURCE (the program folder), FILES
; (the generated lists of files and folders) and OUTFILE.
Unicode true
; A 64-bit program: the setup program too, so that it installs into the 64-bit Program Files.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "${FILES}"

!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvish"

Name "Morvish for Ragnarok Online"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Morvish"
InstallDirRegKey HKLM "${KEY}" "InstallLocation"
BrandingText "Morvish ${VERSION}"

!define MUI_ICON "${SOURCE}/../morvish.ico"
!define MUI_UNICON "${SOURCE}/../morvish.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\morvish.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "Morvish"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "Morvish for Ragnarok Online Setup"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Copyright 2026 The Morvish developers"

Section
  SetShellVarContext all
  SetRegView 64
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}/*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Morvish.lnk" "$INSTDIR\morvish.exe"
  WriteRegStr HKLM "${KEY}" "DisplayName" "Morvish for Ragnarok Online"
  WriteRegStr HKLM "${KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${KEY}" "DisplayIcon" "$INSTDIR\morvish.exe"
  WriteRegStr HKLM "${KEY}" "Publisher" "Morvish"
  WriteRegStr HKLM "${KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${KEY}" "NoRepair" 1
SectionEnd

; Only the files the setup program put there: skins or settings a user keeps in the folder stay,
; and so does the folder with them.
Section "Uninstall"
  SetShellVarContext all
  SetRegView 64
  Delete "$SMPROGRAMS\Morvish.lnk"
  !insertmacro MORVISH_DELETE_FILES
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${KEY}"
SectionEnd
