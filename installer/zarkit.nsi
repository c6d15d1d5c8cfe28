; Per-user installer of VELMOR Zarkit. scripts/package.sh builds it:
;   makensis -DARCH=win64|win32 -DVERSION=1.0.2.1001 -DSTAGE=<folder> -DOUTFILE=<exe> zarkit.nsi
; STAGE holds zarkit.exe, Zarkit.chm, ReadMe.txt and LICENSE.txt.
;
; No administrator rights: the program goes under the user's own programs folder, where
; the store beside zarkit.exe stays writable, and everything registered is under HKCU.

!if "${ARCH}" == "win64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif

!define PRODUCT "VELMOR Zarkit"
!define COMPANY "VELMOR Soft"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VELMOR Zarkit"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "VELMOR Zarkit"
!define SHORTCUT "$SMPROGRAMS\VELMOR Zarkit.lnk"
!define DRAWER_CLASS "Zarkit"

Name "${PRODUCT}"
Caption "${PRODUCT} Setup"
UninstallCaption "${PRODUCT} Uninstall"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Zarkit"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${COMPANY}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "../res/zarkit.ico"
!define MUI_UNICON "../res/zarkit.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\zarkit.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Zarkit now"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Zarkit.chm"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the help"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running Zarkit holds zarkit.exe open. Its drawer quits on WM_CLOSE, and it has
; nothing to save then: every change was saved when it was made.
!macro DEFINE_CLOSE_ZARKIT prefix
Function ${prefix}CloseZarkit
  retry:
  FindWindow $0 "${DRAWER_CLASS}"
  ${If} $0 == 0
    Return
  ${EndIf}
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=3000
  ${For} $1 1 50
    Sleep 100
    FindWindow $0 "${DRAWER_CLASS}"
    ${IfThen} $0 == 0 ${|} ${ExitFor} ${|}
  ${Next}
  ${If} $0 == 0
    ; The window goes first; give the process a moment to end and let go of the file.
    Sleep 500
    Return
  ${EndIf}
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
    "${PRODUCT} is still running.$\r$\n$\r$\nPlease quit it (right-click its icon in the notification area and choose Quit Zarkit), then press Retry." \
    /SD IDCANCEL IDRETRY retry
  SetErrorLevel 3
  Quit
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_ZARKIT ""
!insertmacro DEFINE_CLOSE_ZARKIT "un."

Function .onInit
  Call CloseZarkit
FunctionEnd

Section "Zarkit"
  SetOutPath "$INSTDIR"
  File "${STAGE}\zarkit.exe"
  File "${STAGE}\Zarkit.chm"
  File "${STAGE}\ReadMe.txt"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\zarkit.exe" "" "$INSTDIR\zarkit.exe" 0 \
    SW_SHOWNORMAL "" "Opens the Zarkit drawer at the left edge of the screen"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zarkit.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Function un.onInit
  Call un.CloseZarkit
FunctionEnd

Section "Uninstall"
  Delete "$INSTDIR\zarkit.exe"
  Delete "$INSTDIR\Zarkit.chm"
  Delete "$INSTDIR\ReadMe.txt"
  Delete "$INSTDIR\LICENSE.txt"
  ; Written by the program itself at every start.
  Delete "$INSTDIR\config.ini"
  Delete "$INSTDIR\brisvane.html"

  ; The user's tables and settings, the backup, a file kept after a repair, and leftovers
  ; of an interrupted save. Kept unless the user says otherwise; a silent uninstall keeps them.
  ${If} ${FileExists} "$INSTDIR\info_data.xml*"
    MessageBox MB_YESNO|MB_ICONQUESTION \
      "Keep your Zarkit tables, items and settings?$\r$\n$\r$\nThey stay in $INSTDIR\info_data.xml, and a new installation in the same folder finds them again. Answer No to delete them too." \
      /SD IDYES IDYES keep_store
    Delete "$INSTDIR\info_data.xml*"
    keep_store:
  ${EndIf}

  Delete "${SHORTCUT}"
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ; The machine-wide value needs administrator rights; without them this does nothing.
  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  Delete "$INSTDIR\Uninstall.exe"
  ; Removed only when empty: never take anything the user put there.
  RMDir "$INSTDIR"
SectionEnd
