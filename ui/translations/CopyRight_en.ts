<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>QObject</name>
    <message>
        <source>CopyrightBase</source>
        <translation>Portions of this software are copyright © 2026 TORV and its licensors.</translation>
    </message>
    <message>
        <source>CopyrightTORV</source>
        <translation>&lt;p&gt;&lt;b&gt;AIS Firmware Upgrade&lt;/b&gt;&lt;br/&gt;Copyright © 2026 TORV. All rights reserved.&lt;/p&gt;&lt;p&gt;This program updates the firmware of TORV AIS Class B transponders. Use it only with the firmware package shipped beside it, and keep the transponder powered and connected until the upgrade has finished.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>CopyrightQt</source>
        <translation>&lt;p&gt;This program uses the Qt toolkit, version 5, under the terms of the GNU Lesser General Public License version 3. Qt is a trademark of The Qt Company Ltd. The Qt source code is available from https://www.qt.io/.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
