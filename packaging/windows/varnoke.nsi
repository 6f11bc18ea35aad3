; The Windows installer of Varnoke, built by scripts/package-windows.sh with makensis:
;   makensis -DVERSION=2.0 -DFILES=files.nsh -DOUTFILE=varnoke-2.0-setup.exe -DICON=varnoke.ico
;            -DSIZE_KB=40000 varnoke.nsi
; It goes into a Poser folder as well as into Program Files. It replaces the files an earlier
; Varnoke install put there (listed in Varnoke\install.log) and never a file of the user's (it
; says which it left alone on its finish page); each file is written under a temporary name and
; renamed into place, so a setup that stops half-way leaves no half-written file, and the
; uninstaller is there before the first file. The uninstaller removes only what the log lists
; and the registry entries setup wrote.
!ifndef VERSION
  !error "VERSION, FILES, OUTFILE, ICON and SIZE_KB come from scripts/package-windows.sh"
!endif

Unicode true
Target amd64-unicode ; Wine and 64-bit Windows run it; the programs are 64-bit
SetCompressor /SOLID lzma
RequestExecutionLevel admin
AllowSkipFiles off ; a file that cannot be written stops the install

!include MUI2.nsh
!include LogicLib.nsh
!include nsDialogs.nsh
!include WinMessages.nsh
!include TextFunc.nsh

Name "Varnoke ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Varnoke"
BrandingText "Varnoke ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey ProductName "Varnoke"
VIAddVersionKey CompanyName "The Varnoke developers"
VIAddVersionKey FileDescription "Varnoke ${VERSION} setup"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey LegalCopyright "Copyright 2026 The Varnoke developers"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnoke"
!define PROG_ID "Varnoke.phi"
!define PUBLISHER "The Varnoke developers"
!define LOG "$INSTDIR\Varnoke\install.log"
; What a file is written as before it is renamed into place.
!define PARTIAL ".varnoke-new"

Var Log ; install.log, appended to
Var OldLog ; a copy of install.log as the install found it
Var Skipped ; the list of files left alone, for the finish page
Var SkippedCount
Var Partial ; the temporary file being written, removed if the install fails
Var FinishText

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup installs Varnoke into the folder below; your Poser folder, the folder that holds POSER.EXE, is a good choice. Setup replaces the files an earlier Varnoke install put there and never any other file, and puts its own documents into a Varnoke sub-folder."
!define MUI_FINISHPAGE_TEXT "$FinishText"
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_RUN "$INSTDIR\varnoke.exe"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishPageShow
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  InitPluginsDir
FunctionEnd

; Whether the install log, as the install found it, lists the file on the stack: 1 or 0.
Function IsLogged
  Exch $0
  Push $1
  Push $2
  StrCpy $2 0
  FileSeek $OldLog 0 SET
  ${Do}
    ClearErrors
    FileRead $OldLog $1
    ${If} ${Errors}
      ${Break}
    ${EndIf}
    ${TrimNewLines} $1 $1
    ${If} $1 == "F $0" ; case does not count, as in Windows' file names
      StrCpy $2 1
      ${Break}
    ${EndIf}
  ${Loop}
  StrCpy $0 $2
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; The temporary file $Partial renamed over the file on the stack in one step. A file in use (a
; running Varnoke) can be retried; otherwise the install stops.
Function PutInPlace
  Exch $0
  Push $1
  ${Do}
    System::Call 'kernel32::MoveFileExW(w "$Partial", w "$0", i 9) i .r1' ; REPLACE_EXISTING | WRITE_THROUGH
    ${If} $1 != 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONSTOP "Setup cannot replace $0.$\r$\nClose Varnoke if it is running, and try again." /SD IDCANCEL IDRETRY +2
    Abort "Setup could not replace $0."
  ${Loop}
  StrCpy $Partial ""
  Pop $1
  Pop $0
FunctionEnd

; A folder of the package, logged when this install creates it.
!macro VarnokeFolder FOLDER
  ${IfNot} ${FileExists} "$INSTDIR${FOLDER}\*.*"
    ClearErrors
    CreateDirectory "$INSTDIR${FOLDER}"
    ${IfNot} ${Errors}
      FileWrite $Log "D $INSTDIR${FOLDER}$\r$\n"
    ${EndIf}
  ${EndIf}
!macroend

