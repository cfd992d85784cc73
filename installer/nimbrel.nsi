; Installer of Brellix Nimbrel: the program, its two banners and its help file in one folder, the
; install folder in the program's settings key, a Start-menu shortcut and an Add/Remove Programs entry.
; One 32-bit installer for every Windows from XP on: on 64-bit Windows it installs the 64-bit program
; and writes the 64-bit registry view, on 32-bit Windows the 32-bit program.
;   makensis -DBIN_DIR64=<folder with Nimbrel.exe, the banners and Tolvane.chm>
;            -DBIN_DIR32=<folder with the 32-bit Nimbrel.exe>  (or -DX64_ONLY: see below)
;            -DWIZARD_BMP=<164 x 314 BMP of the welcome and finish pages>
;            -DVENDOR_URL=<address> -DSUPPORT_EMAIL=<address>  (cmake/Vendor.cmake's settings)
;            [-DOUT_FILE=<installer.exe>] [-DSIGN_COMMAND=<command; %1 is the file>] nimbrel.nsi
; X64_ONLY: the 64-bit program only, in a 64-bit installer (Target amd64-unicode) that runs on 64-bit
; Windows only: the tests run it under a Wine that has no 32-bit half.
Unicode true
; LogicLib leaves labels of its own unused in ${If} blocks without ${Else}.
!pragma warning disable 6012
!ifdef X64_ONLY
  Target amd64-unicode
!else
  Target x86-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin
; The installed files' dates are those of the installation, not of the build: two builds of one
; commit give the same installer.
SetDateSave off
ManifestDPIAware true
ManifestSupportedOS all
XPStyle on

!ifndef BIN_DIR64
  !error "BIN_DIR64 names the folder holding the 64-bit Nimbrel.exe, the banners and Tolvane.chm"
!endif
!ifndef X64_ONLY
  !ifndef BIN_DIR32
    !error "BIN_DIR32 names the folder holding the 32-bit Nimbrel.exe (or define X64_ONLY)"
  !endif
!endif
!ifndef WIZARD_BMP
  !error "WIZARD_BMP names the 164 x 314 BMP of the welcome and finish pages"
!endif
!ifndef VENDOR_URL | SUPPORT_EMAIL
  !error "VENDOR_URL and SUPPORT_EMAIL come from the build settings (cmake/Vendor.cmake)"
!endif
!ifndef OUT_FILE
  !define OUT_FILE "NimbrelSetup.exe"
!endif
!ifdef SIGN_COMMAND
  !finalize '${SIGN_COMMAND}'
  !uninstfinalize '${SIGN_COMMAND}'
!endif

!include MUI2.nsh
!include x64.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Brellix Nimbrel"
!define VERSION "3.0.3"
!define MAKER "Plenwick Technologies, Inc."
!define SETTINGS_KEY "Software\${MAKER}\${PRODUCT}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define DEFAULT_DIR "$PROGRAMFILES64\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
BrandingText "${PRODUCT} ${VERSION}"
; $PROGRAMFILES64 is the 64-bit Program Files on 64-bit Windows and the only one on 32-bit Windows.
InstallDir "${DEFAULT_DIR}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${MAKER}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${MAKER}"

!define MUI_ICON "..\res\win32\nimbrel.ico"
!define MUI_UNICON "..\res\win32\nimbrel.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_BMP}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Nimbrel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Run Brellix Nimbrel"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The registry view the installed program reads: the 64-bit one on 64-bit Windows.
!macro NIMBREL_REG_VIEW
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
!macroend

Function .onInit
  !insertmacro NIMBREL_REG_VIEW
  ; A re-install goes to the folder the installation there recorded, unless /D named another.
  ; (InstallDirRegKey would read before the view is chosen, so the 32-bit view on 64-bit Windows.)
  ${If} $INSTDIR == "${DEFAULT_DIR}"
    ReadRegStr $0 HKLM "${SETTINGS_KEY}" "InstallDir"
    ${If} $0 != ""
      StrCpy $INSTDIR $0
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro NIMBREL_REG_VIEW
FunctionEnd

Section "Install"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  SetOverwrite on
  ${If} ${RunningX64}
    File "${BIN_DIR64}\Nimbrel.exe"
  ${Else}
!ifdef X64_ONLY
    Abort "This installer holds only the 64-bit program."
!else
    File "${BIN_DIR32}\Nimbrel.exe"
!endif
  ${EndIf}
  File "${BIN_DIR64}\BXSidebar.png"
  File "${BIN_DIR64}\BXTopbar.png"
  File "${BIN_DIR64}\Tolvane.chm"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Nimbrel.exe" "" "$INSTDIR\Nimbrel.exe" 0

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Nimbrel.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${VENDOR_URL}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "HelpLink" "mailto:${SUPPORT_EMAIL}"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\Nimbrel.exe"
  Delete "$INSTDIR\BXSidebar.png"
  Delete "$INSTDIR\BXTopbar.png"
  Delete "$INSTDIR\Tolvane.chm"
  ; The uninstaller runs from a copy of itself in the temporary folder (NSIS starts it there and
  ; returns at once), so its own file can go too. Run in place (_?=) it could not: it keeps its own
  ; file open, without sharing its deletion, to read its data.
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegValue HKLM "${SETTINGS_KEY}" "InstallDir"
  DeleteRegKey /ifempty HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "Software\${MAKER}"
SectionEnd
