<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QObject</name>
    <message>
        <source>CopyrightBase</source>
        <translation>本软件的部分内容版权所有 © 2026 TORV 及其许可方。</translation>
    </message>
    <message>
        <source>CopyrightTORV</source>
        <translation>&lt;p&gt;&lt;b&gt;AIS Firmware Upgrade&lt;/b&gt;&lt;br/&gt;版权所有 © 2026 TORV。保留所有权利。&lt;/p&gt;&lt;p&gt;本程序用于更新 TORV AIS B 类应答器的固件。请仅使用随本程序提供的固件包，并在升级完成之前保持应答器通电和连接。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>CopyrightQt</source>
        <translation>&lt;p&gt;本程序依据 GNU Lesser General Public License version 3（GNU 宽通用公共许可证第 3 版）的条款使用 Qt 工具包第 5 版。Qt 是 The Qt Company Ltd. 的商标。Qt 源代码可从 https://www.qt.io/ 获取。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
</TS>
