<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nb">
<context>
    <name>CLanguageMenu</name>
    <message>
        <source>Language</source>
        <translation>Språk</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Start </source>
        <translation>Start </translation>
    </message>
    <message>
        <source>Device :</source>
        <translation>Enhet:</translation>
    </message>
    <message>
        <source>New Firmware Version :</source>
        <translation>Ny fastvareversjon:</translation>
    </message>
    <message>
        <source>Current Firmware Version : </source>
        <translation>Nåværende fastvareversjon: </translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Tilbake</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Neste</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fullfør</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Logg</translation>
    </message>
    <message>
        <source>Log File(*.txt)</source>
        <translation>Loggfil (*.txt)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Unknown</source>
        <translation>Ukjent</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Feil</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Spørsmål</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advarsel</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informasjon</translation>
    </message>
    <message>
        <source>Please confirm your device connection and power !</source>
        <translation>Kontroller at enheten er koblet til og slått på!</translation>
    </message>
    <message>
        <source>Bootloader</source>
        <translation>Bootloader</translation>
    </message>
    <message>
        <source>Please turn the power Off and On again !</source>
        <translation>Slå strømmen av og deretter på igjen!</translation>
    </message>
    <message>
        <source>Firmware file not found!</source>
        <translation>Fant ikke fastvarefilen!</translation>
    </message>
    <message>
        <source>Welcome to </source>
        <translation>Velkommen til </translation>
    </message>
    <message>
        <source> Firmware Upgrade</source>
        <translation>-fastvareoppgradering</translation>
    </message>
    <message>
        <source>Please check below items before starting </source>
        <translation>Kontroller punktene nedenfor før du starter </translation>
    </message>
    <message>
        <source> Firmware Upgrade :</source>
        <translation>-fastvareoppgraderingen:</translation>
    </message>
    <message>
        <source>Power On the </source>
        <translation>Slå på </translation>
    </message>
    <message>
        <source> device.</source>
        <translation>-enheten.</translation>
    </message>
    <message>
        <source>Connect </source>
        <translation>Koble </translation>
    </message>
    <message>
        <source> to your computer via the USB.</source>
        <translation> til datamaskinen via USB.</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>Enhetsinformasjon</translation>
    </message>
    <message>
        <source>Click next to start upgrade</source>
        <translation>Klikk på Neste for å starte oppgraderingen</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>Fastvareoppgradering</translation>
    </message>
    <message>
        <source>Upgrade in progress!
 Do not power Off the device or unplug the device</source>
        <translation>Oppgradering pågår!
 Ikke slå av enheten, og ikke koble den fra</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
 Please power Off the device then power On.</source>
        <translation>Oppgraderingen er fullført!
 Slå enheten av og deretter på igjen.</translation>
    </message>
    <message>
        <source>Please power Off the device then power On.
Please check the device is connected to your computer</source>
        <translation>Slå enheten av og deretter på igjen.
Kontroller at enheten er koblet til datamaskinen</translation>
    </message>
    <message>
        <source>A system restart is required. Please restart your Windows to continue installing the new firmware.

Click Yes to restart the system. Make sure all applications are saved and closed.

Click Cancel to abort the firmware upgrade.</source>
        <translation>Systemet må startes på nytt. Start Windows på nytt for å fortsette installeringen av den nye fastvaren.

Klikk på Ja for å starte systemet på nytt. Kontroller at alt er lagret og alle programmer er lukket.

Klikk på Avbryt for å avbryte fastvareoppgraderingen.</translation>
    </message>
    <message>
        <source>System access failed. Make sure you are in Administrator Mode and run the program again.</source>
        <translation>Fikk ikke tilgang til systemet. Kontroller at du kjører programmet som administrator, og kjør det på nytt.</translation>
    </message>
    <message>
        <source>System initialization failed.
Please reopen the application.</source>
        <translation>Klargjøringen av systemet mislyktes.
Åpne programmet på nytt.</translation>
    </message>
    <message>
        <source>Execute the program again after Windows has rebooted.</source>
        <translation>Kjør programmet på nytt når Windows har startet på nytt.</translation>
    </message>
    <message>
        <source>Please make sure the device power is Off and USB is disconnected from the computer.</source>
        <translation>Kontroller at enheten er slått av og at USB-kabelen er koblet fra datamaskinen.</translation>
    </message>
    <message>
        <source>System has been modified.
Please power On the device and connect the device to your computer.</source>
        <translation>Systemet er endret.
Slå på enheten og koble den til datamaskinen.</translation>
    </message>
    <message>
        <source>Operating system initializing</source>
        <translation>Operativsystemet klargjøres</translation>
    </message>
    <message>
        <source>Please wait a moment</source>
        <translation>Vent litt</translation>
    </message>
    <message>
        <source>System time out
