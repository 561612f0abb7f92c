; The Windows installer: Pixmosa's folder, a Start-menu entry with its icon, an uninstaller and
; an entry in the system's list of programs, for every user or for the one who installs.
; makensis -DVERSION=... -DSTAGE=<installed folder> -DICON=<.ico> -DFILES=<uninstall list>
;          -DOUTFILE=<setup.exe> installer.nsi
; A 64-bit installer for a 64-bit program, which Wine without its 32-bit half can run too.
Target amd64-unicode

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "Pixmosa"
!define MULTIUSER_INSTALLMODE_64_BIT
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pixmosa"

Name "Pixmosa ${VERSION}"
OutFile "${OUTFILE}"
SetCompressor /SOLID lzma
; Pixmosa's name at the foot of every page, where the tool that made the installer would be.
BrandingText "Pixmosa ${VERSION}"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The last page offers to start the program.
!define MUI_FINISHPAGE_RUN "$INSTDIR\pixmosa.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Run Pixmosa"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A folder given with /D stays the folder, whichever mode the installation takes.
Function .onInit
    StrCpy $0 $INSTDIR
    !insertmacro MULTIUSER_INIT
    ${If} $0 != ""
        StrCpy $INSTDIR $0
    ${EndIf}
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Pixmosa"
    SetOutPath "$INSTDIR"
    File /r "${STAGE}/*.*"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Pixmosa.lnk" "$INSTDIR\pixmosa.exe" "" "$INSTDIR\pixmosa.exe" 0
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Pixmosa"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pixmosa.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The Pixmosa developers"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
        '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what was installed goes: a Pixmosa.dat the program kept beside itself (an installation
; the user can write to) holds the user's page texts and stays, and with it the folder.
Section "Uninstall"
    Delete "$SMPROGRAMS\Pixmosa.lnk"
    !include "${FILES}"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
