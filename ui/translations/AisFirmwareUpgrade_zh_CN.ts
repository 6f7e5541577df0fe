<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CLanguageMenu</name>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Start </source>
        <translation>开始 </translation>
    </message>
    <message>
        <source>Device :</source>
        <translation>设备：</translation>
    </message>
    <message>
        <source>New Firmware Version :</source>
        <translation>新固件版本：</translation>
    </message>
    <message>
        <source>Current Firmware Version : </source>
        <translation>当前固件版本： </translation>
    </message>
    <message>
        <source>Back</source>
        <translation>上一步</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一步</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>日志</translation>
    </message>
    <message>
        <source>Log File(*.txt)</source>
        <translation>日志文件 (*.txt)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>问题</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Please confirm your device connection and power !</source>
        <translation>请确认设备的连接和电源！</translation>
    </message>
    <message>
        <source>Bootloader</source>
        <translation>引导程序</translation>
    </message>
    <message>
        <source>Please turn the power Off and On again !</source>
        <translation>请关闭电源，然后重新打开！</translation>
    </message>
    <message>
        <source>Firmware file not found!</source>
        <translation>未找到固件文件！</translation>
    </message>
    <message>
        <source>Welcome to </source>
        <translation>欢迎使用 </translation>
    </message>
    <message>
        <source> Firmware Upgrade</source>
        <translation> 固件升级</translation>
    </message>
    <message>
        <source>Please check below items before starting </source>
        <translation>在开始 </translation>
    </message>
    <message>
        <source> Firmware Upgrade :</source>
        <translation> 固件升级之前，请检查以下各项：</translation>
    </message>
    <message>
        <source>Power On the </source>
        <translation>打开 </translation>
    </message>
    <message>
        <source> device.</source>
        <translation> 设备的电源。</translation>
    </message>
    <message>
        <source>Connect </source>
        <translation>通过 USB 将 </translation>
    </message>
    <message>
        <source> to your computer via the USB.</source>
        <translation> 连接到电脑。</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>设备信息</translation>
    </message>
    <message>
        <source>Click next to start upgrade</source>
        <translation>点击“下一步”开始升级</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>固件升级</translation>
    </message>
    <message>
        <source>Upgrade in progress!
 Do not power Off the device or unplug the device</source>
        <translation>正在升级！
 请勿关闭设备电源，也不要拔下设备</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
 Please power Off the device then power On.</source>
        <translation>升级成功完成！
 请关闭设备电源，然后重新打开。</translation>
    </message>
    <message>
        <source>Please power Off the device then power On.
Please check the device is connected to your computer</source>
        <translation>请关闭设备电源，然后重新打开。
请检查设备是否已连接到电脑</translation>
    </message>
    <message>
        <source>A system restart is required. Please restart your Windows to continue installing the new firmware.

Click Yes to restart the system. Make sure all applications are saved and closed.

Click Cancel to abort the firmware upgrade.</source>
        <translation>需要重新启动系统。请重新启动 Windows 以继续安装新固件。

点击“是”重新启动系统。请确保已保存所有内容并关闭所有应用程序。

点击“取消”中止固件升级。</translation>
    </message>
    <message>
        <source>System access failed. Make sure you are in Administrator Mode and run the program again.</source>
        <translation>系统访问失败。请确认以管理员模式运行本程序，然后重新运行。</translation>
    </message>
    <message>
        <source>System initialization failed.
Please reopen the application.</source>
        <translation>系统初始化失败。
请重新打开本程序。</translation>
    </message>
    <message>
        <source>Execute the program again after Windows has rebooted.</source>
        <translation>请在 Windows 重新启动后再次运行本程序。</translation>
    </message>
    <message>
        <source>Please make sure the device power is Off and USB is disconnected from the computer.</source>
        <translation>请确保设备电源已关闭，并且 USB 已与电脑断开连接。</translation>
    </message>
    <message>
        <source>System has been modified.
Please power On the device and connect the device to your computer.</source>
        <translation>系统已修改。
请打开设备电源，并将设备连接到电脑。</translation>
    </message>
    <message>
        <source>Operating system initializing</source>
        <translation>正在初始化操作系统</translation>
    </message>
    <message>
        <source>Please wait a moment</source>
        <translation>请稍候</translation>
    </message>
    <message>
        <source>System time out