; A file of the package: written when it is not there or an earlier install put it there,
; otherwise left alone and listed. It is logged before it is written, so that the uninstaller
; also removes its temporary file if setup is stopped.
!macro VarnokeFile FOLDER SOURCE NAME
  StrCpy $R0 "$INSTDIR${FOLDER}\${NAME}"
  Push $R0
  Call IsLogged
  Pop $R1
  ${If} $R1 == 1
  ${OrIfNot} ${FileExists} $R0
    ${If} $R1 != 1
      FileWrite $Log "F $R0$\r$\n"
    ${EndIf}
    SetOutPath "$INSTDIR${FOLDER}"
    StrCpy $Partial "$R0${PARTIAL}"
    Delete $Partial
    File "/oname=${NAME}${PARTIAL}" "${SOURCE}"
    Push $R0
    Call PutInPlace
  ${Else}
    StrCpy $R2 "${FOLDER}\${NAME}" "" 1 ; named from the install's folder
    FileWrite $Skipped "$R2$\r$\n"
    IntOp $SkippedCount $SkippedCount + 1
    DetailPrint "Not installed by Varnoke, left as it was: $R0"
  ${EndIf}
!macroend

Section "Varnoke" SectionPrograms
  SectionIn RO
  SetRegView 64
  IntOp $SkippedCount 0 + 0
  FileOpen $Skipped "$PLUGINSDIR\skipped.txt" w
  ; The log's folder first; a later install into the same folder adds to the log.
  StrCpy $R0 ""
  StrCpy $R1 ""
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $R0 "D $INSTDIR$\r$\n"
  ${EndIf}
  ${IfNot} ${FileExists} "$INSTDIR\Varnoke\*.*"
    StrCpy $R1 "D $INSTDIR\Varnoke$\r$\n"
  ${EndIf}
  CreateDirectory "$INSTDIR\Varnoke"
  CopyFiles /SILENT "${LOG}" "$PLUGINSDIR\install.log"
  ClearErrors
  FileOpen $OldLog "$PLUGINSDIR\install.log" a ; made empty when there was none
  FileOpen $Log "${LOG}" a
  ${If} ${Errors}
    Abort "Setup cannot write ${LOG}."
  ${EndIf}
  FileSeek $Log 0 END
  FileWrite $Log "$R0"
  FileWrite $Log "$R1"

  ; The uninstaller and its entry before any file, so that whatever is written can be removed.
  StrCpy $Partial "$INSTDIR\Varnoke\Uninstall.exe${PARTIAL}"
  WriteUninstaller $Partial
  Push "$INSTDIR\Varnoke\Uninstall.exe"
  Call PutInPlace
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Varnoke ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\varnoke.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Varnoke\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Varnoke\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  !include "${FILES}"

  ; "Open with Varnoke" for .phi files, without becoming their default program.
  WriteRegStr HKLM "Software\Classes\${PROG_ID}" "" "Poser hierarchy"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}\DefaultIcon" "" "$INSTDIR\varnoke.exe,0"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}\shell\open" "" "Open with Varnoke"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}\shell\open\command" "" '"$INSTDIR\varnoke.exe" "%1"'
  WriteRegStr HKLM "Software\Classes\.phi\OpenWithProgids" "${PROG_ID}" ""
  WriteRegStr HKLM "Software\Classes\Applications\varnoke.exe" "FriendlyAppName" "Varnoke"
  WriteRegStr HKLM "Software\Classes\Applications\varnoke.exe\SupportedTypes" ".phi" ""
  WriteRegStr HKLM "Software\Classes\Applications\varnoke.exe\shell\open\command" "" '"$INSTDIR\varnoke.exe" "%1"'
SectionEnd

Section "Start menu entry" SectionStartMenu
  SetShellVarContext all
  ${IfNot} ${FileExists} "$SMPROGRAMS\Varnoke\*.*"
    CreateDirectory "$SMPROGRAMS\Varnoke"
    FileWrite $Log "D $SMPROGRAMS\Varnoke$\r$\n"
  ${EndIf}
  Push "$SMPROGRAMS\Varnoke\Varnoke.lnk"
  Call IsLogged
  Pop $0
  ${If} $0 == 1
  ${OrIfNot} ${FileExists} "$SMPROGRAMS\Varnoke\Varnoke.lnk"
    ${If} $0 != 1
      FileWrite $Log "F $SMPROGRAMS\Varnoke\Varnoke.lnk$\r$\n"
    ${EndIf}
    CreateShortcut "$SMPROGRAMS\Varnoke\Varnoke.lnk" "$INSTDIR\varnoke.exe"
  ${EndIf}
SectionEnd

Section /o "Default for .phi files" SectionDefault
  SetRegView 64
  ReadRegStr $0 HKLM "Software\Classes\.phi" ""
  ${If} $0 != "${PROG_ID}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "PreviousPhiProgram" "$0"
    WriteRegStr HKLM "Software\Classes\.phi" "" "${PROG_ID}"
  ${EndIf}
