<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nb">
<context>
    <name>QObject</name>
    <message>
        <source>CopyrightBase</source>
        <translation>Deler av denne programvaren er opphavsrettslig beskyttet © 2026 TORV og TORVs lisensgivere.</translation>
    </message>
    <message>
        <source>CopyrightTORV</source>
        <translation>&lt;p&gt;&lt;b&gt;AIS Firmware Upgrade&lt;/b&gt;&lt;br/&gt;Copyright © 2026 TORV. Med enerett.&lt;/p&gt;&lt;p&gt;Dette programmet oppdaterer fastvaren i AIS klasse B-transpondere fra TORV. Bruk det bare med fastvarepakken som følger med programmet, og la transponderen være slått på og tilkoblet til oppgraderingen er ferdig.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>CopyrightQt</source>
        <translation>&lt;p&gt;Dette programmet bruker verktøysettet Qt, versjon 5, i henhold til vilkårene i GNU Lesser General Public License version 3. Qt er et varemerke for The Qt Company Ltd. Kildekoden til Qt er tilgjengelig fra https://www.qt.io/.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Om</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Lukk</translation>
    </message>
</context>
</TS>
