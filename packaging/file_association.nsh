; The .pgl association of the installer. Installing makes Pinwell the
; program that opens a log on a double-click (with Pinwell's icon), unless
; another program already has the type: that one keeps it, and Pinwell is
; only added to the type's "Open with" list. Uninstalling takes away exactly
; what installing added.

!define PINWELL_CLASSES "Software\Classes"
!define PINWELL_LOG_CLASS "Pinwell.Log"

; Explorer keeps the icons and verbs of types in a cache of its own.
!macro PinwellTellShell
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

!macro PinwellAssociate
  WriteRegStr SHCTX "${PINWELL_CLASSES}\${PINWELL_LOG_CLASS}" "" "NMEA track log"
  WriteRegStr SHCTX "${PINWELL_CLASSES}\${PINWELL_LOG_CLASS}\DefaultIcon" "" "$INSTDIR\Pinwell.exe,0"
  WriteRegStr SHCTX "${PINWELL_CLASSES}\${PINWELL_LOG_CLASS}\shell\open" "" "Open with Pinwell"
  WriteRegStr SHCTX "${PINWELL_CLASSES}\${PINWELL_LOG_CLASS}\shell\open\command" "" '"$INSTDIR\Pinwell.exe" "%1"'
  WriteRegStr SHCTX "${PINWELL_CLASSES}\Applications\Pinwell.exe" "FriendlyAppName" "Pinwell"
  WriteRegStr SHCTX "${PINWELL_CLASSES}\Applications\Pinwell.exe\SupportedTypes" ".pgl" ""
  WriteRegStr SHCTX "${PINWELL_CLASSES}\Applications\Pinwell.exe\shell\open\command" "" '"$INSTDIR\Pinwell.exe" "%1"'
  WriteRegStr SHCTX "${PINWELL_CLASSES}\.pgl\OpenWithProgids" "${PINWELL_LOG_CLASS}" ""
  ; The merged view, so that a user's own choice counts as well as the machine's.
  ReadRegStr $0 HKCR ".pgl" ""
  StrCmp $0 "" 0 +2
    WriteRegStr SHCTX "${PINWELL_CLASSES}\.pgl" "" "${PINWELL_LOG_CLASS}"
  !insertmacro PinwellTellShell
!macroend

!macro PinwellDissociate
  ReadRegStr $0 SHCTX "${PINWELL_CLASSES}\.pgl" ""
  StrCmp $0 "${PINWELL_LOG_CLASS}" 0 +2
    DeleteRegValue SHCTX "${PINWELL_CLASSES}\.pgl" ""
  DeleteRegValue SHCTX "${PINWELL_CLASSES}\.pgl\OpenWithProgids" "${PINWELL_LOG_CLASS}"
  DeleteRegKey /ifempty SHCTX "${PINWELL_CLASSES}\.pgl\OpenWithProgids"
  DeleteRegKey /ifempty SHCTX "${PINWELL_CLASSES}\.pgl"
  DeleteRegKey SHCTX "${PINWELL_CLASSES}\${PINWELL_LOG_CLASS}"
  DeleteRegKey SHCTX "${PINWELL_CLASSES}\Applications\Pinwell.exe"
  !insertmacro PinwellTellShell
!macroend
