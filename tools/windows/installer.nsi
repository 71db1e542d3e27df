; The VELDORA installer for Windows, made by tools/package-windows with NSIS from the portable folder:
;   makensis -DVERSION=1.0.0 -DSOURCE=folder -DOUTFILE=setup.exe -DICON=veldora.ico
;            -DUNINSTALL_LIST=list.nsh installer.nsi
; It installs for the current user without administrator rights (into their own program folder,
; with their own Start menu entry and file type), or for all users when run as administrator;
; /CurrentUser and /AllUsers choose, /S installs silently, /D=FOLDER names the folder. The
; uninstaller removes exactly what was installed, the Start menu entry, the .vdr file type and the
; entry in Windows' list of programs; mix files a user saved in the folder stay, with the folder.
; A 64-bit installer for a 64-bit program (and one that Wine without its 32-bit part runs).
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include FileFunc.nsh
!include LogicLib.nsh
!include MUI2.nsh
!include x64.nsh

!define NAME "VELDORA"
!define PERSIAN_NAME "ولدورا"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"
!define FILE_TYPE "VELDORA.MixFile"
!define SHORTCUT "$SMPROGRAMS\${NAME} - ${PERSIAN_NAME}.lnk"

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
BrandingText "${NAME} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${NAME}"
VIAddVersionKey /LANG=1033 "FileDescription" "${NAME} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "GNU General Public License, version 3 or later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_LICENSE "${SOURCE}\LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Farsi"

Var AllUsers

; Stops where a program of the folder runs (Windows keeps a running program's files): nothing is
; installed over it or removed from under it, and the user is told so (a silent run ends with
; status 3).
!macro RefuseWhileRunning file
  ${If} ${FileExists} "$INSTDIR\${file}"
    ClearErrors
    FileOpen $2 "$INSTDIR\${file}" a
    ${If} ${Errors}
      MessageBox MB_ICONSTOP "VELDORA is running. Close it, then try again." /SD IDOK
      SetErrorLevel 3
      Quit
    ${EndIf}
    FileClose $2
  ${EndIf}
!macroend

; For all users when the process is an administrator's (or /AllUsers asks and it is), else for the
; current user; the registry's and the shell's folders follow.
!macro ChooseUsers un
Function ${un}ChooseUsers
  UserInfo::GetAccountType
  Pop $0
  StrCpy $AllUsers 0
  ${If} $0 == "Admin"
    StrCpy $AllUsers 1
  ${EndIf}
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/AllUsers" $2
  ${IfNot} ${Errors}
    ${If} $0 != "Admin"
      MessageBox MB_ICONSTOP "Installing for all users needs an administrator." /SD IDOK
      SetErrorLevel 5
      Quit
    ${EndIf}
    StrCpy $AllUsers 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $1 "/CurrentUser" $2
  ${IfNot} ${Errors}
    StrCpy $AllUsers 0
  ${EndIf}
  SetRegView 64
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd
!macroend
!insertmacro ChooseUsers ""
!insertmacro ChooseUsers "un."

Function .onInit
  Call ChooseUsers
  ; /D=FOLDER has set INSTDIR already.
  ${If} $INSTDIR == ""
    ${If} $AllUsers == 1
      StrCpy $INSTDIR "$PROGRAMFILES64\${NAME}"
    ${Else}
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${NAME}"
    ${EndIf}
  ${EndIf}
FunctionEnd

Function un.onInit
  Call un.ChooseUsers
  ; The uninstaller follows where its program was installed for.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "VELDORA"
  !insertmacro RefuseWhileRunning veldora.exe
  !insertmacro RefuseWhileRunning veldora-cli.exe
  !insertmacro RefuseWhileRunning veldora-report.exe
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}\*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "${SHORTCUT}" "$INSTDIR\veldora.exe" "" "$INSTDIR\veldora.exe" 0 SW_SHOWNORMAL \
    "" "طرح اختلاط بتن - Concrete mix design"

  ; Mix files open in the program on a double-click.
  WriteRegStr SHCTX "Software\Classes\.vdr" "" "${FILE_TYPE}"
  WriteRegStr SHCTX "Software\Classes\${FILE_TYPE}" "" "VELDORA mix design"
  WriteRegStr SHCTX "Software\Classes\${FILE_TYPE}\DefaultIcon" "" "$INSTDIR\veldora.exe,0"
  WriteRegStr SHCTX "Software\Classes\${FILE_TYPE}\shell\open\command" "" \
    '"$INSTDIR\veldora.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${NAME} - ${PERSIAN_NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\veldora.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The VELDORA developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  !insertmacro RefuseWhileRunning veldora.exe
  !insertmacro RefuseWhileRunning veldora-cli.exe
  !insertmacro RefuseWhileRunning veldora-report.exe
  ; Each file the installer put there, by name: anything else in the folder (a mix file saved
  ; there) stays, and so does the folder then.
  !include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "${SHORTCUT}"
  ; The file type goes only where it is still this program's.
  ReadRegStr $0 SHCTX "Software\Classes\.vdr" ""
  ${If} $0 == "${FILE_TYPE}"
    DeleteRegKey SHCTX "Software\Classes\.vdr"
  ${EndIf}
  DeleteRegKey SHCTX "Software\Classes\${FILE_TYPE}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
