; The workshop's installer: the program with its Qt and runtime DLLs, the IPA fonts and the licences, into a folder
; the user picks (by default C:\vantodesk, not Program Files: the program keeps its data beside itself unless
; VANTO_DATA.ini says otherwise), a Start-menu entry, and an uninstaller that removes the program's own files and
; never the data (the data folders, VANTO_DATA.ini, and the tester's UUSBQK.DLL the workshop put beside it).
; Silent: vantodesk-setup.exe /S /D=C:\path  (the folder last, unquoted).
; Built by scripts/build-installer.sh, which defines VERSION, VI_VERSION, ARCH, LICENSE_FILE, FILES_NSH (the File
; lines), REMOVE_NSH (the Delete lines of the uninstaller) and OUTFILE.
; The installer is as wide as the program: a 64-bit installer runs where 32-bit programs cannot.
!if ${ARCH} == x86_64
Target amd64-unicode
!else
Unicode true
!endif
SetCompressor /SOLID lzma
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include WinVer.nsh

!define PRODUCT "vantodesk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "C:\${PRODUCT}"
; Per user: the default folder needs no administrator, and the Start-menu entry is the user's own.
RequestExecutionLevel user
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VI_VERSION}"
VIFileVersion "${VI_VERSION}"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} ${VERSION} (${ARCH}) setup"
VIAddVersionKey /LANG=1041 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\vantodesk.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
    ; Qt 6 needs Windows 8 or later.
    ${IfNot} ${AtLeastWin8}
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} には Windows 8 以降が必要です。" /SD IDOK
        Abort
    ${EndIf}
FunctionEnd

Section "${PRODUCT}"
    SetOutPath "$INSTDIR"
    !include "${FILES_NSH}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\vantodesk.exe" "" "$INSTDIR\vantodesk.exe" 0 \
        SW_SHOWNORMAL "" "${PRODUCT} ${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vantodesk.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes; a folder goes only when it is empty then.
Section "Uninstall"
    !include "${REMOVE_NSH}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
