; The per-user Windows installer: the game in %LOCALAPPDATA%\Programs\Vantrel, a Start-menu entry that keeps the
; ranking in %LOCALAPPDATA%\Vantrel, and an uninstaller registered for the current user only.
; makensis -DVERSION=x.y -DSTAGE=<folder with the zip's files> -DOUTFILE=<installer> vantrel.nsi

; The 64-bit stub: the 32-bit one cannot start where Windows (or Wine) has no 32-bit layer.
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"

Name "Vantrel ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vantrel"
BrandingText "Vantrel ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "Vantrel"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Vantrel ${VERSION} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "The Vantrel authors"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 the Vantrel authors, MIT licence"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
    SetShellVarContext current
FunctionEnd

Function un.onInit
    SetShellVarContext current
FunctionEnd

Section
    SetOutPath "$INSTDIR"
    File "${STAGE}\vantrel.exe"
    File "${STAGE}\clash.wav"
    File "${STAGE}\LICENSE.txt"
    File "${STAGE}\README.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; Started in the install folder, with the option that moves the ranking to the user's data folder.
    CreateShortcut "$SMPROGRAMS\Vantrel.lnk" "$INSTDIR\vantrel.exe" "--data-home" "$INSTDIR\vantrel.exe" 0
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vantrel"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Vantrel authors"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vantrel.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The player's ranking in %LOCALAPPDATA%\Vantrel is kept.
Section "Uninstall"
    Delete "$SMPROGRAMS\Vantrel.lnk"
    Delete "$INSTDIR\vantrel.exe"
    Delete "$INSTDIR\clash.wav"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
