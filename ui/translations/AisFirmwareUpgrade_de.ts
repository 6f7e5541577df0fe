<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CLanguageMenu</name>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Start </source>
        <translation>Starten </translation>
    </message>
    <message>
        <source>Device :</source>
        <translation>Gerät:</translation>
    </message>
    <message>
        <source>New Firmware Version :</source>
        <translation>Neue Firmware-Version:</translation>
    </message>
    <message>
        <source>Current Firmware Version : </source>
        <translation>Aktuelle Firmware-Version: </translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>Log File(*.txt)</source>
        <translation>Protokolldatei (*.txt)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Frage</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Please confirm your device connection and power !</source>
        <translation>Bitte prüfen Sie die Verbindung und die Stromversorgung des Geräts!</translation>
    </message>
    <message>
        <source>Bootloader</source>
        <translation>Bootloader</translation>
    </message>
    <message>
        <source>Please turn the power Off and On again !</source>
        <translation>Bitte schalten Sie das Gerät aus und wieder ein!</translation>
    </message>
    <message>
        <source>Firmware file not found!</source>
        <translation>Firmware-Datei nicht gefunden!</translation>
    </message>
    <message>
        <source>Welcome to </source>
        <translation>Willkommen bei </translation>
    </message>
    <message>
        <source> Firmware Upgrade</source>
        <translation> Firmware Upgrade</translation>
    </message>
    <message>
        <source>Please check below items before starting </source>
        <translation>Bitte prüfen Sie vor dem Start des </translation>
    </message>
    <message>
        <source> Firmware Upgrade :</source>
        <translation>-Firmware-Updates die folgenden Punkte:</translation>
    </message>
    <message>
        <source>Power On the </source>
        <translation>Schalten Sie das </translation>
    </message>
    <message>
        <source> device.</source>
        <translation>-Gerät ein.</translation>
    </message>
    <message>
        <source>Connect </source>
        <translation>Verbinden Sie das </translation>
    </message>
    <message>
        <source> to your computer via the USB.</source>
        <translation>-Gerät über USB mit Ihrem Computer.</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>Geräteinformationen</translation>
    </message>
    <message>
        <source>Click next to start upgrade</source>
        <translation>Mit „Weiter“ starten Sie das Update</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>Firmware-Update</translation>
    </message>
    <message>
        <source>Upgrade in progress!
 Do not power Off the device or unplug the device</source>
        <translation>Update läuft!
Schalten Sie das Gerät nicht aus und trennen Sie es nicht vom Computer</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
 Please power Off the device then power On.</source>
        <translation>Update erfolgreich abgeschlossen!
Bitte schalten Sie das Gerät aus und dann wieder ein.</translation>
    </message>
    <message>
        <source>Please power Off the device then power On.
Please check the device is connected to your computer</source>
        <translation>Bitte schalten Sie das Gerät aus und dann wieder ein.
Bitte prüfen Sie, ob das Gerät mit Ihrem Computer verbunden ist</translation>
    </message>
    <message>
        <source>A system restart is required. Please restart your Windows to continue installing the new firmware.

Click Yes to restart the system. Make sure all applications are saved and closed.

Click Cancel to abort the firmware upgrade.</source>
        <translation>Ein Neustart des Systems ist erforderlich. Bitte starten Sie Windows neu, um die Installation der neuen Firmware fortzusetzen.

Klicken Sie auf „Ja“, um das System neu zu starten. Stellen Sie sicher, dass alle Anwendungen gespeichert und geschlossen sind.

Klicken Sie auf „Abbrechen“, um das Firmware-Update abzubrechen.</translation>
    </message>
    <message>
        <source>System access failed. Make sure you are in Administrator Mode and run the program again.</source>
        <translation>Systemzugriff fehlgeschlagen. Stellen Sie sicher, dass Sie im Administratormodus arbeiten, und starten Sie das Programm erneut.</translation>
    </message>
    <message>
        <source>System initialization failed.
Please reopen the application.</source>
        <translation>Systeminitialisierung fehlgeschlagen.
Bitte starten Sie die Anwendung erneut.</translation>
    </message>
    <message>
        <source>Execute the program again after Windows has rebooted.</source>
        <translation>Führen Sie das Programm erneut aus, nachdem Windows neu gestartet wurde.</translation>
    </message>
    <message>
        <source>Please make sure the device power is Off and USB is disconnected from the computer.</source>
        <translation>Bitte stellen Sie sicher, dass das Gerät ausgeschaltet und das USB-Kabel vom Computer getrennt ist.</translation>
    </message>
    <message>
        <source>System has been modified.
Please power On the device and connect the device to your computer.</source>
        <translation>Das System wurde geändert.
Bitte schalten Sie das Gerät ein und verbinden Sie es mit Ihrem Computer.</translation>
    </message>
    <message>
        <source>Operating system initializing</source>
        <translation>Betriebssystem wird initialisiert</translation>
    </message>
    <message>
        <source>Please wait a moment</source>
        <translation>Bitte einen Moment warten</translation>
    </message>
    <message>
        <source>System time out
Please power off the device and retry again</source>
        <translation>Zeitüberschreitung des Systems
