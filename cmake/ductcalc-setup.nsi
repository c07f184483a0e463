; The Windows setup program (安装版): installs the files of the zip into Program Files, a
; Start-menu shortcut, optionally a desktop one, registers the uninstaller under Add/Remove
; Programs and opens .ductsys files with the program.
;   makensis -DVERSION=<version> -DSOURCE=<the zip's folder> -DOUTFILE=<setup.exe> ductcalc-setup.nsi
; Silent: setup.exe /S [/D=<folder>, last]; uninstall.exe /S.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define PROGRAM "风速计算"
!define PUBLISHER "The ductcalc developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ductcalc"
!define PROG_ID "ductcalc.system"

Name "${PROGRAM} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\ductcalc"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\SimpChinese.nlf"
ShowInstDetails show

Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "${PROGRAM}" SectionProgram
    SectionIn RO
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${SOURCE}\*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${PROGRAM}.lnk" "$INSTDIR\ductcalc.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PROGRAM}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ductcalc.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

    ; Duct system files open with the program and show its icon.
    WriteRegStr HKLM "Software\Classes\.ductsys" "" "${PROG_ID}"
    WriteRegStr HKLM "Software\Classes\${PROG_ID}" "" "风管系统"
    WriteRegStr HKLM "Software\Classes\${PROG_ID}\DefaultIcon" "" "$INSTDIR\ductcalc.exe,0"
    WriteRegStr HKLM "Software\Classes\${PROG_ID}\shell\open\command" "" '"$INSTDIR\ductcalc.exe" "%1"'
    ; SHCNE_ASSOCCHANGED: Explorer shows the new icon at once.
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section /o "桌面快捷方式" SectionDesktop
    SetShellVarContext all
    CreateShortcut "$DESKTOP\${PROGRAM}.lnk" "$INSTDIR\ductcalc.exe"
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\${PROGRAM}.lnk"
    Delete "$DESKTOP\${PROGRAM}.lnk"
    RMDir /r "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; The extension is left to another program that has taken it since.
    ReadRegStr $0 HKLM "Software\Classes\.ductsys" ""
    StrCmp $0 "${PROG_ID}" 0 +2
        DeleteRegKey HKLM "Software\Classes\.ductsys"
    DeleteRegKey HKLM "Software\Classes\${PROG_ID}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
