; Steps of the installer and uninstaller beyond CPack's NSIS template,
; inserted by WindowsPackaging.cmake: the program is closed before its
; folder is touched, an earlier version is removed by its own uninstaller
; before the new files are written, and the uninstaller leaves no empty
; vendor key behind. AIS_VENDOR (CPACK_PACKAGE_VENDOR) is defined before
; this file is included. The texts the operator reads are language strings
; (InstallerTexts.nsh).

!include LogicLib.nsh

; Waits until the program in folder DIR is no longer running. Windows
; refuses to open a running program's file for writing, and that refusal is
; exactly what would stop an install or uninstall half-way; the test needs
; no help from the program and finds the program of that folder however it
; was started, while a copy run from elsewhere (the zip), which is in no
; one's way, is left alone. The operator is asked to close it
; (Retry/Cancel). Cancel, and any silent run, ends the whole run with exit
; code 2 before anything has changed. CREATED names a folder this run made
; that must go again (empty: none).
!macro AisWaitUntilClosed DIR CREATED
  ${Do}
    ${IfNot} ${FileExists} "${DIR}\AisFirmwareUpgrade.exe"
      ${Break}
    ${EndIf}
    ClearErrors
    FileOpen $R9 "${DIR}\AisFirmwareUpgrade.exe" a
    ${IfNot} ${Errors}
      FileClose $R9
      ${Break}
    ${EndIf}
    ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(AisRunning)" /SD IDCANCEL IDCANCEL`
      ${If} "${CREATED}" != ""
        RMDir "${CREATED}"
      ${EndIf}
      Abort "$(AisRunningAbort)"
    ${EndIf}
  ${Loop}
!macroend

; The program runs elevated from DIR and reads its firmware, profile.ini and
; comm.ini there; a folder of the operator's choice outside Program Files
; would let every user change them. DIR gets the access of Program Files:
; Administrators and SYSTEM full control, Users read and execute, nothing
; inherited (well-known SIDs, so on any Windows language); what is already
; inside inherits that. icacls is started by its full path, like every child
; of an elevated process. A failure ends the run before anything has changed.
!macro AisSecureFolder DIR
  DetailPrint "Setting the access of ${DIR}"
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" "${DIR}" /inheritance:r /grant:r *S-1-5-32-544:(OI)(CI)F *S-1-5-18:(OI)(CI)F *S-1-5-32-545:(OI)(CI)RX /Q'
  Pop $R6
  ${If} $R6 != 0
    MessageBox MB_OK|MB_ICONSTOP "The access of ${DIR} could not be set ($R6)." /SD IDOK
    RMDir "${DIR}"
    Abort "The access of the folder could not be set; nothing was installed."
  ${EndIf}
  nsExec::ExecToLog '"$SYSDIR\icacls.exe" "${DIR}\*" /reset /T /C /Q'
  Pop $R6
!macroend

; Before the files are written (CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS, in
; the install section right after $INSTDIR was made). An earlier version,
; found by its uninstall entry KEY, is removed by its own uninstaller, run
; silently in place: it deletes the files that version installed and
; nothing else, so files the operator added (FirmwareBin\, profile.ini,
; logger.log, saved reports) stay, and no file of the earlier version is
; left among the new ones.
!macro AisBeforeInstall KEY
  ; $INSTDIR may have been made just now: an abort takes it away again
  ; when it is empty.
  !insertmacro AisWaitUntilClosed "$INSTDIR" "$INSTDIR"
  !insertmacro AisSecureFolder "$INSTDIR"
  ReadRegStr $R8 SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\${KEY}" "UninstallString"
  StrCpy $R7 $R8 1
  ${If} $R7 == '"'
    StrCpy $R8 $R8 -1 1
  ${EndIf}
  ${If} $R8 != ""
  ${AndIf} ${FileExists} $R8
    ; The earlier version's folder: the uninstaller's path without "\Uninstall.exe".
    StrCpy $R7 $R8 -14
    !insertmacro AisWaitUntilClosed "$R7" "$INSTDIR"
    DetailPrint "$(AisRemovingEarlier)"
    ClearErrors
    ExecWait '"$R8" /S _?=$R7' $R6
    ${If} ${Errors}
    ${OrIf} $R6 != 0
      MessageBox MB_OK|MB_ICONSTOP "$(AisEarlierFailed)" /SD IDOK
      RMDir "$INSTDIR"
      Abort "$(AisEarlierAbort)"
    ${EndIf}
    ; Run in place, an uninstaller cannot delete itself.
    Delete $R8
    RMDir $R7
  ${EndIf}
!macroend

; First in the uninstall section (CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS).
!macro AisBeforeUninstall
  !insertmacro AisWaitUntilClosed "$INSTDIR" ""
!macroend

; The template deletes its own key under the vendor's key but leaves the
; vendor's key, now empty.
Function un.onUninstSuccess
  DeleteRegKey /ifempty SHCTX "Software\${AIS_VENDOR}"
FunctionEnd
