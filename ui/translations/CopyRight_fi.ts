<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fi">
<context>
    <name>QObject</name>
    <message>
        <source>CopyrightBase</source>
        <translation>Tämän ohjelmiston osien tekijänoikeudet © 2026 TORV ja sen lisenssinantajat.</translation>
    </message>
    <message>
        <source>CopyrightTORV</source>
        <translation>&lt;p&gt;&lt;b&gt;AIS Firmware Upgrade&lt;/b&gt;&lt;br/&gt;Copyright © 2026 TORV. Kaikki oikeudet pidätetään.&lt;/p&gt;&lt;p&gt;Tämä ohjelma päivittää TORV:n AIS luokka B -transponderien laiteohjelmiston. Käytä sitä vain ohjelman mukana toimitetun laiteohjelmistopaketin kanssa, ja pidä transponderin virta kytkettynä ja yhteys tietokoneeseen päällä, kunnes päivitys on valmis.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>CopyrightQt</source>
        <translation>&lt;p&gt;Tämä ohjelma käyttää Qt-työkalupakin versiota 5 GNU Lesser General Public License version 3 -lisenssin ehtojen mukaisesti. Qt on The Qt Company Ltd:n tavaramerkki. Qt:n lähdekoodi on saatavilla osoitteesta https://www.qt.io/.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Tietoja</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sulje</translation>
    </message>
</context>
</TS>
