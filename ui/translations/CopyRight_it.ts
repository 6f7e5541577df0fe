<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>QObject</name>
    <message>
        <source>CopyrightBase</source>
        <translation>Parti di questo software sono coperte da copyright © 2026 TORV e dei suoi licenzianti.</translation>
    </message>
    <message>
        <source>CopyrightTORV</source>
        <translation>&lt;p&gt;&lt;b&gt;AIS Firmware Upgrade&lt;/b&gt;&lt;br/&gt;Copyright © 2026 TORV. Tutti i diritti riservati.&lt;/p&gt;&lt;p&gt;Questo programma aggiorna il firmware dei transponder AIS di classe B di TORV. Usarlo solo con il pacchetto firmware fornito insieme al programma e mantenere il transponder acceso e collegato fino al termine dell&apos;aggiornamento.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>CopyrightQt</source>
        <translation>&lt;p&gt;Questo programma utilizza il toolkit Qt, versione 5, secondo i termini della GNU Lesser General Public License version 3. Qt è un marchio di The Qt Company Ltd. Il codice sorgente di Qt è disponibile su https://www.qt.io/.&lt;/p&gt;</translation>
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
