; The installer's and uninstaller's own texts (InstallerSteps.nsh) in every
; language the program ships, included after the languages are loaded; a
; language the build does not load is left out (a string for it would make
; NSIS add that language with none of its own page texts).
; Button names are those of the Retry/Cancel box Windows shows in that
; language. NSIS's own pages come translated with NSIS.
;   AisRunning           the program is running: close it, then Retry
;   AisRunningAbort      the run ends: the program was running
;   AisRemovingEarlier   detail line: the earlier version ($R7: its folder) is being removed
;   AisEarlierFailed     the earlier version in $R7 could not be removed ($R6: the exit code)
;   AisEarlierAbort      the run ends: the earlier version could not be removed

; English
!ifdef LANG_ENGLISH
  LangString AisRunning ${LANG_ENGLISH} "AIS Firmware Upgrade is running.$\r$\nClose it, then press Retry."
  LangString AisRunningAbort ${LANG_ENGLISH} "AIS Firmware Upgrade is running; nothing was changed."
  LangString AisRemovingEarlier ${LANG_ENGLISH} "Removing the earlier version in $R7"
  LangString AisEarlierFailed ${LANG_ENGLISH} "The earlier version in $R7 could not be removed ($R6)."
  LangString AisEarlierAbort ${LANG_ENGLISH} "The earlier version could not be removed; nothing was installed."
!endif
; German
!ifdef LANG_GERMAN
  LangString AisRunning ${LANG_GERMAN} "AIS Firmware Upgrade wird gerade ausgeführt.$\r$\nSchließen Sie das Programm und klicken Sie dann auf Wiederholen."
  LangString AisRunningAbort ${LANG_GERMAN} "AIS Firmware Upgrade wird ausgeführt; es wurde nichts geändert."
  LangString AisRemovingEarlier ${LANG_GERMAN} "Die frühere Version in $R7 wird entfernt"
  LangString AisEarlierFailed ${LANG_GERMAN} "Die frühere Version in $R7 konnte nicht entfernt werden ($R6)."
  LangString AisEarlierAbort ${LANG_GERMAN} "Die frühere Version konnte nicht entfernt werden; es wurde nichts installiert."
!endif
; French
!ifdef LANG_FRENCH
  LangString AisRunning ${LANG_FRENCH} "AIS Firmware Upgrade est en cours d'exécution.$\r$\nFermez-le, puis cliquez sur Réessayer."
  LangString AisRunningAbort ${LANG_FRENCH} "AIS Firmware Upgrade est en cours d'exécution ; rien n'a été modifié."
  LangString AisRemovingEarlier ${LANG_FRENCH} "Suppression de la version précédente dans $R7"
  LangString AisEarlierFailed ${LANG_FRENCH} "La version précédente dans $R7 n'a pas pu être supprimée ($R6)."
  LangString AisEarlierAbort ${LANG_FRENCH} "La version précédente n'a pas pu être supprimée ; rien n'a été installé."
!endif
; Spanish
!ifdef LANG_SPANISH
  LangString AisRunning ${LANG_SPANISH} "AIS Firmware Upgrade se está ejecutando.$\r$\nCiérrelo y pulse Reintentar."
  LangString AisRunningAbort ${LANG_SPANISH} "AIS Firmware Upgrade se está ejecutando; no se ha cambiado nada."
  LangString AisRemovingEarlier ${LANG_SPANISH} "Eliminando la versión anterior en $R7"
  LangString AisEarlierFailed ${LANG_SPANISH} "No se ha podido eliminar la versión anterior en $R7 ($R6)."
  LangString AisEarlierAbort ${LANG_SPANISH} "No se ha podido eliminar la versión anterior; no se ha instalado nada."
!endif
; Italian
!ifdef LANG_ITALIAN
  LangString AisRunning ${LANG_ITALIAN} "AIS Firmware Upgrade è in esecuzione.$\r$\nChiudere il programma, quindi premere Riprova."
  LangString AisRunningAbort ${LANG_ITALIAN} "AIS Firmware Upgrade è in esecuzione; non è stato modificato nulla."
  LangString AisRemovingEarlier ${LANG_ITALIAN} "Rimozione della versione precedente in $R7"
  LangString AisEarlierFailed ${LANG_ITALIAN} "Impossibile rimuovere la versione precedente in $R7 ($R6)."
  LangString AisEarlierAbort ${LANG_ITALIAN} "Impossibile rimuovere la versione precedente; non è stato installato nulla."
!endif
; Dutch
!ifdef LANG_DUTCH
  LangString AisRunning ${LANG_DUTCH} "AIS Firmware Upgrade is actief.$\r$\nSluit het programma en klik daarna op Opnieuw."
  LangString AisRunningAbort ${LANG_DUTCH} "AIS Firmware Upgrade is actief; er is niets gewijzigd."
  LangString AisRemovingEarlier ${LANG_DUTCH} "De eerdere versie in $R7 wordt verwijderd"
  LangString AisEarlierFailed ${LANG_DUTCH} "De eerdere versie in $R7 kon niet worden verwijderd ($R6)."
  LangString AisEarlierAbort ${LANG_DUTCH} "De eerdere versie kon niet worden verwijderd; er is niets geïnstalleerd."
!endif
; Norwegian Bokmål
!ifdef LANG_NORWEGIAN
  LangString AisRunning ${LANG_NORWEGIAN} "AIS Firmware Upgrade kjører.$\r$\nLukk programmet, og trykk deretter på Prøv igjen."
  LangString AisRunningAbort ${LANG_NORWEGIAN} "AIS Firmware Upgrade kjører; ingenting ble endret."
  LangString AisRemovingEarlier ${LANG_NORWEGIAN} "Fjerner den tidligere versjonen i $R7"
  LangString AisEarlierFailed ${LANG_NORWEGIAN} "Den tidligere versjonen i $R7 kunne ikke fjernes ($R6)."
  LangString AisEarlierAbort ${LANG_NORWEGIAN} "Den tidligere versjonen kunne ikke fjernes; ingenting ble installert."
