<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>CLanguageMenu</name>
    <message>
        <source>Language</source>
        <translation>Lingua</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Start </source>
        <translation>Avvia </translation>
    </message>
    <message>
        <source>Device :</source>
        <translation>Dispositivo:</translation>
    </message>
    <message>
        <source>New Firmware Version :</source>
        <translation>Nuova versione firmware:</translation>
    </message>
    <message>
        <source>Current Firmware Version : </source>
        <translation>Versione firmware attuale: </translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Indietro</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Avanti</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fine</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>Log File(*.txt)</source>
        <translation>File di log (*.txt)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Unknown</source>
        <translation>Sconosciuto</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Errore</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Domanda</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avviso</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Please confirm your device connection and power !</source>
        <translation>Verificare il collegamento e l&apos;alimentazione del dispositivo!</translation>
    </message>
    <message>
        <source>Bootloader</source>
        <translation>Bootloader</translation>
    </message>
    <message>
        <source>Please turn the power Off and On again !</source>
        <translation>Spegnere e riaccendere il dispositivo!</translation>
    </message>
    <message>
        <source>Firmware file not found!</source>
        <translation>File del firmware non trovato!</translation>
    </message>
    <message>
        <source>Welcome to </source>
        <translation>Benvenuto in </translation>
    </message>
    <message>
        <source> Firmware Upgrade</source>
        <translation> Firmware Upgrade</translation>
    </message>
    <message>
        <source>Please check below items before starting </source>
        <translation>Prima di avviare l&apos;aggiornamento del firmware </translation>
    </message>
    <message>
        <source> Firmware Upgrade :</source>
        <translation>, controllare i seguenti punti:</translation>
    </message>
    <message>
        <source>Power On the </source>
        <translation>Accendere il dispositivo </translation>
    </message>
    <message>
        <source> device.</source>
        <translation>.</translation>
    </message>
    <message>
        <source>Connect </source>
        <translation>Collegare il dispositivo </translation>
    </message>
    <message>
        <source> to your computer via the USB.</source>
        <translation> al computer tramite USB.</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>Informazioni sul dispositivo</translation>
    </message>
    <message>
        <source>Click next to start upgrade</source>
        <translation>Fare clic su «Avanti» per aggiornare</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>Aggiornamento firmware</translation>
    </message>
    <message>
        <source>Upgrade in progress!
 Do not power Off the device or unplug the device</source>
        <translation>Aggiornamento in corso!
Non spegnere né scollegare il dispositivo</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
 Please power Off the device then power On.</source>
        <translation>Aggiornamento completato correttamente!
Spegnere il dispositivo e poi riaccenderlo.</translation>
    </message>
    <message>
        <source>Please power Off the device then power On.
Please check the device is connected to your computer</source>
        <translation>Spegnere il dispositivo e poi riaccenderlo.
Verificare che il dispositivo sia collegato al computer</translation>
    </message>
    <message>
        <source>A system restart is required. Please restart your Windows to continue installing the new firmware.

Click Yes to restart the system. Make sure all applications are saved and closed.

Click Cancel to abort the firmware upgrade.</source>
        <translation>È necessario riavviare il sistema. Riavviare Windows per continuare l&apos;installazione del nuovo firmware.

Fare clic su «Sì» per riavviare il sistema. Assicurarsi di aver salvato e chiuso tutte le applicazioni.

Fare clic su «Annulla» per interrompere l&apos;aggiornamento del firmware.</translation>
    </message>
    <message>
        <source>System access failed. Make sure you are in Administrator Mode and run the program again.</source>
        <translation>Accesso al sistema non riuscito. Assicurarsi di essere in modalità amministratore ed eseguire di nuovo il programma.</translation>
    </message>
    <message>
        <source>System initialization failed.
Please reopen the application.</source>
        <translation>Inizializzazione del sistema non riuscita.
Riaprire l&apos;applicazione.</translation>
    </message>
    <message>
        <source>Execute the program again after Windows has rebooted.</source>
        <translation>Eseguire di nuovo il programma dopo il riavvio di Windows.</translation>
    </message>
    <message>
        <source>Please make sure the device power is Off and USB is disconnected from the computer.</source>
        <translation>Assicurarsi che il dispositivo sia spento e che il cavo USB sia scollegato dal computer.</translation>
    </message>
    <message>
        <source>System has been modified.
Please power On the device and connect the device to your computer.</source>
        <translation>Il sistema è stato modificato.
Accendere il dispositivo e collegarlo al computer.</translation>
    </message>
    <message>
        <source>Operating system initializing</source>
        <translation>Inizializzazione del sistema operativo</translation>
    </message>
    <message>
        <source>Please wait a moment</source>
        <translation>Attendere qualche istante</translation>
    </message>
    <message>
        <source>System time out
