<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl">
<context>
    <name>CLanguageMenu</name>
    <message>
        <source>Language</source>
        <translation>Taal</translation>
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
        <translation>Apparaat:</translation>
    </message>
    <message>
        <source>New Firmware Version :</source>
        <translation>Nieuwe firmwareversie:</translation>
    </message>
    <message>
        <source>Current Firmware Version : </source>
        <translation>Huidige firmwareversie: </translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Terug</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Verder</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Klaar</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>Log File(*.txt)</source>
        <translation>Logbestand (*.txt)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Unknown</source>
        <translation>Onbekend</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fout</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Vraag</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Waarschuwing</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informatie</translation>
    </message>
    <message>
        <source>Please confirm your device connection and power !</source>
        <translation>Controleer de verbinding en de voeding van het apparaat!</translation>
    </message>
    <message>
        <source>Bootloader</source>
        <translation>Bootloader</translation>
    </message>
    <message>
        <source>Please turn the power Off and On again !</source>
        <translation>Schakel het apparaat uit en weer in!</translation>
    </message>
    <message>
        <source>Firmware file not found!</source>
        <translation>Firmwarebestand niet gevonden!</translation>
    </message>
    <message>
        <source>Welcome to </source>
        <translation>Welkom bij </translation>
    </message>
    <message>
        <source> Firmware Upgrade</source>
        <translation> Firmware Upgrade</translation>
    </message>
    <message>
        <source>Please check below items before starting </source>
        <translation>Controleer de volgende punten voordat u de </translation>
    </message>
    <message>
        <source> Firmware Upgrade :</source>
        <translation>-firmware-update start:</translation>
    </message>
    <message>
        <source>Power On the </source>
        <translation>Schakel het </translation>
    </message>
    <message>
        <source> device.</source>
        <translation>-apparaat in.</translation>
    </message>
    <message>
        <source>Connect </source>
        <translation>Sluit het </translation>
    </message>
    <message>
        <source> to your computer via the USB.</source>
        <translation>-apparaat via USB aan op uw computer.</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>Apparaatinformatie</translation>
    </message>
    <message>
        <source>Click next to start upgrade</source>
        <translation>Klik op Verder om de update te starten</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>Firmware-update</translation>
    </message>
    <message>
        <source>Upgrade in progress!
 Do not power Off the device or unplug the device</source>
        <translation>Update bezig!
Apparaat niet uitschakelen en niet loskoppelen</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
 Please power Off the device then power On.</source>
        <translation>Update met succes voltooid!
Schakel het apparaat uit en daarna weer in.</translation>
    </message>
    <message>
        <source>Please power Off the device then power On.
Please check the device is connected to your computer</source>
        <translation>Schakel het apparaat uit en daarna weer in.
Controleer of het apparaat op uw computer is aangesloten</translation>
    </message>
    <message>
        <source>A system restart is required. Please restart your Windows to continue installing the new firmware.

Click Yes to restart the system. Make sure all applications are saved and closed.

Click Cancel to abort the firmware upgrade.</source>
        <translation>Het systeem moet opnieuw worden opgestart. Start Windows opnieuw op om de installatie van de nieuwe firmware voort te zetten.

Klik op Ja om het systeem opnieuw op te starten. Zorg dat alle toepassingen zijn opgeslagen en gesloten.

Klik op Annuleren om de firmware-update af te breken.</translation>
    </message>
    <message>
        <source>System access failed. Make sure you are in Administrator Mode and run the program again.</source>
        <translation>Toegang tot het systeem mislukt. Zorg dat u in de beheerdersmodus werkt en start het programma opnieuw.</translation>
    </message>
    <message>
        <source>System initialization failed.
Please reopen the application.</source>
        <translation>Initialisatie van het systeem mislukt.
Open de toepassing opnieuw.</translation>
    </message>
    <message>
        <source>Execute the program again after Windows has rebooted.</source>
        <translation>Voer het programma opnieuw uit nadat Windows opnieuw is opgestart.</translation>
    </message>
    <message>
        <source>Please make sure the device power is Off and USB is disconnected from the computer.</source>
        <translation>Zorg dat het apparaat is uitgeschakeld en dat de USB-kabel van de computer is losgekoppeld.</translation>
    </message>
    <message>
        <source>System has been modified.
Please power On the device and connect the device to your computer.</source>
        <translation>Het systeem is gewijzigd.
Schakel het apparaat in en sluit het aan op uw computer.</translation>
    </message>
    <message>
        <source>Operating system initializing</source>
        <translation>Besturingssysteem wordt geïnitialiseerd</translation>
    </message>
    <message>
        <source>Please wait a moment</source>
        <translation>Een ogenblik geduld</translation>
    </message>
    <message>
        <source>System time out
Please power off the device and retry again</source>
        <translation>Time-out van het systeem
