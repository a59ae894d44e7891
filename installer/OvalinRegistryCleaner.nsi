; Setup program of Ovalin Registry Cleaner (NSIS 3, 64-bit).
;
; Built by scripts/make-dist.sh, which passes:
;   VERSION        the product version ("1.5.1.1")
;   OUTFILE        the setup program to write
;   FILES_NSH      generated: installs every file of the program folder
;   UNFILES_NSH    generated: removes exactly those files and their folders
;   SIZE_KB        the size of the program folder in KiB (EstimatedSize)
;
; Installs into Program Files (administrator rights), adds a Start-menu shortcut and the
; machine-wide Uninstall entry. /S installs or uninstalls silently; a silent uninstall keeps
; the backups in Data\ZUNRC\, an interactive one asks.

!ifndef VERSION | OUTFILE | FILES_NSH | UNFILES_NSH | SIZE_KB
  !error "VERSION, OUTFILE, FILES_NSH, UNFILES_NSH and SIZE_KB must be defined (see scripts/make-dist.sh)"
!endif

!define PRODUCT "Ovalin Registry Cleaner"
!define PUBLISHER "Ovalin"
!define EXE "OvalinRegistryCleaner.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\OvalinRegistryCleaner"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; An update goes where the installed copy is (unless /D= names another folder).
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The languages of the shipped packs; the setup program picks the one of the system.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString AskRemoveBackups ${LANG_ENGLISH} \
  "Also delete the registry backups in $INSTDIR\Data\ZUNRC\?$\r$\n$\r$\nWithout them, earlier cleans can no longer be restored."
LangString AskRemoveBackups ${LANG_GERMAN} \
  "Auch die Registrierungssicherungen in $INSTDIR\Data\ZUNRC\ löschen?$\r$\n$\r$\nOhne sie lassen sich frühere Bereinigungen nicht mehr rückgängig machen."
LangString AskRemoveBackups ${LANG_FRENCH} \
  "Supprimer aussi les sauvegardes du registre dans $INSTDIR\Data\ZUNRC\ ?$\r$\n$\r$\nSans elles, les nettoyages précédents ne pourront plus être annulés."
LangString AskRemoveBackups ${LANG_SIMPCHINESE} \
  "是否同时删除 $INSTDIR\Data\ZUNRC\ 中的注册表备份？$\r$\n$\r$\n删除后将无法再还原以前的清理。"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Program" SecProgram
  SectionIn RO
  !include "${FILES_NSH}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  ; The Uninstall entry. Paths of commands are quoted, so that a folder with spaces still
  ; names an existing file; icon and folder are plain paths.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "${SHORTCUT}"
  !include "${UNFILES_NSH}"

  ; What the program itself wrote beside the executable: its settings.
  Delete "$INSTDIR\Config.ini"
  Delete "$INSTDIR\Data\ZUNOptions.xml"

  ; The backups are the user's only way back to a cleaned registry: ask (a silent
  ; uninstall keeps them).
  ${If} ${FileExists} "$INSTDIR\Data\ZUNRC\*.*"
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(AskRemoveBackups)" /SD IDNO IDNO keep_backups
    RMDir /r "$INSTDIR\Data\ZUNRC"
    keep_backups:
  ${EndIf}
  RMDir "$INSTDIR\Data"

  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