SectionEnd

Section "-Finish"
  FileClose $OldLog
  FileClose $Log
  FileClose $Skipped
  StrCpy $FinishText "Varnoke is installed in $INSTDIR.$\r$\n$\r$\nChoose your Poser folder with Options > Poser Folder..."
  ${If} $SkippedCount > 0
    StrCpy $FinishText "$FinishText$\r$\n$\r$\n$SkippedCount files that Varnoke had not installed were already there, and were left as they were:"
  ${EndIf}
SectionEnd

; A stopped install: the temporary file it was writing goes; what it renamed into place stays,
; logged, with the uninstaller.
Function .onInstFailed
  ${If} $Partial != ""
    Delete $Partial
  ${EndIf}
  FileClose $Log
FunctionEnd

; The files left alone, in a box of their own below the text, as many as there are.
Function FinishPageShow
  ${If} $SkippedCount > 0
    nsDialogs::CreateControl EDIT ${DEFAULT_STYLES}|${WS_TABSTOP}|${WS_VSCROLL}|${WS_HSCROLL}|${ES_MULTILINE}|${ES_READONLY}|${ES_AUTOHSCROLL}|${ES_AUTOVSCROLL} ${WS_EX_CLIENTEDGE} 120u 120u 195u 66u ""
    Pop $0
    SetCtlColors $0 000000 FFFFFF
    FileOpen $1 "$PLUGINSDIR\skipped.txt" r
    ${Do}
      ClearErrors
      FileRead $1 $2
      ${If} ${Errors}
        ${Break}
      ${EndIf}
      SendMessage $0 ${EM_SETSEL} -1 -1
      SendMessage $0 ${EM_REPLACESEL} 0 "STR:$2"
    ${Loop}
    FileClose $1
    SendMessage $0 ${EM_SETSEL} 0 0
  ${EndIf}
FunctionEnd

LangString DESC_Programs ${LANG_ENGLISH} "varnoke.exe, varnoke-cli.exe, the Qt DLLs they need, the sample figure, and 'Open with Varnoke' for .phi files."
LangString DESC_StartMenu ${LANG_ENGLISH} "A Varnoke entry in the Start menu, for all users."
LangString DESC_Default ${LANG_ENGLISH} "Make Varnoke the default program for .phi files: double-clicking one opens it in Varnoke. Left unticked, 'Open with' offers Varnoke and the default stays as it is."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionPrograms} $(DESC_Programs)
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionStartMenu} $(DESC_StartMenu)
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionDefault} $(DESC_Default)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The uninstaller sits in Varnoke\ of the install: $INSTDIR is that folder.
Section "Uninstall"
  SetRegView 64
  ; Files as listed, and what a stopped setup may have left of each; folders afterwards, the
  ; deepest first, and only when empty.
  Push "-"
  ClearErrors
  FileOpen $0 "$INSTDIR\install.log" r
  ${IfNot} ${Errors}
    ${Do}
      ClearErrors
      FileRead $0 $1
      ${If} ${Errors}
        ${Break}
      ${EndIf}
      ${TrimNewLines} $1 $1
      StrCpy $2 $1 2
      StrCpy $1 $1 "" 2
      ${If} $2 == "F "
        Delete "$1"
        Delete "$1${PARTIAL}"
      ${ElseIf} $2 == "D "
        Push $1
      ${EndIf}
    ${Loop}
    FileClose $0
  ${EndIf}
  Delete "$INSTDIR\install.log"
  Delete "$INSTDIR\Uninstall.exe" ; stays while it runs in place (_?=)
  ${Do}
    Pop $1
    ${If} $1 == "-"
      ${Break}
    ${EndIf}
    RMDir "$1"
  ${Loop}

  ReadRegStr $0 HKLM "Software\Classes\.phi" ""
  ${If} $0 == "${PROG_ID}"
    ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "PreviousPhiProgram"
    ${If} $1 == ""
      DeleteRegValue HKLM "Software\Classes\.phi" ""
    ${Else}
      WriteRegStr HKLM "Software\Classes\.phi" "" "$1"
    ${EndIf}
  ${EndIf}
  DeleteRegValue HKLM "Software\Classes\.phi\OpenWithProgids" "${PROG_ID}"
  DeleteRegKey /ifempty HKLM "Software\Classes\.phi\OpenWithProgids"
  DeleteRegKey /ifempty HKLM "Software\Classes\.phi"
  DeleteRegKey HKLM "Software\Classes\${PROG_ID}"
  DeleteRegKey HKLM "Software\Classes\Applications\varnoke.exe"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
