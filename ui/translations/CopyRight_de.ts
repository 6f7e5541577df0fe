<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>QObject</name>
    <message>
        <source>CopyrightBase</source>
        <translation>Teile dieser Software sind urheberrechtlich geschützt: © 2026 TORV und ihre Lizenzgeber.</translation>
    </message>
    <message>
        <source>CopyrightTORV</source>
        <translation>&lt;p&gt;&lt;b&gt;AIS Firmware Upgrade&lt;/b&gt;&lt;br/&gt;Copyright © 2026 TORV. Alle Rechte vorbehalten.&lt;/p&gt;&lt;p&gt;Dieses Programm aktualisiert die Firmware von AIS-Transpondern der Klasse B von TORV. Verwenden Sie es nur mit dem beiliegenden Firmware-Paket, und lassen Sie den Transponder eingeschaltet und angeschlossen, bis das Update abgeschlossen ist.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>CopyrightQt</source>
        <translation>&lt;p&gt;Dieses Programm verwendet das Qt-Toolkit, Version 5, gemäß den Bedingungen der GNU Lesser General Public License version 3. Qt ist eine Marke von The Qt Company Ltd. Der Quellcode von Qt ist unter https://www.qt.io/ erhältlich.&lt;/p&gt;</translation>
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