Schakel het apparaat uit en probeer het opnieuw</translation>
    </message>
    <message>
        <source>An unexpected error has occurred during the upgrade process.<byte value="xd"/>
Click &quot;Yes&quot; to generate the report.</source>
        <translation>Er is een onverwachte fout opgetreden tijdens de update.<byte value="xd"/>
Klik op Ja om het rapport te maken.</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. It is strongly recommended to cancel the downgrade! Still want to update?</source>
        <translation>U probeert terug te gaan naar een oudere firmwareversie (downgrade). Daardoor kunnen de betreffende instellingen en parameters verloren gaan en kan het apparaat ernstig defect raken. Het wordt sterk aangeraden de downgrade te annuleren! Toch updaten?</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an incompatible older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. The upgrade process will be terminated. Press OK to close the program.</source>
        <translation>U probeert terug te gaan naar een oudere, niet-compatibele firmwareversie (downgrade). Daardoor kunnen de betreffende instellingen en parameters verloren gaan en kan het apparaat ernstig defect raken. De update wordt afgebroken. Klik op OK om het programma te sluiten.</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Gestopt</translation>
    </message>
    <message>
        <source>Start pending</source>
        <translation>Wordt gestart</translation>
    </message>
    <message>
        <source>Stop pending</source>
        <translation>Wordt gestopt</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Wordt uitgevoerd</translation>
    </message>
    <message>
        <source>Continue pending</source>
        <translation>Wordt hervat</translation>
    </message>
    <message>
        <source>Pause pending</source>
        <translation>Wordt onderbroken</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Onderbroken</translation>
    </message>
    <message>
        <source>The firmware file %1 is empty.
The device was not changed.</source>
        <translation>Het firmwarebestand %1 is leeg.
Het apparaat is niet gewijzigd.</translation>
    </message>
    <message>
        <source>The firmware file %1 is not a file.
The device was not changed.</source>
        <translation>Het firmwarebestand %1 is geen bestand.
Het apparaat is niet gewijzigd.</translation>
    </message>
    <message>
        <source>The firmware file %1 cannot be read: %2.
The device was not changed.</source>
        <translation>Het firmwarebestand %1 kan niet worden gelezen: %2.
Het apparaat is niet gewijzigd.</translation>
    </message>
    <message>
        <source>The firmware file %1 (%2 bytes) does not fit on the device&apos;s drive (%3 bytes free).
The device was not changed.</source>
        <translation>Het firmwarebestand %1 (%2 bytes) past niet op het station van het apparaat (%3 bytes vrij).
Het apparaat is niet gewijzigd.</translation>
    </message>
    <message>
        <source>Waiting for the device to be powered Off and On again, to confirm the firmware it runs ...</source>
        <translation>Wachten tot het apparaat uit- en weer ingeschakeld wordt, om de actieve firmware te bevestigen ...</translation>
    </message>
    <message>
        <source>Confirmed: the device now runs %1.</source>
        <translation>Bevestigd: op het apparaat draait nu %1.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device still runs %1.
Please run the upgrade again.</source>
        <translation>De nieuwe firmware is niet overgenomen: op het apparaat draait nog %1.
Voer de update opnieuw uit.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device came back in bootloader mode.
Please run the upgrade again.</source>
        <translation>De nieuwe firmware is niet overgenomen: het apparaat is in de bootloadermodus opnieuw gestart.
Voer de update opnieuw uit.</translation>
    </message>
    <message>
        <source>The device was not seen again within 3 minutes.
Please check that it is powered On and connected to your computer via the USB, then press Finish and Start to see the firmware it runs.</source>
        <translation>Het apparaat is binnen 3&#xa0;minuten niet opnieuw gevonden.
Controleer of het is ingeschakeld en via USB op uw computer is aangesloten en klik daarna op Klaar en Starten om te zien welke firmware erop draait.</translation>
    </message>
    <message>
        <source>The copy is taking longer than expected and is still running.
Do not power Off the device or unplug the device yet: this page tells you when it is safe.</source>
        <translation>Het kopiëren duurt langer dan verwacht en is nog bezig.
Schakel het apparaat nog niet uit en koppel het nog niet los: deze pagina geeft aan wanneer dat veilig kan.</translation>
    </message>
    <message>
        <source>Nothing has been written to the device for %1 seconds: the copy has stopped.
Please power Off the device and retry again.</source>
        <translation>Er is %1 seconden lang niets naar het apparaat geschreven: het kopiëren is gestopt.
Schakel het apparaat uit en probeer het opnieuw.</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
You can unplug the device and close the program.</source>
        <translation>Update met succes voltooid!
U kunt het apparaat loskoppelen en het programma sluiten.</translation>
    </message>
    <message>
        <source>The firmware was copied to the device.</source>
        <translation>De firmware is naar het apparaat gekopieerd.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Over</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
</context>
</TS>
