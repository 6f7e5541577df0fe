<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>QObject</name>
    <message>
        <source>CopyrightBase</source>
        <translation>このソフトウェアの一部の著作権は © 2026 TORV およびそのライセンサーに帰属します。</translation>
    </message>
    <message>
        <source>CopyrightTORV</source>
        <translation>&lt;p&gt;&lt;b&gt;AIS Firmware Upgrade&lt;/b&gt;&lt;br/&gt;Copyright © 2026 TORV. 無断複製・転載を禁じます。&lt;/p&gt;&lt;p&gt;本プログラムは、TORV の AIS クラス B トランスポンダーのファームウェアを更新します。本プログラムに同梱のファームウェア パッケージ以外では使用しないでください。アップグレードが完了するまで、トランスポンダーの電源と接続を保ってください。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>CopyrightQt</source>
        <translation>&lt;p&gt;本プログラムは GNU Lesser General Public License version 3 に基づき、Qt ツールキット バージョン 5 を使用しています。Qt は The Qt Company Ltd. の商標です。Qt のソース コードは https://www.qt.io/ から入手できます。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
</TS>
