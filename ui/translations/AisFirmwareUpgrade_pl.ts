<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>CLanguageMenu</name>
    <message>
        <source>Language</source>
        <translation>Język</translation>
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
        <translation>Urządzenie:</translation>
    </message>
    <message>
        <source>New Firmware Version :</source>
        <translation>Nowa wersja firmware:</translation>
    </message>
    <message>
        <source>Current Firmware Version : </source>
        <translation>Aktualna wersja firmware: </translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Wstecz</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Dalej</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Zakończ</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Dziennik</translation>
    </message>
    <message>
        <source>Log File(*.txt)</source>
        <translation>Plik dziennika (*.txt)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Unknown</source>
        <translation>Nieznane</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Pytanie</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Ostrzeżenie</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informacja</translation>
    </message>
    <message>
        <source>Please confirm your device connection and power !</source>
        <translation>Sprawdź podłączenie i zasilanie urządzenia!</translation>
    </message>
    <message>
        <source>Bootloader</source>
        <translation>Bootloader</translation>
    </message>
    <message>
        <source>Please turn the power Off and On again !</source>
        <translation>Wyłącz urządzenie i włącz je ponownie!</translation>
    </message>
    <message>
        <source>Firmware file not found!</source>
        <translation>Nie znaleziono pliku firmware!</translation>
    </message>
    <message>
        <source>Welcome to </source>
        <translation>Witamy w </translation>
    </message>
    <message>
        <source> Firmware Upgrade</source>
        <translation> Firmware Upgrade</translation>
    </message>
    <message>
        <source>Please check below items before starting </source>
        <translation>Przed rozpoczęciem aktualizacji firmware </translation>
    </message>
    <message>
        <source> Firmware Upgrade :</source>
        <translation> sprawdź poniższe punkty:</translation>
    </message>
    <message>
        <source>Power On the </source>
        <translation>Włącz urządzenie </translation>
    </message>
    <message>
        <source> device.</source>
        <translation>.</translation>
    </message>
    <message>
        <source>Connect </source>
        <translation>Podłącz urządzenie </translation>
    </message>
    <message>
        <source> to your computer via the USB.</source>
        <translation> do komputera przez USB.</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>Informacje o urządzeniu</translation>
    </message>
    <message>
        <source>Click next to start upgrade</source>
        <translation>Kliknij Dalej, aby zaktualizować</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>Aktualizacja firmware</translation>
    </message>
    <message>
        <source>Upgrade in progress!
 Do not power Off the device or unplug the device</source>
        <translation>Trwa aktualizacja!
Nie wyłączaj ani nie odłączaj urządzenia</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
 Please power Off the device then power On.</source>
        <translation>Aktualizacja zakończona pomyślnie!
Wyłącz urządzenie, a następnie włącz je ponownie.</translation>
    </message>
    <message>
        <source>Please power Off the device then power On.
Please check the device is connected to your computer</source>
        <translation>Wyłącz urządzenie, a następnie włącz je ponownie.
Sprawdź, czy urządzenie jest podłączone do komputera</translation>
    </message>
    <message>
        <source>A system restart is required. Please restart your Windows to continue installing the new firmware.

Click Yes to restart the system. Make sure all applications are saved and closed.

Click Cancel to abort the firmware upgrade.</source>
        <translation>Wymagane jest ponowne uruchomienie systemu. Uruchom ponownie system Windows, aby kontynuować instalację nowego firmware.

Kliknij „Tak”, aby ponownie uruchomić system. Upewnij się, że wszystkie aplikacje zostały zapisane i zamknięte.

Kliknij „Anuluj”, aby przerwać aktualizację firmware.</translation>
    </message>
    <message>
        <source>System access failed. Make sure you are in Administrator Mode and run the program again.</source>
        <translation>Brak dostępu do systemu. Upewnij się, że pracujesz w trybie administratora, i uruchom program ponownie.</translation>
    </message>
    <message>
        <source>System initialization failed.
Please reopen the application.</source>
        <translation>Inicjalizacja systemu nie powiodła się.
Uruchom aplikację ponownie.</translation>
    </message>
    <message>
        <source>Execute the program again after Windows has rebooted.</source>
        <translation>Uruchom program ponownie po ponownym uruchomieniu systemu Windows.</translation>
    </message>
    <message>
        <source>Please make sure the device power is Off and USB is disconnected from the computer.</source>
        <translation>Upewnij się, że urządzenie jest wyłączone, a kabel USB jest odłączony od komputera.</translation>
    </message>
    <message>
        <source>System has been modified.
Please power On the device and connect the device to your computer.</source>
        <translation>System został zmieniony.
Włącz urządzenie i podłącz je do komputera.</translation>
    </message>
    <message>
        <source>Operating system initializing</source>
        <translation>Inicjalizacja systemu operacyjnego</translation>
    </message>
    <message>
        <source>Please wait a moment</source>
        <translation>Zaczekaj chwilę</translation>
    </message>
    <message>
        <source>System time out
