; The installer of Idrovela for Windows, made by scripts/windows.sh:
;   makensis -DVERSION=1.2.0 -DPACKAGE=DIR -DICON=idrovela.ico -DFILES=files.nsh
;            -DOUTFILE=setup.exe idrovela.nsi
; PACKAGE is the folder of the portable package; FILES lists its files and folders for the
; uninstaller, deepest first. It installs for the current user alone, with no
; administrator rights, in %LOCALAPPDATA%\Programs\Idrovela, adds a Start-menu entry and the
; .idrovela file type, and registers its uninstaller where "App e funzionalità" lists it.
; Silent: setup.exe /S [/D=FOLDER]; uninstall.exe /S.

Unicode true
; A 64-bit installer for a 64-bit program: it also runs where only 64-bit programs run (a Wine
; without its 32-bit half).
Target amd64-unicode
; The name idrovela-VERSION-setup.exe is what users look for. Windows' guess that such a program
; must run as administrator does not apply: the manifest says it runs as the user.
!pragma warning disable 9000
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh

!define PRODUCT "Idrovela"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Idrovela"
!define FILE_TYPE "Idrovela.Circuito"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1040 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1040 "FileDescription" "Installazione di ${PRODUCT}"
VIAddVersionKey /LANG=1040 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "LegalCopyright" "Idrovela developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_LICENSE "${PACKAGE}/licenze/Idrovela.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\idrovela.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

Section "Idrovela"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File /r "${PACKAGE}/*"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\idrovela.exe" "" \
        "$INSTDIR\idrovela.exe" 0

    ; The circuit files: their icon, and a double click opens them in Idrovela.
    WriteRegStr HKCU "Software\Classes\.idrovela" "" "${FILE_TYPE}"
    WriteRegStr HKCU "Software\Classes\${FILE_TYPE}" "" "Circuito di Idrovela"
    WriteRegStr HKCU "Software\Classes\${FILE_TYPE}\DefaultIcon" "" '"$INSTDIR\idrovela.exe",0'
    WriteRegStr HKCU "Software\Classes\${FILE_TYPE}\shell\open\command" "" \
        '"$INSTDIR\idrovela.exe" "%1"'
    ; SHChangeNotify(SHCNE_ASSOCCHANGED): Explorer shows the new icon at once.
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Idrovela developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\idrovela.exe",0'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    ; Only what the installer put there: a folder chosen by the user may hold files of theirs.
    !include "${FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    ; The file type, only while it is still Idrovela's.
    ReadRegStr $0 HKCU "Software\Classes\.idrovela" ""
    StrCmp $0 "${FILE_TYPE}" 0 +2
    DeleteRegKey HKCU "Software\Classes\.idrovela"
    DeleteRegKey HKCU "Software\Classes\${FILE_TYPE}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; The program's settings (the places of its windows, the recent circuits). The user's own
    ; catalogues and circuits stay.
    DeleteRegKey HKCU "Software\idrovela"
SectionEnd
