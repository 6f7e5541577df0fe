<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv">
<context>
    <name>QObject</name>
    <message>
        <source>CopyrightBase</source>
        <translation>Delar av denna programvara är upphovsrättsligt skyddade © 2026 TORV och dess licensgivare.</translation>
    </message>
    <message>
        <source>CopyrightTORV</source>
        <translation>&lt;p&gt;&lt;b&gt;AIS Firmware Upgrade&lt;/b&gt;&lt;br/&gt;Copyright © 2026 TORV. Alla rättigheter förbehållna.&lt;/p&gt;&lt;p&gt;Det här programmet uppdaterar firmwaren i AIS klass B-transpondrar från TORV. Använd det bara med firmwarepaketet som levereras med programmet, och låt transpondern vara påslagen och ansluten tills uppgraderingen är klar.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>CopyrightQt</source>
        <translation>&lt;p&gt;Det här programmet använder verktygslådan Qt, version 5, enligt villkoren i GNU Lesser General Public License version 3. Qt är ett varumärke som tillhör The Qt Company Ltd. Källkoden till Qt finns på https://www.qt.io/.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Om</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Stäng</translation>
    </message>
</context>
</TS>
