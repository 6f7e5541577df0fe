<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="da">
<context>
    <name>QObject</name>
    <message>
        <source>CopyrightBase</source>
        <translation>Dele af denne software er ophavsretligt beskyttet © 2026 TORV og TORVs licensgivere.</translation>
    </message>
    <message>
        <source>CopyrightTORV</source>
        <translation>&lt;p&gt;&lt;b&gt;AIS Firmware Upgrade&lt;/b&gt;&lt;br/&gt;Copyright © 2026 TORV. Alle rettigheder forbeholdes.&lt;/p&gt;&lt;p&gt;Dette program opdaterer firmwaren i AIS klasse B-transpondere fra TORV. Brug det kun med den firmwarepakke, der følger med programmet, og hold transponderen tændt og tilsluttet, til opgraderingen er færdig.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>CopyrightQt</source>
        <translation>&lt;p&gt;Dette program bruger værktøjssættet Qt, version 5, på betingelserne i GNU Lesser General Public License version 3. Qt er et varemærke tilhørende The Qt Company Ltd. Kildekoden til Qt findes på https://www.qt.io/.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Om</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Luk</translation>
    </message>
</context>
</TS>
