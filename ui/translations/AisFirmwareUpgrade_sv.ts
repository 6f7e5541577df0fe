<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv">
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
        <translation>Starta </translation>
    </message>
    <message>
        <source>Device :</source>
        <translation>Enhet:</translation>
    </message>
    <message>
        <source>New Firmware Version :</source>
        <translation>Ny firmwareversion:</translation>
    </message>
    <message>
        <source>Current Firmware Version : </source>
        <translation>Aktuell firmwareversion: </translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Tillbaka</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Nästa</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Slutför</translation>
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
        <translation>Okänd</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fel</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Fråga</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Varning</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Please confirm your device connection and power !</source>
        <translation>Kontrollera att enheten är ansluten och påslagen!</translation>
    </message>
    <message>
        <source>Bootloader</source>
        <translation>Bootloader</translation>
    </message>
    <message>
        <source>Please turn the power Off and On again !</source>
        <translation>Stäng av strömmen och slå sedan på den igen!</translation>
    </message>
    <message>
        <source>Firmware file not found!</source>
        <translation>Firmwarefilen hittades inte!</translation>
    </message>
    <message>
        <source>Welcome to </source>
        <translation>Välkommen till </translation>
    </message>
    <message>
        <source> Firmware Upgrade</source>
        <translation>-firmwareuppgradering</translation>
    </message>
    <message>
        <source>Please check below items before starting </source>
        <translation>Kontrollera punkterna nedan innan du startar </translation>
    </message>
    <message>
        <source> Firmware Upgrade :</source>
        <translation>-firmwareuppgraderingen:</translation>
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
        <translation>Anslut </translation>
    </message>
    <message>
        <source> to your computer via the USB.</source>
        <translation> till datorn via USB.</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>Enhetsinformation</translation>
    </message>
    <message>
        <source>Click next to start upgrade</source>
        <translation>Klicka på Nästa för att starta uppgraderingen</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>Firmwareuppgradering</translation>
    </message>
    <message>
        <source>Upgrade in progress!
 Do not power Off the device or unplug the device</source>
        <translation>Uppgradering pågår!
 Stäng inte av enheten och koppla inte från den</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
 Please power Off the device then power On.</source>
        <translation>Uppgraderingen är klar!
 Stäng av enheten och slå sedan på den igen.</translation>
    </message>
    <message>
        <source>Please power Off the device then power On.
Please check the device is connected to your computer</source>
        <translation>Stäng av enheten och slå sedan på den igen.
Kontrollera att enheten är ansluten till datorn</translation>
    </message>
    <message>
        <source>A system restart is required. Please restart your Windows to continue installing the new firmware.

Click Yes to restart the system. Make sure all applications are saved and closed.

Click Cancel to abort the firmware upgrade.</source>
        <translation>Systemet måste startas om. Starta om Windows för att fortsätta installera den nya firmwaren.

Klicka på Ja för att starta om systemet. Se till att allt är sparat och att alla program är stängda.

Klicka på Avbryt för att avbryta firmwareuppgraderingen.</translation>
    </message>
    <message>
        <source>System access failed. Make sure you are in Administrator Mode and run the program again.</source>
        <translation>Åtkomst till systemet misslyckades. Kontrollera att du kör programmet som administratör och kör det igen.</translation>
    </message>
    <message>
        <source>System initialization failed.
Please reopen the application.</source>
        <translation>Systemet kunde inte förberedas.
Öppna programmet igen.</translation>
    </message>
    <message>
        <source>Execute the program again after Windows has rebooted.</source>
        <translation>Kör programmet igen när Windows har startats om.</translation>
    </message>
    <message>
        <source>Please make sure the device power is Off and USB is disconnected from the computer.</source>
        <translation>Kontrollera att enheten är avstängd och att USB-kabeln är urkopplad från datorn.</translation>
    </message>
    <message>
        <source>System has been modified.
Please power On the device and connect the device to your computer.</source>
        <translation>Systemet har ändrats.
Slå på enheten och anslut den till datorn.</translation>
    </message>
    <message>
        <source>Operating system initializing</source>
        <translation>Operativsystemet förbereds</translation>
    </message>
    <message>
        <source>Please wait a moment</source>
        <translation>Vänta ett ögonblick</translation>
    </message>
    <message>
        <source>System time out
Please power off the device and retry again</source>
        <translation>Tidsgränsen överskreds
Stäng av enheten och försök igen</translation>
    </message>
    <message>
        <source>An unexpected error has occurred during the upgrade process.<byte value="xd"/>
