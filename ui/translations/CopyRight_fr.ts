<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>QObject</name>
    <message>
        <source>CopyrightBase</source>
        <translation>Certaines parties de ce logiciel sont protégées par le copyright © 2026 TORV et ses concédants de licence.</translation>
    </message>
    <message>
        <source>CopyrightTORV</source>
        <translation>&lt;p&gt;&lt;b&gt;AIS Firmware Upgrade&lt;/b&gt;&lt;br/&gt;Copyright © 2026 TORV. Tous droits réservés.&lt;/p&gt;&lt;p&gt;Ce programme met à jour le micrologiciel des transpondeurs AIS de classe B de TORV. Utilisez-le uniquement avec le paquet de micrologiciel livré avec lui, et laissez le transpondeur sous tension et connecté jusqu&apos;à la fin de la mise à jour.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>CopyrightQt</source>
        <translation>&lt;p&gt;Ce programme utilise la boîte à outils Qt, version 5, selon les termes de la GNU Lesser General Public License version 3 (licence publique générale limitée GNU, version 3). Qt est une marque de The Qt Company Ltd. Le code source de Qt est disponible sur https://www.qt.io/.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
</TS>
