<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fi">
<context>
    <name>CLanguageMenu</name>
    <message>
        <source>Language</source>
        <translation>Kieli</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Start </source>
        <translation>Aloita </translation>
    </message>
    <message>
        <source>Device :</source>
        <translation>Laite:</translation>
    </message>
    <message>
        <source>New Firmware Version :</source>
        <translation>Uusi laiteohjelmisto:</translation>
    </message>
    <message>
        <source>Current Firmware Version : </source>
        <translation>Nykyinen laiteohjelmisto: </translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Edellinen</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Seuraava</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Valmis</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Loki</translation>
    </message>
    <message>
        <source>Log File(*.txt)</source>
        <translation>Lokitiedosto (*.txt)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Unknown</source>
        <translation>Tuntematon</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Virhe</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Kysymys</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Varoitus</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Ilmoitus</translation>
    </message>
    <message>
        <source>Please confirm your device connection and power !</source>
        <translation>Tarkista laitteen liitäntä ja virransyöttö!</translation>
    </message>
    <message>
        <source>Bootloader</source>
        <translation>Bootloader</translation>
    </message>
    <message>
        <source>Please turn the power Off and On again !</source>
        <translation>Katkaise virta ja kytke se uudelleen!</translation>
    </message>
    <message>
        <source>Firmware file not found!</source>
        <translation>Laiteohjelmistotiedostoa ei löytynyt!</translation>
    </message>
    <message>
        <source>Welcome to </source>
        <translation>Tervetuloa – </translation>
    </message>
    <message>
        <source> Firmware Upgrade</source>
        <translation>-laiteohjelmiston päivitys</translation>
    </message>
    <message>
        <source>Please check below items before starting </source>
        <translation>Tarkista alla olevat kohdat, ennen kuin aloitat </translation>
    </message>
    <message>
        <source> Firmware Upgrade :</source>
        <translation>-laiteohjelmiston päivityksen:</translation>
    </message>
    <message>
        <source>Power On the </source>
        <translation>Kytke virta </translation>
    </message>
    <message>
        <source> device.</source>
        <translation>-laitteeseen.</translation>
    </message>
    <message>
        <source>Connect </source>
        <translation>Liitä </translation>
    </message>
    <message>
        <source> to your computer via the USB.</source>
        <translation> tietokoneeseen USB-kaapelilla.</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>Laitteen tiedot</translation>
    </message>
    <message>
        <source>Click next to start upgrade</source>
        <translation>Aloita päivitys valitsemalla Seuraava</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>Laiteohjelmiston päivitys</translation>
    </message>
    <message>
        <source>Upgrade in progress!
 Do not power Off the device or unplug the device</source>
        <translation>Päivitys käynnissä!
 Älä katkaise laitteesta virtaa äläkä irrota laitetta</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
 Please power Off the device then power On.</source>
        <translation>Päivitys onnistui!
 Katkaise laitteesta virta ja kytke se sitten uudelleen.</translation>
    </message>
    <message>
        <source>Please power Off the device then power On.
Please check the device is connected to your computer</source>
        <translation>Katkaise laitteesta virta ja kytke se sitten uudelleen.
Tarkista, että laite on liitetty tietokoneeseen</translation>
    </message>
    <message>
        <source>A system restart is required. Please restart your Windows to continue installing the new firmware.

Click Yes to restart the system. Make sure all applications are saved and closed.

Click Cancel to abort the firmware upgrade.</source>
        <translation>Järjestelmä on käynnistettävä uudelleen. Käynnistä Windows uudelleen, jotta uuden laiteohjelmiston asennus voi jatkua.

Käynnistä järjestelmä uudelleen valitsemalla Kyllä. Varmista, että kaikki on tallennettu ja kaikki sovellukset on suljettu.

Keskeytä laiteohjelmiston päivitys valitsemalla Peru.</translation>
    </message>
    <message>
        <source>System access failed. Make sure you are in Administrator Mode and run the program again.</source>
        <translation>Järjestelmän käyttö epäonnistui. Varmista, että suoritat ohjelmaa järjestelmänvalvojana, ja suorita se uudelleen.</translation>
    </message>
    <message>
        <source>System initialization failed.
Please reopen the application.</source>
        <translation>Järjestelmän valmistelu epäonnistui.
Avaa ohjelma uudelleen.</translation>
    </message>
    <message>
        <source>Execute the program again after Windows has rebooted.</source>
        <translation>Suorita ohjelma uudelleen, kun Windows on käynnistynyt uudelleen.</translation>
    </message>
    <message>
        <source>Please make sure the device power is Off and USB is disconnected from the computer.</source>
        <translation>Varmista, että laitteen virta on katkaistu ja USB-kaapeli on irrotettu tietokoneesta.</translation>
    </message>
    <message>
        <source>System has been modified.
Please power On the device and connect the device to your computer.</source>
        <translation>Järjestelmää on muutettu.
Kytke laitteeseen virta ja liitä laite tietokoneeseen.</translation>
    </message>
    <message>
        <source>Operating system initializing</source>
        <translation>Käyttöjärjestelmää valmistellaan</translation>
    </message>
    <message>
        <source>Please wait a moment</source>
        <translation>Odota hetki</translation>
    </message>
    <message>
        <source>System time out