Bitte schalten Sie das Gerät aus und versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>An unexpected error has occurred during the upgrade process.<byte value="xd"/>
Click &quot;Yes&quot; to generate the report.</source>
        <translation>Während des Updates ist ein unerwarteter Fehler aufgetreten.<byte value="xd"/>
Klicken Sie auf „Ja“, um den Bericht zu erstellen.</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. It is strongly recommended to cancel the downgrade! Still want to update?</source>
        <translation>Sie versuchen, ein Downgrade auf eine ältere Firmware-Version durchzuführen. Dabei können die zugehörigen Einstellungen und Parameter verloren gehen, und es kann zu einem schweren Geräteausfall kommen. Es wird dringend empfohlen, das Downgrade abzubrechen! Trotzdem aktualisieren?</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an incompatible older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. The upgrade process will be terminated. Press OK to close the program.</source>
        <translation>Sie versuchen, ein Downgrade auf eine inkompatible ältere Firmware-Version durchzuführen. Dabei können die zugehörigen Einstellungen und Parameter verloren gehen, und es kann zu einem schweren Geräteausfall kommen. Das Update wird abgebrochen. Klicken Sie auf „OK“, um das Programm zu schließen.</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Beendet</translation>
    </message>
    <message>
        <source>Start pending</source>
        <translation>Wird gestartet</translation>
    </message>
    <message>
        <source>Stop pending</source>
        <translation>Wird beendet</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Wird ausgeführt</translation>
    </message>
    <message>
        <source>Continue pending</source>
        <translation>Wird fortgesetzt</translation>
    </message>
    <message>
        <source>Pause pending</source>
        <translation>Wird angehalten</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>The firmware file %1 is empty.
The device was not changed.</source>
        <translation>Die Firmware-Datei %1 ist leer.
Das Gerät wurde nicht verändert.</translation>
    </message>
    <message>
        <source>The firmware file %1 is not a file.
The device was not changed.</source>
        <translation>Die Firmware-Datei %1 ist keine Datei.
Das Gerät wurde nicht verändert.</translation>
    </message>
    <message>
        <source>The firmware file %1 cannot be read: %2.
The device was not changed.</source>
        <translation>Die Firmware-Datei %1 kann nicht gelesen werden: %2.
Das Gerät wurde nicht verändert.</translation>
    </message>
    <message>
        <source>The firmware file %1 (%2 bytes) does not fit on the device&apos;s drive (%3 bytes free).
The device was not changed.</source>
        <translation>Die Firmware-Datei %1 (%2 Byte) passt nicht auf das Laufwerk des Geräts (%3 Byte frei).
Das Gerät wurde nicht verändert.</translation>
    </message>
    <message>
        <source>Waiting for the device to be powered Off and On again, to confirm the firmware it runs ...</source>
        <translation>Warten auf das Aus- und Wiedereinschalten des Geräts, um die laufende Firmware zu bestätigen ...</translation>
    </message>
    <message>
        <source>Confirmed: the device now runs %1.</source>
        <translation>Bestätigt: Auf dem Gerät läuft jetzt %1.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device still runs %1.
Please run the upgrade again.</source>
        <translation>Die neue Firmware wurde nicht übernommen: Auf dem Gerät läuft noch %1.
Bitte führen Sie das Update erneut durch.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device came back in bootloader mode.
Please run the upgrade again.</source>
        <translation>Die neue Firmware wurde nicht übernommen: Das Gerät hat sich im Bootloader-Modus zurückgemeldet.
Bitte führen Sie das Update erneut durch.</translation>
    </message>
    <message>
        <source>The device was not seen again within 3 minutes.
Please check that it is powered On and connected to your computer via the USB, then press Finish and Start to see the firmware it runs.</source>
        <translation>Das Gerät wurde innerhalb von 3&#xa0;Minuten nicht wieder erkannt.
Bitte prüfen Sie, ob es eingeschaltet und über USB mit Ihrem Computer verbunden ist. Klicken Sie dann auf „Fertig“ und „Starten“, um die laufende Firmware anzuzeigen.</translation>
    </message>
    <message>
        <source>The copy is taking longer than expected and is still running.
Do not power Off the device or unplug the device yet: this page tells you when it is safe.</source>
        <translation>Der Kopiervorgang dauert länger als erwartet und läuft noch.
Schalten Sie das Gerät noch nicht aus und trennen Sie es noch nicht vom Computer: Diese Seite zeigt an, wann es sicher ist.</translation>
    </message>
    <message>
        <source>Nothing has been written to the device for %1 seconds: the copy has stopped.
Please power Off the device and retry again.</source>
        <translation>Seit %1 Sekunden wurde nichts auf das Gerät geschrieben: Der Kopiervorgang ist stehen geblieben.
Bitte schalten Sie das Gerät aus und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
You can unplug the device and close the program.</source>
        <translation>Update erfolgreich abgeschlossen!
Sie können das Gerät vom Computer trennen und das Programm schließen.</translation>
    </message>
    <message>
        <source>The firmware was copied to the device.</source>
        <translation>Die Firmware wurde auf das Gerät kopiert.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
</TS>
