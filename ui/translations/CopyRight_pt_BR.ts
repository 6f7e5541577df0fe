<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>QObject</name>
    <message>
        <source>CopyrightBase</source>
        <translation>Partes deste software são protegidas por copyright © 2026 TORV e seus licenciadores.</translation>
    </message>
    <message>
        <source>CopyrightTORV</source>
        <translation>&lt;p&gt;&lt;b&gt;AIS Firmware Upgrade&lt;/b&gt;&lt;br/&gt;Copyright © 2026 TORV. Todos os direitos reservados.&lt;/p&gt;&lt;p&gt;Este programa atualiza o firmware dos transponders AIS Classe B da TORV. Use-o somente com o pacote de firmware fornecido junto com ele e mantenha o transponder ligado e conectado até o fim da atualização.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>CopyrightQt</source>
        <translation>&lt;p&gt;Este programa usa o toolkit Qt, versão 5, nos termos da GNU Lesser General Public License version 3 (Licença Pública Geral Menor GNU, versão 3). Qt é uma marca comercial da The Qt Company Ltd. O código-fonte do Qt está disponível em https://www.qt.io/.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
</context>
</TS>