Please power off the device and retry again</source>
        <translation>Timeout del sistema
Spegnere il dispositivo e riprovare</translation>
    </message>
    <message>
        <source>An unexpected error has occurred during the upgrade process.<byte value="xd"/>
Click &quot;Yes&quot; to generate the report.</source>
        <translation>Si è verificato un errore imprevisto durante l&apos;aggiornamento.<byte value="xd"/>
Fare clic su «Sì» per generare il rapporto.</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. It is strongly recommended to cancel the downgrade! Still want to update?</source>
        <translation>Si sta tentando di tornare a una versione precedente del firmware: ciò può causare la perdita delle impostazioni e dei parametri relativi e un grave guasto del dispositivo. Si consiglia vivamente di annullare il ritorno alla versione precedente! Aggiornare comunque?</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an incompatible older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. The upgrade process will be terminated. Press OK to close the program.</source>
        <translation>Si sta tentando di tornare a una versione precedente del firmware non compatibile: ciò può causare la perdita delle impostazioni e dei parametri relativi e un grave guasto del dispositivo. L&apos;aggiornamento verrà interrotto. Premere OK per chiudere il programma.</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Arrestato</translation>
    </message>
    <message>
        <source>Start pending</source>
        <translation>Avvio in corso</translation>
    </message>
    <message>
        <source>Stop pending</source>
        <translation>Arresto in corso</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>In esecuzione</translation>
    </message>
    <message>
        <source>Continue pending</source>
        <translation>Ripresa in corso</translation>
    </message>
    <message>
        <source>Pause pending</source>
        <translation>Sospensione in corso</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Sospeso</translation>
    </message>
    <message>
        <source>The firmware file %1 is empty.
The device was not changed.</source>
        <translation>Il file del firmware %1 è vuoto.
Il dispositivo non è stato modificato.</translation>
    </message>
    <message>
        <source>The firmware file %1 is not a file.
The device was not changed.</source>
        <translation>Il file del firmware %1 non è un file.
Il dispositivo non è stato modificato.</translation>
    </message>
    <message>
        <source>The firmware file %1 cannot be read: %2.
The device was not changed.</source>
        <translation>Impossibile leggere il file del firmware %1: %2.
Il dispositivo non è stato modificato.</translation>
    </message>
    <message>
        <source>The firmware file %1 (%2 bytes) does not fit on the device&apos;s drive (%3 bytes free).
The device was not changed.</source>
        <translation>Il file del firmware %1 (%2 byte) è troppo grande per l&apos;unità del dispositivo (%3 byte liberi).
Il dispositivo non è stato modificato.</translation>
    </message>
    <message>
        <source>Waiting for the device to be powered Off and On again, to confirm the firmware it runs ...</source>
        <translation>In attesa che il dispositivo venga spento e riacceso, per confermare il firmware in esecuzione ...</translation>
    </message>
    <message>
        <source>Confirmed: the device now runs %1.</source>
        <translation>Confermato: il dispositivo ora esegue %1.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device still runs %1.
Please run the upgrade again.</source>
        <translation>Il nuovo firmware non è stato applicato: il dispositivo esegue ancora %1.
Eseguire di nuovo l&apos;aggiornamento.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device came back in bootloader mode.
Please run the upgrade again.</source>
        <translation>Il nuovo firmware non è stato applicato: il dispositivo si è riavviato in modalità bootloader.
Eseguire di nuovo l&apos;aggiornamento.</translation>
    </message>
    <message>
        <source>The device was not seen again within 3 minutes.
Please check that it is powered On and connected to your computer via the USB, then press Finish and Start to see the firmware it runs.</source>
        <translation>Il dispositivo non è stato rilevato di nuovo entro 3&#xa0;minuti.
Verificare che sia acceso e collegato al computer tramite USB, quindi premere «Fine» e «Avvia» per vedere il firmware in esecuzione.</translation>
    </message>
    <message>
        <source>The copy is taking longer than expected and is still running.
Do not power Off the device or unplug the device yet: this page tells you when it is safe.</source>
        <translation>La copia sta richiedendo più tempo del previsto ed è ancora in corso.
Non spegnere né scollegare ancora il dispositivo: questa pagina indica quando è sicuro farlo.</translation>
    </message>
    <message>
        <source>Nothing has been written to the device for %1 seconds: the copy has stopped.
Please power Off the device and retry again.</source>
        <translation>Nessun dato è stato scritto sul dispositivo da %1 secondi: la copia si è interrotta.
Spegnere il dispositivo e riprovare.</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
You can unplug the device and close the program.</source>
        <translation>Aggiornamento completato correttamente!
È possibile scollegare il dispositivo e chiudere il programma.</translation>
    </message>
    <message>
        <source>The firmware was copied to the device.</source>
        <translation>Il firmware è stato copiato sul dispositivo.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
</context>
</TS>