Please power off the device and retry again</source>
        <translation>系统超时
请关闭设备电源，然后重试</translation>
    </message>
    <message>
        <source>An unexpected error has occurred during the upgrade process.<byte value="xd"/>
Click &quot;Yes&quot; to generate the report.</source>
        <translation>升级过程中发生意外错误。<byte value="xd"/>
点击“是”生成报告。</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. It is strongly recommended to cancel the downgrade! Still want to update?</source>
        <translation>您正在尝试降级到较旧的固件版本，这可能导致相关设置和参数丢失，并造成严重的设备故障。强烈建议取消降级！仍要更新吗？</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an incompatible older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. The upgrade process will be terminated. Press OK to close the program.</source>
        <translation>您正在尝试降级到不兼容的较旧固件版本，这可能导致相关设置和参数丢失，并造成严重的设备故障。升级过程将被终止。请按“确定”关闭程序。</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>已停止</translation>
    </message>
    <message>
        <source>Start pending</source>
        <translation>正在启动</translation>
    </message>
    <message>
        <source>Stop pending</source>
        <translation>正在停止</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>正在运行</translation>
    </message>
    <message>
        <source>Continue pending</source>
        <translation>正在继续</translation>
    </message>
    <message>
        <source>Pause pending</source>
        <translation>正在暂停</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>已暂停</translation>
    </message>
    <message>
        <source>The firmware file %1 is empty.
The device was not changed.</source>
        <translation>固件文件 %1 为空。
设备未被更改。</translation>
    </message>
    <message>
        <source>The firmware file %1 is not a file.
The device was not changed.</source>
        <translation>固件文件 %1 不是文件。
设备未被更改。</translation>
    </message>
    <message>
        <source>The firmware file %1 cannot be read: %2.
The device was not changed.</source>
        <translation>无法读取固件文件 %1：%2。
设备未被更改。</translation>
    </message>
    <message>
        <source>The firmware file %1 (%2 bytes) does not fit on the device&apos;s drive (%3 bytes free).
The device was not changed.</source>
        <translation>固件文件 %1（%2 字节）无法放入设备的驱动器（可用空间 %3 字节）。
设备未被更改。</translation>
    </message>
    <message>
        <source>Waiting for the device to be powered Off and On again, to confirm the firmware it runs ...</source>
        <translation>正在等待设备关闭电源并重新打开，以确认其运行的固件……</translation>
    </message>
    <message>
        <source>Confirmed: the device now runs %1.</source>
        <translation>已确认：设备当前运行 %1。</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device still runs %1.
Please run the upgrade again.</source>
        <translation>新固件未生效：设备仍在运行 %1。
请重新执行升级。</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device came back in bootloader mode.
Please run the upgrade again.</source>
        <translation>新固件未生效：设备重新启动后处于引导程序模式。
请重新执行升级。</translation>
    </message>
    <message>
        <source>The device was not seen again within 3 minutes.
Please check that it is powered On and connected to your computer via the USB, then press Finish and Start to see the firmware it runs.</source>
        <translation>3 分钟内未再次检测到设备。
请检查设备是否已打开电源并通过 USB 连接到电脑，然后按“完成”和“开始”查看其运行的固件。</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>The copy is taking longer than expected and is still running.
Do not power Off the device or unplug the device yet: this page tells you when it is safe.</source>
        <translation>复制时间超出预期，仍在进行中。
请暂时不要关闭设备电源，也不要拔下设备：本页面会提示何时可以安全操作。</translation>
    </message>
    <message>
        <source>Nothing has been written to the device for %1 seconds: the copy has stopped.
Please power Off the device and retry again.</source>
        <translation>已有 %1 秒未向设备写入任何数据：复制已停止。
请关闭设备电源，然后重试。</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
You can unplug the device and close the program.</source>
        <translation>升级成功完成！
您可以拔下设备并关闭程序。</translation>
    </message>
    <message>
        <source>The firmware was copied to the device.</source>
        <translation>固件已复制到设备。</translation>
    </message>
</context>
</TS>
