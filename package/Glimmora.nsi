; Glimmora's installer: per user, no administrator rights asked for.
; Built by scripts/make_packages.sh, which defines VERSION, ARCH (x86_64 or i686), STAGE
; (the folder with the files to install) and OUTFILE.
;
; Installer switches:   /S silent; /AUTOSTART (or /AUTOSTART=0) starts Glimmora with Windows
;                       (or not); /D=folder installs elsewhere (last, without quotes).
; Uninstaller switches: /S silent, which keeps the user's settings; /REMOVESETTINGS removes
;                       them too.

Unicode true
!if "${ARCH}" == "x86_64"
    ; A 64-bit installer for the 64-bit program: it runs where that program runs.
    Target amd64-unicode
!else if "${ARCH}" == "i686"
    Target x86-unicode
!else
    !error "ARCH must be x86_64 or i686, not '${ARCH}'"
!endif

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimmora"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The hidden window every running Glimmora has (its single-instance signal goes there).
!define RUNNING_WINDOW "Glimmora_frmMessageName"

Name "Glimmora ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Glimmora"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "Glimmora ${VERSION}"

!define MUI_ICON "${__FILEDIR__}/../res/Glimmora.ico"
!define MUI_UNICON "${__FILEDIR__}/../res/Glimmora.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Glimmora.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(StartGlimmora)"
; The MIT licence asks for no agreement: the page informs, Next goes on.
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "$(FreeSoftware)"

!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!include "${__FILEDIR__}/Languages.nsh"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Glimmora"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Glimmora ${VERSION} setup (${ARCH})"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Glimmora"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) 2026- Glimmora developers"

; Files of a running copy cannot be replaced, and a copy that ends after the uninstaller
; would write its settings again: the user ends it first. Silent runs give up instead.
!macro WAIT_FOR_GLIMMORA_TO_END un
Function ${un}WaitForGlimmoraToEnd
    ${Do}
        FindWindow $0 "" "${RUNNING_WINDOW}"
        ${If} $0 == 0
            Return
        ${EndIf}
        ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(GlimmoraRunning)" /SD IDCANCEL IDRETRY`
            SetErrorLevel 2
            Quit
        ${EndIf}
    ${Loop}
FunctionEnd
!macroend
!insertmacro WAIT_FOR_GLIMMORA_TO_END ""
!insertmacro WAIT_FOR_GLIMMORA_TO_END "un."

Section "Glimmora" SecProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    File "${STAGE}/Glimmora.exe"
    File "${STAGE}/dsmouse.dll"
    File "${STAGE}/readme.txt"
    File "${STAGE}/LICENSE.txt"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Glimmora"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Glimmora developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Glimmora.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(StartMenuEntry)" SecStartMenu
    CreateShortcut "$SMPROGRAMS\Glimmora.lnk" "$INSTDIR\Glimmora.exe" "" "" "" SW_SHOWNORMAL "" "$(ShortcutDescription)"
SectionEnd

Section /o "$(StartWithWindows)" SecAutostart
    WriteRegStr HKCU "${RUN_KEY}" "Glimmora" '"$INSTDIR\Glimmora.exe"'
SectionEnd

; An update that leaves "Start with Windows" unticked takes the earlier choice back.
Section "-Tidy up"
    ${IfNot} ${SectionIsSelected} ${SecAutostart}
        DeleteRegValue HKCU "${RUN_KEY}" "Glimmora"
    ${EndIf}
    ${IfNot} ${SectionIsSelected} ${SecStartMenu}
        Delete "$SMPROGRAMS\Glimmora.lnk"
    ${EndIf}
SectionEnd

Function .onInit
    !insertmacro CHOOSE_LANGUAGE
    ; An update keeps the earlier "Start with Windows" choice unless the switch says otherwise.
    ReadRegStr $0 HKCU "${RUN_KEY}" "Glimmora"
    ${If} $0 != ""
        !insertmacro SelectSection ${SecAutostart}
    ${EndIf}
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/AUTOSTART" $R1
    ${IfNot} ${Errors}
        ${If} $R1 == "=0"
            !insertmacro UnselectSection ${SecAutostart}
        ${Else}
            !insertmacro SelectSection ${SecAutostart}
        ${EndIf}
    ${EndIf}
    Call WaitForGlimmoraToEnd
FunctionEnd

Var RemoveSettings

Function un.onInit
    !insertmacro CHOOSE_LANGUAGE
    StrCpy $RemoveSettings 0
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/REMOVESETTINGS" $R1
    ${IfNot} ${Errors}
        StrCpy $RemoveSettings 1
    ${EndIf}
    Call un.WaitForGlimmoraToEnd
FunctionEnd

Section "Uninstall"
    Delete "$INSTDIR\Glimmora.exe"
    Delete "$INSTDIR\dsmouse.dll"
    Delete "$INSTDIR\readme.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\Uninstall.exe"
    Delete "$SMPROGRAMS\Glimmora.lnk"
    DeleteRegValue HKCU "${RUN_KEY}" "Glimmora"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"

    ; The settings are the user's: kept unless asked for (a silent run keeps them).
    ${If} $RemoveSettings == 0
    ${AndIf} ${FileExists} "$APPDATA\Glimmora\*.*"
        ${If} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveSettings)$\n$\n$APPDATA\Glimmora" /SD IDNO IDYES`
            StrCpy $RemoveSettings 1
        ${EndIf}
    ${EndIf}
    ${If} $RemoveSettings == 1
        RMDir /r "$APPDATA\Glimmora"
        ; A settings file an older copy kept beside the program, with the backup and the
        ; half-written copy a save leaves there.
        Delete "$INSTDIR\Glimmora.ini"
        Delete "$INSTDIR\Glimmora.ini.bak"
        Delete "$INSTDIR\Glimmora.ini.tmp"
    ${EndIf}
    ; Not /r: files the user put into the folder (pictures, replacement texts) stay.
    RMDir "$INSTDIR"
SectionEnd
