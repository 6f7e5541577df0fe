<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl">
<context>
    <name>QObject</name>
    <message>
        <source>CopyrightBase</source>
        <translation>Delen van deze software vallen onder copyright © 2026 TORV en zijn licentiegevers.</translation>
    </message>
    <message>
        <source>CopyrightTORV</source>
        <translation>&lt;p&gt;&lt;b&gt;AIS Firmware Upgrade&lt;/b&gt;&lt;br/&gt;Copyright © 2026 TORV. Alle rechten voorbehouden.&lt;/p&gt;&lt;p&gt;Dit programma werkt de firmware bij van AIS-transponders klasse B van TORV. Gebruik het alleen met het firmwarepakket dat erbij is geleverd en houd de transponder ingeschakeld en aangesloten tot de update is voltooid.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>CopyrightQt</source>
        <translation>&lt;p&gt;Dit programma gebruikt de Qt-toolkit, versie 5, onder de voorwaarden van de GNU Lesser General Public License version 3. Qt is een handelsmerk van The Qt Company Ltd. De broncode van Qt is beschikbaar via https://www.qt.io/.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Over</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
</context>
</TS>