!endif
; Swedish
!ifdef LANG_SWEDISH
  LangString AisRunning ${LANG_SWEDISH} "AIS Firmware Upgrade körs.$\r$\nStäng programmet och tryck sedan på Försök igen."
  LangString AisRunningAbort ${LANG_SWEDISH} "AIS Firmware Upgrade körs; ingenting har ändrats."
  LangString AisRemovingEarlier ${LANG_SWEDISH} "Tar bort den tidigare versionen i $R7"
  LangString AisEarlierFailed ${LANG_SWEDISH} "Den tidigare versionen i $R7 kunde inte tas bort ($R6)."
  LangString AisEarlierAbort ${LANG_SWEDISH} "Den tidigare versionen kunde inte tas bort; ingenting har installerats."
!endif
; Danish
!ifdef LANG_DANISH
  LangString AisRunning ${LANG_DANISH} "AIS Firmware Upgrade kører.$\r$\nLuk programmet, og tryk derefter på Prøv igen."
  LangString AisRunningAbort ${LANG_DANISH} "AIS Firmware Upgrade kører; intet er ændret."
  LangString AisRemovingEarlier ${LANG_DANISH} "Fjerner den tidligere version i $R7"
  LangString AisEarlierFailed ${LANG_DANISH} "Den tidligere version i $R7 kunne ikke fjernes ($R6)."
  LangString AisEarlierAbort ${LANG_DANISH} "Den tidligere version kunne ikke fjernes; intet er installeret."
!endif
; Finnish
!ifdef LANG_FINNISH
  LangString AisRunning ${LANG_FINNISH} "AIS Firmware Upgrade on käynnissä.$\r$\nSulje ohjelma ja valitse sitten Yritä uudelleen."
  LangString AisRunningAbort ${LANG_FINNISH} "AIS Firmware Upgrade on käynnissä; mitään ei muutettu."
  LangString AisRemovingEarlier ${LANG_FINNISH} "Poistetaan aiempi versio kansiosta $R7"
  LangString AisEarlierFailed ${LANG_FINNISH} "Aiempaa versiota kansiossa $R7 ei voitu poistaa ($R6)."
  LangString AisEarlierAbort ${LANG_FINNISH} "Aiempaa versiota ei voitu poistaa; mitään ei asennettu."
!endif
; Polish
!ifdef LANG_POLISH
  LangString AisRunning ${LANG_POLISH} "Program AIS Firmware Upgrade jest uruchomiony.$\r$\nZamknij go, a następnie naciśnij Ponów próbę."
  LangString AisRunningAbort ${LANG_POLISH} "Program AIS Firmware Upgrade jest uruchomiony; niczego nie zmieniono."
  LangString AisRemovingEarlier ${LANG_POLISH} "Usuwanie wcześniejszej wersji z $R7"
  LangString AisEarlierFailed ${LANG_POLISH} "Nie można usunąć wcześniejszej wersji z $R7 ($R6)."
  LangString AisEarlierAbort ${LANG_POLISH} "Nie można usunąć wcześniejszej wersji; niczego nie zainstalowano."
!endif
; Portuguese (Brazil)
!ifdef LANG_PORTUGUESEBR
  LangString AisRunning ${LANG_PORTUGUESEBR} "O AIS Firmware Upgrade está em execução.$\r$\nFeche o programa e clique em Repetir."
  LangString AisRunningAbort ${LANG_PORTUGUESEBR} "O AIS Firmware Upgrade está em execução; nada foi alterado."
  LangString AisRemovingEarlier ${LANG_PORTUGUESEBR} "Removendo a versão anterior em $R7"
  LangString AisEarlierFailed ${LANG_PORTUGUESEBR} "Não foi possível remover a versão anterior em $R7 ($R6)."
  LangString AisEarlierAbort ${LANG_PORTUGUESEBR} "Não foi possível remover a versão anterior; nada foi instalado."
!endif
; Chinese (Simplified)
!ifdef LANG_SIMPCHINESE
  LangString AisRunning ${LANG_SIMPCHINESE} "AIS Firmware Upgrade 正在运行。$\r$\n请关闭该程序，然后单击“重试”。"
  LangString AisRunningAbort ${LANG_SIMPCHINESE} "AIS Firmware Upgrade 正在运行；未做任何更改。"
  LangString AisRemovingEarlier ${LANG_SIMPCHINESE} "正在删除 $R7 中的早期版本"
  LangString AisEarlierFailed ${LANG_SIMPCHINESE} "无法删除 $R7 中的早期版本（$R6）。"
  LangString AisEarlierAbort ${LANG_SIMPCHINESE} "无法删除早期版本；未安装任何内容。"
!endif
; Japanese
!ifdef LANG_JAPANESE
  LangString AisRunning ${LANG_JAPANESE} "AIS Firmware Upgrade が実行中です。$\r$\nプログラムを閉じてから [再試行] をクリックしてください。"
  LangString AisRunningAbort ${LANG_JAPANESE} "AIS Firmware Upgrade が実行中です。何も変更されていません。"
  LangString AisRemovingEarlier ${LANG_JAPANESE} "$R7 の以前のバージョンを削除しています"
  LangString AisEarlierFailed ${LANG_JAPANESE} "$R7 の以前のバージョンを削除できませんでした ($R6)。"
  LangString AisEarlierAbort ${LANG_JAPANESE} "以前のバージョンを削除できませんでした。何もインストールされていません。"
!endif
