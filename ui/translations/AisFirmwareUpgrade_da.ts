<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="da">
<context>
    <name>CLanguageMenu</name>
    <message>
        <source>Language</source>
        <translation>Sprog</translation>
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
        <translation>Enhed:</translation>
    </message>
    <message>
        <source>New Firmware Version :</source>
        <translation>Ny firmwareversion:</translation>
    </message>
    <message>
        <source>Current Firmware Version : </source>
        <translation>Aktuel firmwareversion: </translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Tilbage</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Næste</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Udfør</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>Log File(*.txt)</source>
        <translation>Logfil (*.txt)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Unknown</source>
        <translation>Ukendt</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fejl</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Spørgsmål</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advarsel</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Please confirm your device connection and power !</source>
        <translation>Kontrollér, at enheden er tilsluttet og tændt!</translation>
    </message>
    <message>
        <source>Bootloader</source>
        <translation>Bootloader</translation>
    </message>
    <message>
        <source>Please turn the power Off and On again !</source>
        <translation>Sluk for strømmen, og tænd den igen!</translation>
    </message>
    <message>
        <source>Firmware file not found!</source>
        <translation>Firmwarefilen blev ikke fundet!</translation>
    </message>
    <message>
        <source>Welcome to </source>
        <translation>Velkommen til </translation>
    </message>
    <message>
        <source> Firmware Upgrade</source>
        <translation>-firmwareopgradering</translation>
    </message>
    <message>
        <source>Please check below items before starting </source>
        <translation>Kontrollér punkterne nedenfor, før du starter </translation>
    </message>
    <message>
        <source> Firmware Upgrade :</source>
        <translation>-firmwareopgraderingen:</translation>
    </message>
    <message>
        <source>Power On the </source>
        <translation>Tænd for </translation>
    </message>
    <message>
        <source> device.</source>
        <translation>-enheden.</translation>
    </message>
    <message>
        <source>Connect </source>
        <translation>Slut </translation>
    </message>
    <message>
        <source> to your computer via the USB.</source>
        <translation> til computeren via USB.</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>Enhedsoplysninger</translation>
    </message>
    <message>
        <source>Click next to start upgrade</source>
        <translation>Klik på Næste for at starte opgraderingen</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>Firmwareopgradering</translation>
    </message>
    <message>
        <source>Upgrade in progress!
 Do not power Off the device or unplug the device</source>
        <translation>Opgradering i gang!
 Sluk ikke for enheden, og frakobl den ikke</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
 Please power Off the device then power On.</source>
        <translation>Opgraderingen er fuldført!
 Sluk for enheden, og tænd den derefter igen.</translation>
    </message>
    <message>
        <source>Please power Off the device then power On.
Please check the device is connected to your computer</source>
        <translation>Sluk for enheden, og tænd den derefter igen.
Kontrollér, at enheden er sluttet til computeren</translation>
    </message>
    <message>
        <source>A system restart is required. Please restart your Windows to continue installing the new firmware.

Click Yes to restart the system. Make sure all applications are saved and closed.

Click Cancel to abort the firmware upgrade.</source>
        <translation>Systemet skal genstartes. Genstart Windows for at fortsætte installationen af den nye firmware.

Klik på Ja for at genstarte systemet. Sørg for, at alt er gemt, og at alle programmer er lukket.

Klik på Annuller for at afbryde firmwareopgraderingen.</translation>
    </message>
    <message>
        <source>System access failed. Make sure you are in Administrator Mode and run the program again.</source>
        <translation>Der kunne ikke opnås adgang til systemet. Kontrollér, at du kører programmet som administrator, og kør det igen.</translation>
    </message>
    <message>
        <source>System initialization failed.
Please reopen the application.</source>
        <translation>Systemet kunne ikke klargøres.
Åbn programmet igen.</translation>
    </message>
    <message>
        <source>Execute the program again after Windows has rebooted.</source>
        <translation>Kør programmet igen, når Windows er genstartet.</translation>
    </message>
    <message>
        <source>Please make sure the device power is Off and USB is disconnected from the computer.</source>
        <translation>Kontrollér, at enheden er slukket, og at USB-kablet er taget ud af computeren.</translation>
    </message>
    <message>
        <source>System has been modified.
Please power On the device and connect the device to your computer.</source>
        <translation>Systemet er blevet ændret.
Tænd for enheden, og slut den til computeren.</translation>
    </message>
    <message>
        <source>Operating system initializing</source>
        <translation>Operativsystemet klargøres</translation>
    </message>
    <message>
        <source>Please wait a moment</source>
        <translation>Vent et øjeblik</translation>
    </message>
    <message>
        <source>System time out