Please power off the device and retry again</source>
        <translation>Järjestelmän aikakatkaisu
Katkaise laitteesta virta ja yritä uudelleen</translation>
    </message>
    <message>
        <source>An unexpected error has occurred during the upgrade process.<byte value="xd"/>
Click &quot;Yes&quot; to generate the report.</source>
        <translation>Päivityksen aikana tapahtui odottamaton virhe.<byte value="xd"/>
Luo raportti valitsemalla ”Kyllä”.</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. It is strongly recommended to cancel the downgrade! Still want to update?</source>
        <translation>Olet siirtymässä vanhempaan laiteohjelmistoversioon. Tämä voi hävittää asetuksia ja parametreja ja aiheuttaa laitteeseen vakavan vian. Vanhempaan versioon siirtymisen peruuttamista suositellaan vahvasti! Haluatko silti päivittää?</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an incompatible older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. The upgrade process will be terminated. Press OK to close the program.</source>
        <translation>Olet siirtymässä vanhempaan laiteohjelmistoversioon, joka ei ole yhteensopiva. Tämä voi hävittää asetuksia ja parametreja ja aiheuttaa laitteeseen vakavan vian. Päivitys keskeytetään. Sulje ohjelma valitsemalla OK.</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Pysäytetty</translation>
    </message>
    <message>
        <source>Start pending</source>
        <translation>Käynnistetään</translation>
    </message>
    <message>
        <source>Stop pending</source>
        <translation>Pysäytetään</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Käynnissä</translation>
    </message>
    <message>
        <source>Continue pending</source>
        <translation>Jatketaan</translation>
    </message>
    <message>
        <source>Pause pending</source>
        <translation>Keskeytetään</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Keskeytetty</translation>
    </message>
    <message>
        <source>The firmware file %1 is empty.
The device was not changed.</source>
        <translation>Laiteohjelmistotiedosto %1 on tyhjä.
Laitetta ei muutettu.</translation>
    </message>
    <message>
        <source>The firmware file %1 is not a file.
The device was not changed.</source>
        <translation>Laiteohjelmistotiedosto %1 ei ole tiedosto.
Laitetta ei muutettu.</translation>
    </message>
    <message>
        <source>The firmware file %1 cannot be read: %2.
The device was not changed.</source>
        <translation>Laiteohjelmistotiedostoa %1 ei voi lukea: %2.
Laitetta ei muutettu.</translation>
    </message>
    <message>
        <source>The firmware file %1 (%2 bytes) does not fit on the device&apos;s drive (%3 bytes free).
The device was not changed.</source>
        <translation>Laiteohjelmistotiedosto %1 (%2 tavua) ei mahdu laitteen asemaan (%3 tavua vapaana).
Laitetta ei muutettu.</translation>
    </message>
    <message>
        <source>Waiting for the device to be powered Off and On again, to confirm the firmware it runs ...</source>
        <translation>Odotetaan, että laitteen virta katkaistaan ja kytketään uudelleen, jotta sen laiteohjelmisto voidaan vahvistaa ...</translation>
    </message>
    <message>
        <source>Confirmed: the device now runs %1.</source>
        <translation>Vahvistettu: laitteessa toimii nyt %1.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device still runs %1.
Please run the upgrade again.</source>
        <translation>Uutta laiteohjelmistoa ei otettu käyttöön: laitteessa toimii yhä %1.
Suorita päivitys uudelleen.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device came back in bootloader mode.
Please run the upgrade again.</source>
        <translation>Uutta laiteohjelmistoa ei otettu käyttöön: laite käynnistyi uudelleen bootloader-tilaan.
Suorita päivitys uudelleen.</translation>
    </message>
    <message>
        <source>The device was not seen again within 3 minutes.
Please check that it is powered On and connected to your computer via the USB, then press Finish and Start to see the firmware it runs.</source>
        <translation>Laitetta ei havaittu uudelleen 3 minuutin kuluessa.
Tarkista, että laitteessa on virta ja että se on liitetty tietokoneeseen USB-kaapelilla. Valitse sitten Valmis ja Aloita, niin näet, mikä laiteohjelmisto laitteessa toimii.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Tietoja</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sulje</translation>
    </message>
    <message>
        <source>The copy is taking longer than expected and is still running.
Do not power Off the device or unplug the device yet: this page tells you when it is safe.</source>
        <translation>Kopiointi kestää odotettua kauemmin ja on yhä käynnissä.
Älä vielä katkaise laitteesta virtaa äläkä irrota laitetta: tämä sivu kertoo, milloin se on turvallista.</translation>
    </message>
    <message>
        <source>Nothing has been written to the device for %1 seconds: the copy has stopped.
Please power Off the device and retry again.</source>
        <translation>Laitteeseen ei ole kirjoitettu mitään %1 sekuntiin: kopiointi on pysähtynyt.
Katkaise laitteesta virta ja yritä uudelleen.</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
You can unplug the device and close the program.</source>
        <translation>Päivitys onnistui!
Voit irrottaa laitteen ja sulkea ohjelman.</translation>
    </message>
    <message>
        <source>The firmware was copied to the device.</source>
        <translation>Laiteohjelmisto kopioitiin laitteeseen.</translation>
    </message>
</context>
</TS>