Please power off the device and retry again</source>
        <translation>Tidsavbrudd i systemet
Slå av enheten og prøv igjen</translation>
    </message>
    <message>
        <source>An unexpected error has occurred during the upgrade process.<byte value="xd"/>
Click &quot;Yes&quot; to generate the report.</source>
        <translation>Det oppstod en uventet feil under oppgraderingen.<byte value="xd"/>
Klikk på «Ja» for å lage rapporten.</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. It is strongly recommended to cancel the downgrade! Still want to update?</source>
        <translation>Du prøver å nedgradere til en eldre fastvareversjon. Det kan føre til at innstillinger og parametere går tapt, og til alvorlig feil på enheten. Det anbefales sterkt å avbryte nedgraderingen! Vil du likevel oppdatere?</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an incompatible older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. The upgrade process will be terminated. Press OK to close the program.</source>
        <translation>Du prøver å nedgradere til en eldre fastvareversjon som ikke er kompatibel. Det kan føre til at innstillinger og parametere går tapt, og til alvorlig feil på enheten. Oppgraderingen avbrytes. Trykk på OK for å lukke programmet.</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Stoppet</translation>
    </message>
    <message>
        <source>Start pending</source>
        <translation>Starter</translation>
    </message>
    <message>
        <source>Stop pending</source>
        <translation>Stopper</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Kjører</translation>
    </message>
    <message>
        <source>Continue pending</source>
        <translation>Fortsetter</translation>
    </message>
    <message>
        <source>Pause pending</source>
        <translation>Stanser midlertidig</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Stanset midlertidig</translation>
    </message>
    <message>
        <source>The firmware file %1 is empty.
The device was not changed.</source>
        <translation>Fastvarefilen %1 er tom.
Enheten ble ikke endret.</translation>
    </message>
    <message>
        <source>The firmware file %1 is not a file.
The device was not changed.</source>
        <translation>Fastvarefilen %1 er ikke en fil.
Enheten ble ikke endret.</translation>
    </message>
    <message>
        <source>The firmware file %1 cannot be read: %2.
The device was not changed.</source>
        <translation>Fastvarefilen %1 kan ikke leses: %2.
Enheten ble ikke endret.</translation>
    </message>
    <message>
        <source>The firmware file %1 (%2 bytes) does not fit on the device&apos;s drive (%3 bytes free).
The device was not changed.</source>
        <translation>Fastvarefilen %1 (%2 byte) får ikke plass på enhetens stasjon (%3 byte ledig).
Enheten ble ikke endret.</translation>
    </message>
    <message>
        <source>Waiting for the device to be powered Off and On again, to confirm the firmware it runs ...</source>
        <translation>Venter på at enheten slås av og på igjen, for å bekrefte hvilken fastvare den kjører ...</translation>
    </message>
    <message>
        <source>Confirmed: the device now runs %1.</source>
        <translation>Bekreftet: enheten kjører nå %1.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device still runs %1.
Please run the upgrade again.</source>
        <translation>Den nye fastvaren ble ikke tatt i bruk: enheten kjører fortsatt %1.
Kjør oppgraderingen på nytt.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device came back in bootloader mode.
Please run the upgrade again.</source>
        <translation>Den nye fastvaren ble ikke tatt i bruk: enheten startet igjen i bootloader-modus.
Kjør oppgraderingen på nytt.</translation>
    </message>
    <message>
        <source>The device was not seen again within 3 minutes.
Please check that it is powered On and connected to your computer via the USB, then press Finish and Start to see the firmware it runs.</source>
        <translation>Enheten ble ikke funnet igjen innen 3 minutter.
Kontroller at den er slått på og koblet til datamaskinen via USB, og trykk deretter på Fullfør og Start for å se hvilken fastvare den kjører.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Om</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Lukk</translation>
    </message>
    <message>
        <source>The copy is taking longer than expected and is still running.
Do not power Off the device or unplug the device yet: this page tells you when it is safe.</source>
        <translation>Kopieringen tar lengre tid enn forventet og pågår fortsatt.
Ikke slå av enheten, og ikke koble den fra ennå: denne siden viser når det er trygt.</translation>
    </message>
    <message>
        <source>Nothing has been written to the device for %1 seconds: the copy has stopped.
Please power Off the device and retry again.</source>
        <translation>Ingenting er skrevet til enheten på %1 sekunder: kopieringen har stoppet.
Slå av enheten og prøv igjen.</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
You can unplug the device and close the program.</source>
        <translation>Oppgraderingen er fullført!
Du kan koble fra enheten og lukke programmet.</translation>
    </message>
    <message>
        <source>The firmware was copied to the device.</source>
        <translation>Fastvaren er kopiert til enheten.</translation>
    </message>
</context>
</TS>