Please power off the device and retry again</source>
        <translation>Tidsgrænsen blev overskredet
Sluk for enheden, og prøv igen</translation>
    </message>
    <message>
        <source>An unexpected error has occurred during the upgrade process.<byte value="xd"/>
Click &quot;Yes&quot; to generate the report.</source>
        <translation>Der opstod en uventet fejl under opgraderingen.<byte value="xd"/>
Klik på »Ja« for at oprette rapporten.</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. It is strongly recommended to cancel the downgrade! Still want to update?</source>
        <translation>Du er ved at nedgradere til en ældre firmwareversion. Det kan medføre, at indstillinger og parametre går tabt, og forårsage alvorlige fejl på enheden. Det anbefales kraftigt at annullere nedgraderingen! Vil du stadig opdatere?</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an incompatible older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. The upgrade process will be terminated. Press OK to close the program.</source>
        <translation>Du er ved at nedgradere til en ældre firmwareversion, der ikke er kompatibel. Det kan medføre, at indstillinger og parametre går tabt, og forårsage alvorlige fejl på enheden. Opgraderingen afbrydes. Tryk på OK for at lukke programmet.</translation>
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
        <translation>Kører</translation>
    </message>
    <message>
        <source>Continue pending</source>
        <translation>Genoptager</translation>
    </message>
    <message>
        <source>Pause pending</source>
        <translation>Afbryder midlertidigt</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Afbrudt midlertidigt</translation>
    </message>
    <message>
        <source>The firmware file %1 is empty.
The device was not changed.</source>
        <translation>Firmwarefilen %1 er tom.
Enheden blev ikke ændret.</translation>
    </message>
    <message>
        <source>The firmware file %1 is not a file.
The device was not changed.</source>
        <translation>Firmwarefilen %1 er ikke en fil.
Enheden blev ikke ændret.</translation>
    </message>
    <message>
        <source>The firmware file %1 cannot be read: %2.
The device was not changed.</source>
        <translation>Firmwarefilen %1 kan ikke læses: %2.
Enheden blev ikke ændret.</translation>
    </message>
    <message>
        <source>The firmware file %1 (%2 bytes) does not fit on the device&apos;s drive (%3 bytes free).
The device was not changed.</source>
        <translation>Firmwarefilen %1 (%2 byte) er for stor til enhedens drev (%3 byte ledig).
Enheden blev ikke ændret.</translation>
    </message>
    <message>
        <source>Waiting for the device to be powered Off and On again, to confirm the firmware it runs ...</source>
        <translation>Venter på, at enheden slukkes og tændes igen, for at bekræfte, hvilken firmware den kører ...</translation>
    </message>
    <message>
        <source>Confirmed: the device now runs %1.</source>
        <translation>Bekræftet: Enheden kører nu %1.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device still runs %1.
Please run the upgrade again.</source>
        <translation>Den nye firmware blev ikke taget i brug: Enheden kører stadig %1.
Kør opgraderingen igen.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device came back in bootloader mode.
Please run the upgrade again.</source>
        <translation>Den nye firmware blev ikke taget i brug: Enheden startede igen i bootloader-tilstand.
Kør opgraderingen igen.</translation>
    </message>
    <message>
        <source>The device was not seen again within 3 minutes.
Please check that it is powered On and connected to your computer via the USB, then press Finish and Start to see the firmware it runs.</source>
        <translation>Enheden blev ikke fundet igen inden for 3 minutter.
Kontrollér, at den er tændt og sluttet til computeren via USB, og tryk derefter på Udfør og Start for at se, hvilken firmware den kører.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Om</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Luk</translation>
    </message>
    <message>
        <source>The copy is taking longer than expected and is still running.
Do not power Off the device or unplug the device yet: this page tells you when it is safe.</source>
        <translation>Kopieringen tager længere tid end forventet og er stadig i gang.
Sluk ikke for enheden, og frakobl den ikke endnu: Denne side viser, hvornår det er sikkert.</translation>
    </message>
    <message>
        <source>Nothing has been written to the device for %1 seconds: the copy has stopped.
Please power Off the device and retry again.</source>
        <translation>Der er ikke skrevet noget til enheden i %1 sekunder: Kopieringen er stoppet.
Sluk for enheden, og prøv igen.</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
You can unplug the device and close the program.</source>
        <translation>Opgraderingen er fuldført!
Du kan frakoble enheden og lukke programmet.</translation>
    </message>
    <message>
        <source>The firmware was copied to the device.</source>
        <translation>Firmwaren er kopieret til enheden.</translation>
    </message>
</context>
</TS>