Please power off the device and retry again</source>
        <translation>Przekroczono limit czasu systemu
Wyłącz urządzenie i spróbuj ponownie</translation>
    </message>
    <message>
        <source>An unexpected error has occurred during the upgrade process.<byte value="xd"/>
Click &quot;Yes&quot; to generate the report.</source>
        <translation>Podczas aktualizacji wystąpił nieoczekiwany błąd.<byte value="xd"/>
Kliknij „Tak”, aby wygenerować raport.</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. It is strongly recommended to cancel the downgrade! Still want to update?</source>
        <translation>Próbujesz zainstalować starszą wersję firmware (downgrade), co może spowodować utratę powiązanych ustawień i parametrów oraz poważną awarię urządzenia. Zdecydowanie zalecamy anulowanie powrotu do starszej wersji! Czy mimo to chcesz zaktualizować?</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an incompatible older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. The upgrade process will be terminated. Press OK to close the program.</source>
        <translation>Próbujesz zainstalować starszą, niezgodną wersję firmware (downgrade), co może spowodować utratę powiązanych ustawień i parametrów oraz poważną awarię urządzenia. Aktualizacja zostanie przerwana. Kliknij OK, aby zamknąć program.</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Zatrzymana</translation>
    </message>
    <message>
        <source>Start pending</source>
        <translation>Uruchamianie</translation>
    </message>
    <message>
        <source>Stop pending</source>
        <translation>Zatrzymywanie</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Uruchomiona</translation>
    </message>
    <message>
        <source>Continue pending</source>
        <translation>Wznawianie</translation>
    </message>
    <message>
        <source>Pause pending</source>
        <translation>Wstrzymywanie</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Wstrzymana</translation>
    </message>
    <message>
        <source>The firmware file %1 is empty.
The device was not changed.</source>
        <translation>Plik firmware %1 jest pusty.
Urządzenie nie zostało zmienione.</translation>
    </message>
    <message>
        <source>The firmware file %1 is not a file.
The device was not changed.</source>
        <translation>Plik firmware %1 nie jest plikiem.
Urządzenie nie zostało zmienione.</translation>
    </message>
    <message>
        <source>The firmware file %1 cannot be read: %2.
The device was not changed.</source>
        <translation>Nie można odczytać pliku firmware %1: %2.
Urządzenie nie zostało zmienione.</translation>
    </message>
    <message>
        <source>The firmware file %1 (%2 bytes) does not fit on the device&apos;s drive (%3 bytes free).
The device was not changed.</source>
        <translation>Plik firmware %1 (%2 B) nie mieści się na dysku urządzenia (wolne: %3 B).
Urządzenie nie zostało zmienione.</translation>
    </message>
    <message>
        <source>Waiting for the device to be powered Off and On again, to confirm the firmware it runs ...</source>
        <translation>Oczekiwanie na wyłączenie i ponowne włączenie urządzenia, aby potwierdzić działający firmware ...</translation>
    </message>
    <message>
        <source>Confirmed: the device now runs %1.</source>
        <translation>Potwierdzono: urządzenie działa teraz z firmware %1.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device still runs %1.
Please run the upgrade again.</source>
        <translation>Nowy firmware nie został przyjęty: urządzenie nadal działa z firmware %1.
Uruchom aktualizację ponownie.</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device came back in bootloader mode.
Please run the upgrade again.</source>
        <translation>Nowy firmware nie został przyjęty: urządzenie uruchomiło się ponownie w trybie bootloadera.
Uruchom aktualizację ponownie.</translation>
    </message>
    <message>
        <source>The device was not seen again within 3 minutes.
Please check that it is powered On and connected to your computer via the USB, then press Finish and Start to see the firmware it runs.</source>
        <translation>Urządzenie nie zostało ponownie wykryte w ciągu 3&#xa0;minut.
Sprawdź, czy jest włączone i podłączone do komputera przez USB, a następnie kliknij „Zakończ” i „Start”, aby zobaczyć, z jakim firmware działa.</translation>
    </message>
    <message>
        <source>The copy is taking longer than expected and is still running.
Do not power Off the device or unplug the device yet: this page tells you when it is safe.</source>
        <translation>Kopiowanie trwa dłużej niż oczekiwano i nadal jest w toku.
Jeszcze nie wyłączaj ani nie odłączaj urządzenia: ta strona poinformuje, kiedy będzie to bezpieczne.</translation>
    </message>
    <message>
        <source>Nothing has been written to the device for %1 seconds: the copy has stopped.
Please power Off the device and retry again.</source>
        <translation>Od %1 s nic nie zostało zapisane na urządzeniu: kopiowanie zatrzymało się.
Wyłącz urządzenie i spróbuj ponownie.</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
You can unplug the device and close the program.</source>
        <translation>Aktualizacja zakończona pomyślnie!
Możesz odłączyć urządzenie i zamknąć program.</translation>
    </message>
    <message>
        <source>The firmware was copied to the device.</source>
        <translation>Firmware został skopiowany na urządzenie.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>O programie</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
</context>
</TS>
