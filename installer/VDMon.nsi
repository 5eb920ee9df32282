; The monitor's installer: per user and without administrator rights, into
; %LOCALAPPDATA%\Programs\Vardel\Mouse Monitor, with a Start-menu shortcut, start at logon
; (the Run value; a page option, /NOAUTOSTART when silent), an entry among the installed
; programs, and the monitor started at the end. Over a running monitor it ends that one
; first. The uninstaller removes what the installer made and the monitor's log, and keeps the
; profile store (HKCU\software\Vardelngmmouse, with the monitor's own settings in it).
;
; makensis -DVERSION=1.2.3 -DTARGET=x86-unicode|amd64-unicode -DFILES=<folder with VDMon.exe,
;   ksHook.dll, ks.local and config.ini> -DICON=<VDMon.ico> -DOUTFILE=<setup.exe> VDMon.nsi

Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define PRODUCT "Vardel Gaming Mouse Monitor"
!define SHORT_NAME "Vardel Mouse Monitor"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${SHORT_NAME}"
!define SHORTCUT "$SMPROGRAMS\${SHORT_NAME}.lnk"
!define LOG_FOLDER "$LOCALAPPDATA\Vardel\Mouse Monitor"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vardel\Mouse Monitor"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "Vardel"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright Vardel"

!include FileFunc.nsh
!include LogicLib.nsh
!include MUI2.nsh
!include Sections.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The new program ends a running monitor (from wherever it was started) as a close request
; would, and returns once its process has ended, so that the files can be replaced. Without a
; running monitor it does nothing.
!macro EndRunningMonitor PROGRAM
  ExecWait '"${PROGRAM}" /exit'
!macroend

Section "-Monitor"
  InitPluginsDir
  File "/oname=$PLUGINSDIR\VDMon.exe" "${FILES}/VDMon.exe"
  !insertmacro EndRunningMonitor "$PLUGINSDIR\VDMon.exe"

  SetOutPath "$INSTDIR"
  File "${FILES}/VDMon.exe"
  File "${FILES}/ksHook.dll"
  File "${FILES}/ks.local"
  ; A list of mice the user edited stays.
  SetOverwrite off
  File "${FILES}/config.ini"
  SetOverwrite on
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\VDMon.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Vardel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\VDMon.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start the monitor at logon" StartAtLogon
  WriteRegStr HKCU "${RUN_KEY}" "${SHORT_NAME}" '"$INSTDIR\VDMon.exe"'
SectionEnd

Section "-Start"
  ${IfNot} ${SectionIsSelected} ${StartAtLogon}
    DeleteRegValue HKCU "${RUN_KEY}" "${SHORT_NAME}"
  ${EndIf}
  Exec '"$INSTDIR\VDMon.exe"'
SectionEnd

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/NOAUTOSTART" $1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${StartAtLogon}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  !insertmacro EndRunningMonitor "$INSTDIR\VDMon.exe"
  Delete "${SHORTCUT}"
  DeleteRegValue HKCU "${RUN_KEY}" "${SHORT_NAME}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "${LOG_FOLDER}\VDMon.log"
  Delete "${LOG_FOLDER}\VDMon.log.1"
  RMDir "${LOG_FOLDER}"
  RMDir "$LOCALAPPDATA\Vardel"
  ; The program's folder goes last: once it has gone, the uninstaller is done.
  Delete "$INSTDIR\VDMon.exe"
  Delete "$INSTDIR\ksHook.dll"
  Delete "$INSTDIR\ks.local"
  Delete "$INSTDIR\config.ini"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$LOCALAPPDATA\Programs\Vardel"
SectionEnd