Click &quot;Yes&quot; to generate the report.</source>
        <translation>Ett oväntat fel inträffade under uppgraderingen.<byte value="xd"/>
Klicka på ”Ja” för att skapa rapporten.</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. It is strongly recommended to cancel the downgrade! Still want to update?</source>
        <translation>Du försöker nedgradera till en äldre firmwareversion. Det kan leda till att inställningar och parametrar går förlorade och till allvarliga fel på enheten. Vi rekommenderar starkt att du avbryter nedgraderingen! Vill du ändå uppdatera?</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an incompatible older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. The upgrade process will be terminated. Press OK to close the program.</source>
        <translation>Du försöker nedgradera till en äldre firmwareversion som inte är kompatibel. Det kan leda till att inställningar och parametrar går förlorade och till allvarliga fel på enheten. Uppgraderingen avbryts. Tryck på OK för att stänga programmet.</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Stoppad</translation>
    </message>
    <message>
        <source>Start pending</source>
        <translation>Startar</translation>
    </message>
    <message>
        <source>Stop pending</source>
        <translation>Stoppar</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Körs</translation>
    </message>
    <message>
        <source>Continue pending</source>
        <translation>Återupptar</translation>
    </message>
    <message>
        <source>Pause pending</source>
        <translation>Pausar</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Pausad</translation>
    </message>
    <message>
        <source>The firmware file %1 is empty.
The device was not changed.</source>
        <translation>Firmwarefilen %1 är tom.
Enheten har inte ändrats.</translation>
    </message>
    <message>
        <source>The firmware file %1 is not a file.
The device was not changed.</source>
        <translation>Firmwarefilen %1 är inte en fil.
Enheten har inte ändrats.</translation>
    </message>
    <message>
        <source>The firmware file %1 cannot be read: %2.
The device was not changed.</source>
        <translation>Firmwarefilen %1 kan inte läsas: %2.
Enheten har inte ändrats.</translation>
    </message>
    <message>
        <source>The firmware file %1 (%2 bytes) does not fit on the device&apos;s drive (%3 bytes free).
The device was not changed.</source>
        <translation>Firmwarefilen %1 (%2 byte) får inte plats på enhetens disk (%3 byte ledigt).
Enheten har inte ändrats.</translation>
    </message>
    <message>
        <source>Waiting for the device to be powered Off and On again, to confirm the firmware it runs ...</source>
        <translation>Väntar på att enheten stängs av och slås på igen, för att bekräfta vilken firmware den kör ...</translation>
    </message>
    <message>
        <source>Confirmed: the device now runs %1.</source>
        <translation>Bekräftat: enheten kör nu %1.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device still runs %1.
Please run the upgrade again.</source>
        <translation>Den nya firmwaren togs inte i bruk: enheten kör fortfarande %1.
Kör uppgraderingen igen.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device came back in bootloader mode.
Please run the upgrade again.</source>
        <translation>Den nya firmwaren togs inte i bruk: enheten startade igen i bootloader-läge.
Kör uppgraderingen igen.</translation>
    </message>
    <message>
        <source>The device was not seen again within 3 minutes.
Please check that it is powered On and connected to your computer via the USB, then press Finish and Start to see the firmware it runs.</source>
        <translation>Enheten hittades inte igen inom 3 minuter.
Kontrollera att den är påslagen och ansluten till datorn via USB, och tryck sedan på Slutför och Starta för att se vilken firmware den kör.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Om</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Stäng</translation>
    </message>
    <message>
        <source>The copy is taking longer than expected and is still running.
Do not power Off the device or unplug the device yet: this page tells you when it is safe.</source>
        <translation>Kopieringen tar längre tid än väntat och pågår fortfarande.
Stäng inte av enheten och koppla inte från den ännu: den här sidan visar när det är säkert.</translation>
    </message>
    <message>
        <source>Nothing has been written to the device for %1 seconds: the copy has stopped.
Please power Off the device and retry again.</source>
        <translation>Inget har skrivits till enheten på %1 sekunder: kopieringen har stannat.
Stäng av enheten och försök igen.</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
You can unplug the device and close the program.</source>
        <translation>Uppgraderingen är klar!
Du kan koppla från enheten och stänga programmet.</translation>
    </message>
    <message>
        <source>The firmware was copied to the device.</source>
        <translation>Firmwaren har kopierats till enheten.</translation>
    </message>
</context>
</TS>
