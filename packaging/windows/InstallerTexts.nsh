; The installer's and uninstaller's own texts (InstallerSteps.nsh) in every
; language the program ships, included after the languages are loaded. Ids
; are Windows LANGIDs (a language the build does not load is ignored).
; Button names are those of the Retry/Cancel box Windows shows in that
; language. NSIS's own pages come translated with NSIS.
;   AisRunning           the program is running: close it, then Retry
;   AisRunningAbort      the run ends: the program was running
;   AisRemovingEarlier   detail line: the earlier version ($R7: its folder) is being removed
;   AisEarlierFailed     the earlier version in $R7 could not be removed ($R6: the exit code)
;   AisEarlierAbort      the run ends: the earlier version could not be removed

; English
LangString AisRunning 1033 "AIS Firmware Upgrade is running.$\r$\nClose it, then press Retry."
LangString AisRunningAbort 1033 "AIS Firmware Upgrade is running; nothing was changed."
LangString AisRemovingEarlier 1033 "Removing the earlier version in $R7"
LangString AisEarlierFailed 1033 "The earlier version in $R7 could not be removed ($R6)."
LangString AisEarlierAbort 1033 "The earlier version could not be removed; nothing was installed."
; German
LangString AisRunning 1031 "AIS Firmware Upgrade wird gerade ausgeführt.$\r$\nSchließen Sie das Programm und klicken Sie dann auf Wiederholen."
LangString AisRunningAbort 1031 "AIS Firmware Upgrade wird ausgeführt; es wurde nichts geändert."
LangString AisRemovingEarlier 1031 "Die frühere Version in $R7 wird entfernt"
LangString AisEarlierFailed 1031 "Die frühere Version in $R7 konnte nicht entfernt werden ($R6)."
LangString AisEarlierAbort 1031 "Die frühere Version konnte nicht entfernt werden; es wurde nichts installiert."
; French
LangString AisRunning 1036 "AIS Firmware Upgrade est en cours d'exécution.$\r$\nFermez-le, puis cliquez sur Réessayer."
LangString AisRunningAbort 1036 "AIS Firmware Upgrade est en cours d'exécution ; rien n'a été modifié."
LangString AisRemovingEarlier 1036 "Suppression de la version précédente dans $R7"
LangString AisEarlierFailed 1036 "La version précédente dans $R7 n'a pas pu être supprimée ($R6)."
LangString AisEarlierAbort 1036 "La version précédente n'a pas pu être supprimée ; rien n'a été installé."
; Spanish
LangString AisRunning 1034 "AIS Firmware Upgrade se está ejecutando.$\r$\nCiérrelo y pulse Reintentar."
LangString AisRunningAbort 1034 "AIS Firmware Upgrade se está ejecutando; no se ha cambiado nada."
LangString AisRemovingEarlier 1034 "Eliminando la versión anterior en $R7"
LangString AisEarlierFailed 1034 "No se ha podido eliminar la versión anterior en $R7 ($R6)."
LangString AisEarlierAbort 1034 "No se ha podido eliminar la versión anterior; no se ha instalado nada."
; Italian
LangString AisRunning 1040 "AIS Firmware Upgrade è in esecuzione.$\r$\nChiudere il programma, quindi premere Riprova."
LangString AisRunningAbort 1040 "AIS Firmware Upgrade è in esecuzione; non è stato modificato nulla."
LangString AisRemovingEarlier 1040 "Rimozione della versione precedente in $R7"
LangString AisEarlierFailed 1040 "Impossibile rimuovere la versione precedente in $R7 ($R6)."
LangString AisEarlierAbort 1040 "Impossibile rimuovere la versione precedente; non è stato installato nulla."
; Dutch
LangString AisRunning 1043 "AIS Firmware Upgrade is actief.$\r$\nSluit het programma en klik daarna op Opnieuw."
LangString AisRunningAbort 1043 "AIS Firmware Upgrade is actief; er is niets gewijzigd."
LangString AisRemovingEarlier 1043 "De eerdere versie in $R7 wordt verwijderd"
LangString AisEarlierFailed 1043 "De eerdere versie in $R7 kon niet worden verwijderd ($R6)."
LangString AisEarlierAbort 1043 "De eerdere versie kon niet worden verwijderd; er is niets geïnstalleerd."
; Norwegian Bokmål
LangString AisRunning 1044 "AIS Firmware Upgrade kjører.$\r$\nLukk programmet, og trykk deretter på Prøv igjen."
LangString AisRunningAbort 1044 "AIS Firmware Upgrade kjører; ingenting ble endret."
LangString AisRemovingEarlier 1044 "Fjerner den tidligere versjonen i $R7"
LangString AisEarlierFailed 1044 "Den tidligere versjonen i $R7 kunne ikke fjernes ($R6)."
LangString AisEarlierAbort 1044 "Den tidligere versjonen kunne ikke fjernes; ingenting ble installert."
; Swedish
LangString AisRunning 1053 "AIS Firmware Upgrade körs.$\r$\nStäng programmet och tryck sedan på Försök igen."
LangString AisRunningAbort 1053 "AIS Firmware Upgrade körs; ingenting har ändrats."
LangString AisRemovingEarlier 1053 "Tar bort den tidigare versionen i $R7"
LangString AisEarlierFailed 1053 "Den tidigare versionen i $R7 kunde inte tas bort ($R6)."
LangString AisEarlierAbort 1053 "Den tidigare versionen kunde inte tas bort; ingenting har installerats."
; Danish
LangString AisRunning 1030 "AIS Firmware Upgrade kører.$\r$\nLuk programmet, og tryk derefter på Prøv igen."
LangString AisRunningAbort 1030 "AIS Firmware Upgrade kører; intet er ændret."
LangString AisRemovingEarlier 1030 "Fjerner den tidligere version i $R7"
LangString AisEarlierFailed 1030 "Den tidligere version i $R7 kunne ikke fjernes ($R6)."
LangString AisEarlierAbort 1030 "Den tidligere version kunne ikke fjernes; intet er installeret."
; Finnish
LangString AisRunning 1035 "AIS Firmware Upgrade on käynnissä.$\r$\nSulje ohjelma ja valitse sitten Yritä uudelleen."
LangString AisRunningAbort 1035 "AIS Firmware Upgrade on käynnissä; mitään ei muutettu."
LangString AisRemovingEarlier 1035 "Poistetaan aiempi versio kansiosta $R7"
LangString AisEarlierFailed 1035 "Aiempaa versiota kansiossa $R7 ei voitu poistaa ($R6)."
LangString AisEarlierAbort 1035 "Aiempaa versiota ei voitu poistaa; mitään ei asennettu."
; Polish
LangString AisRunning 1045 "Program AIS Firmware Upgrade jest uruchomiony.$\r$\nZamknij go, a następnie naciśnij Ponów próbę."
LangString AisRunningAbort 1045 "Program AIS Firmware Upgrade jest uruchomiony; niczego nie zmieniono."
LangString AisRemovingEarlier 1045 "Usuwanie wcześniejszej wersji z $R7"
LangString AisEarlierFailed 1045 "Nie można usunąć wcześniejszej wersji z $R7 ($R6)."
LangString AisEarlierAbort 1045 "Nie można usunąć wcześniejszej wersji; niczego nie zainstalowano."
; Portuguese (Brazil)
LangString AisRunning 1046 "O AIS Firmware Upgrade está em execução.$\r$\nFeche o programa e clique em Repetir."
LangString AisRunningAbort 1046 "O AIS Firmware Upgrade está em execução; nada foi alterado."
LangString AisRemovingEarlier 1046 "Removendo a versão anterior em $R7"
LangString AisEarlierFailed 1046 "Não foi possível remover a versão anterior em $R7 ($R6)."
LangString AisEarlierAbort 1046 "Não foi possível remover a versão anterior; nada foi instalado."
; Chinese (Simplified)
LangString AisRunning 2052 "AIS Firmware Upgrade 正在运行。$\r$\n请关闭该程序，然后单击“重试”。"
LangString AisRunningAbort 2052 "AIS Firmware Upgrade 正在运行；未做任何更改。"
LangString AisRemovingEarlier 2052 "正在删除 $R7 中的早期版本"
LangString AisEarlierFailed 2052 "无法删除 $R7 中的早期版本（$R6）。"
LangString AisEarlierAbort 2052 "无法删除早期版本；未安装任何内容。"
; Japanese
LangString AisRunning 1041 "AIS Firmware Upgrade が実行中です。$\r$\nプログラムを閉じてから [再試行] をクリックしてください。"
LangString AisRunningAbort 1041 "AIS Firmware Upgrade が実行中です。何も変更されていません。"
LangString AisRemovingEarlier 1041 "$R7 の以前のバージョンを削除しています"
LangString AisEarlierFailed 1041 "$R7 の以前のバージョンを削除できませんでした ($R6)。"
LangString AisEarlierAbort 1041 "以前のバージョンを削除できませんでした。何もインストールされていません。"
