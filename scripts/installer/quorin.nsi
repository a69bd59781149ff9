; The Windows set-up program: quorin.exe under Program Files, a Start-menu
; shortcut, a desktop shortcut when asked for, and an entry in "Apps &
; features". scripts/release.sh runs makensis with
;   -DVERSION=1.84a -DFILE_VERSION=1.84.0.0 -DSTAGE=<folder with quorin.exe,
;   README.md, LICENSE-TEXT.md> -DOUTFILE=<setup.exe> [-DICON=<program.ico>]
; Switches: /S silent, /DESKTOP adds the desktop shortcut, /D=<folder>.
; The reader's settings in HKCU are the user's; nothing here touches them.

Unicode true
; quorin.exe is a 64-bit program, so the set-up is one as well: it runs on
; every Windows that can run the reader, and sees the 64-bit folders and
; registry without redirection.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!ifndef VERSION | STAGE | OUTFILE | FILE_VERSION
  !error "makensis needs -DVERSION, -DFILE_VERSION, -DSTAGE and -DOUTFILE"
!endif

!define PRODUCT "Quorin"
!define PUBLISHER "Lumivex"
!define WINDOW_CLASS "Quorin-3-Chapter-Hebrew"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorin-3-Chapter-Hebrew"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}; the text's sources and terms are in LICENSE-TEXT.md"

!include MUI2.nsh
!include FileFunc.nsh
!include Sections.nsh
!include LogicLib.nsh

!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running reader holds quorin.exe open, so it could be neither replaced nor
; removed. Silent runs give up with exit code 2 instead of asking.
!macro WaitForReaderClosed un
  Function ${un}WaitForReaderClosed
    retry:
      FindWindow $0 "${WINDOW_CLASS}" "${PRODUCT}"
      StrCmp $0 0 done
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Quorin is open. Close it, then choose Retry." /SD IDCANCEL IDRETRY retry
      SetErrorLevel 2
      Quit
    done:
  FunctionEnd
!macroend
!insertmacro WaitForReaderClosed ""
!insertmacro WaitForReaderClosed "un."

Section "Quorin (program and Start-menu shortcut)" SecProgram
  SectionIn RO
  Call WaitForReaderClosed
  ; Shortcuts for every user of the machine, as the program is installed for all.
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}\quorin.exe"
  File "${STAGE}\README.md"
  File "${STAGE}\LICENSE-TEXT.md"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\quorin.exe" "" "$INSTDIR\quorin.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quorin.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Desktop shortcut" SecDesktop
  SetShellVarContext all
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\quorin.exe" "" "$INSTDIR\quorin.exe" 0
SectionEnd

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/DESKTOP" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecDesktop}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.WaitForReaderClosed
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  Delete "$INSTDIR\quorin.exe"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LICENSE-TEXT.md"
  Delete "$INSTDIR\uninstall.exe"
  ; Only an empty folder goes: anything the user put there stays.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
