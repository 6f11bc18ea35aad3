; The Windows installer of Varnoke, built by scripts/package-windows.sh with makensis:
;   makensis -DVERSION=2.0 -DFILES=files.nsh -DOUTFILE=varnoke-2.0-setup.exe varnoke.nsi
; It goes into a Poser folder as well as into Program Files, so it never replaces a file that is
; already there (it says which on its finish page), keeps its own documents in a Varnoke
; sub-folder, and its uninstaller removes only what this install created (listed in
; Varnoke\install.log) and the registry entries it wrote.
!ifndef VERSION
  !error "VERSION, FILES and OUTFILE come from scripts/package-windows.sh"
!endif

Unicode true
Target amd64-unicode ; Wine and 64-bit Windows run it; the programs are 64-bit
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh

Name "Varnoke ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Varnoke"
BrandingText "Varnoke ${VERSION}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnoke"
!define PROG_ID "Varnoke.phi"

Var Log
Var Skipped
Var SkippedCount
Var FinishText

!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup installs Varnoke into the folder below. The natural choice is your Poser folder, the folder that holds POSER.EXE: every geometry path of a hierarchy starts there. Setup never replaces a file that is already there, and puts its own documents into a Varnoke sub-folder."
!define MUI_FINISHPAGE_TEXT "$FinishText"
!define MUI_FINISHPAGE_RUN "$INSTDIR\varnoke.exe"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A folder of the package, logged when this install creates it.
!macro VarnokeFolder FOLDER
  ${IfNot} ${FileExists} "$INSTDIR${FOLDER}\*.*"
    CreateDirectory "$INSTDIR${FOLDER}"
    FileWrite $Log "D $INSTDIR${FOLDER}$\r$\n"
  ${EndIf}
!macroend

; A file of the package: written and logged, or, when a file of that name is there, left alone.
!macro VarnokeFile FOLDER SOURCE NAME
  ${If} ${FileExists} "$INSTDIR${FOLDER}\${NAME}"
    StrCpy $Skipped "$Skipped$\r$\n    $INSTDIR${FOLDER}\${NAME}"
    IntOp $SkippedCount $SkippedCount + 1
    DetailPrint "Already there, left as it was: $INSTDIR${FOLDER}\${NAME}"
  ${Else}
    SetOutPath "$INSTDIR${FOLDER}"
    File "/oname=${NAME}" "${SOURCE}"
    FileWrite $Log "F $INSTDIR${FOLDER}\${NAME}$\r$\n"
  ${EndIf}
!macroend

Section "Varnoke (the programs, Qt and the sample figure)" SectionPrograms
  SectionIn RO
  SetRegView 64
  IntOp $SkippedCount 0 + 0
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
  FileOpen $Log "$INSTDIR\Varnoke\install.log" a
  FileSeek $Log 0 END
  FileWrite $Log "$R0"
  FileWrite $Log "$R1"
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\Varnoke\Uninstall.exe"

  ; "Open with Varnoke" for .phi files, without becoming their default program.
  WriteRegStr HKLM "Software\Classes\${PROG_ID}" "" "Poser hierarchy"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}\DefaultIcon" "" "$INSTDIR\varnoke.exe,0"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}\shell\open" "" "Open with Varnoke"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}\shell\open\command" "" '"$INSTDIR\varnoke.exe" "%1"'
  WriteRegStr HKLM "Software\Classes\.phi\OpenWithProgids" "${PROG_ID}" ""
  WriteRegStr HKLM "Software\Classes\Applications\varnoke.exe" "FriendlyAppName" "Varnoke"
  WriteRegStr HKLM "Software\Classes\Applications\varnoke.exe\SupportedTypes" ".phi" ""
  WriteRegStr HKLM "Software\Classes\Applications\varnoke.exe\shell\open\command" "" '"$INSTDIR\varnoke.exe" "%1"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Varnoke ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Varnoke\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Varnoke\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Start menu entry" SectionStartMenu
  SetShellVarContext all
  ${IfNot} ${FileExists} "$SMPROGRAMS\Varnoke\*.*"
    CreateDirectory "$SMPROGRAMS\Varnoke"
    FileWrite $Log "D $SMPROGRAMS\Varnoke$\r$\n"
  ${EndIf}
  ${IfNot} ${FileExists} "$SMPROGRAMS\Varnoke\Varnoke.lnk"
    CreateShortcut "$SMPROGRAMS\Varnoke\Varnoke.lnk" "$INSTDIR\varnoke.exe"
    FileWrite $Log "F $SMPROGRAMS\Varnoke\Varnoke.lnk$\r$\n"
  ${EndIf}
SectionEnd

Section /o "Make Varnoke the default program for .phi files" SectionDefault
  SetRegView 64
  ReadRegStr $0 HKLM "Software\Classes\.phi" ""
  ${If} $0 != "${PROG_ID}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "PreviousPhiProgram" "$0"
    WriteRegStr HKLM "Software\Classes\.phi" "" "${PROG_ID}"
  ${EndIf}
SectionEnd

Section "-Finish"
  FileClose $Log
  ${If} $SkippedCount > 0
    StrCpy $FinishText "Varnoke is installed in $INSTDIR.$\r$\n$\r$\n$SkippedCount files were already there and were left as they were:$Skipped"
  ${Else}
    StrCpy $FinishText "Varnoke is installed in $INSTDIR."
  ${EndIf}
SectionEnd

LangString DESC_Programs ${LANG_ENGLISH} "varnoke.exe, varnoke-cli.exe, the Qt DLLs they need, the sample figure, and 'Open with Varnoke' for .phi files."
LangString DESC_StartMenu ${LANG_ENGLISH} "A Varnoke entry in the Start menu, for all users."
LangString DESC_Default ${LANG_ENGLISH} "Double-clicking a .phi file opens it in Varnoke. Left unticked, 'Open with' offers Varnoke and the default stays as it is."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionPrograms} $(DESC_Programs)
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionStartMenu} $(DESC_StartMenu)
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionDefault} $(DESC_Default)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The uninstaller sits in Varnoke\ of the install: $INSTDIR is that folder.
Section "Uninstall"
  SetRegView 64
  ; Files as listed; folders afterwards, the deepest first, and only when empty.
  Push "-"
  ClearErrors
  FileOpen $0 "$INSTDIR\install.log" r
  ${IfNot} ${Errors}
    ${Do}
      FileRead $0 $1
      ${If} ${Errors}
        ${Break}
      ${EndIf}
      StrCpy $2 $1 2
      StrCpy $1 $1 "" 2
      ; Without its line end.
      ${Do}
        StrCpy $3 $1 1 -1
        ${If} $3 == "$\r"
        ${OrIf} $3 == "$\n"
          StrCpy $1 $1 -1
        ${Else}
          ${Break}
        ${EndIf}
      ${Loop}
      ${If} $2 == "F "
        Delete "$1"
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
