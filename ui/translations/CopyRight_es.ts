<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>QObject</name>
    <message>
        <source>CopyrightBase</source>
        <translation>Partes de este software tienen copyright © 2026 TORV y sus licenciantes.</translation>
    </message>
    <message>
        <source>CopyrightTORV</source>
        <translation>&lt;p&gt;&lt;b&gt;AIS Firmware Upgrade&lt;/b&gt;&lt;br/&gt;Copyright © 2026 TORV. Todos los derechos reservados.&lt;/p&gt;&lt;p&gt;Este programa actualiza el firmware de los transpondedores AIS de clase B de TORV. Utilícelo solo con el paquete de firmware que se entrega con él y mantenga el transpondedor encendido y conectado hasta que termine la actualización.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>CopyrightQt</source>
        <translation>&lt;p&gt;Este programa utiliza el kit de herramientas Qt, versión 5, según los términos de la GNU Lesser General Public License version 3 (Licencia Pública General Reducida de GNU, versión 3). Qt es una marca comercial de The Qt Company Ltd. El código fuente de Qt está disponible en https://www.qt.io/.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
</TS>
