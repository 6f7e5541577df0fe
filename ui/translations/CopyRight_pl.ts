<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>QObject</name>
    <message>
        <source>CopyrightBase</source>
        <translation>Prawa autorskie do części tego oprogramowania © 2026 TORV i jej licencjodawcy.</translation>
    </message>
    <message>
        <source>CopyrightTORV</source>
        <translation>&lt;p&gt;&lt;b&gt;AIS Firmware Upgrade&lt;/b&gt;&lt;br/&gt;Copyright © 2026 TORV. Wszelkie prawa zastrzeżone.&lt;/p&gt;&lt;p&gt;Ten program aktualizuje firmware transponderów AIS klasy B firmy TORV. Używaj go wyłącznie z dołączonym do niego pakietem firmware i utrzymuj transponder włączony i podłączony aż do zakończenia aktualizacji.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>CopyrightQt</source>
        <translation>&lt;p&gt;Ten program korzysta z biblioteki Qt w wersji 5 na warunkach licencji GNU Lesser General Public License version 3 (Mniejsza Powszechna Licencja Publiczna GNU, wersja 3). Qt jest znakiem towarowym firmy The Qt Company Ltd. Kod źródłowy Qt jest dostępny pod adresem https://www.qt.io/.&lt;/p&gt;</translation>
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
