<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>CLanguageMenu</name>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Start </source>
        <translation>開始 </translation>
    </message>
    <message>
        <source>Device :</source>
        <translation>デバイス：</translation>
    </message>
    <message>
        <source>New Firmware Version :</source>
        <translation>新しいファームウェア：</translation>
    </message>
    <message>
        <source>Current Firmware Version : </source>
        <translation>現在のファームウェア： </translation>
    </message>
    <message>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>ログ</translation>
    </message>
    <message>
        <source>Log File(*.txt)</source>
        <translation>ログ ファイル (*.txt)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Unknown</source>
        <translation>不明</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>質問</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>Please confirm your device connection and power !</source>
        <translation>デバイスの接続と電源を確認してください！</translation>
    </message>
    <message>
        <source>Bootloader</source>
        <translation>ブートローダー</translation>
    </message>
    <message>
        <source>Please turn the power Off and On again !</source>
        <translation>電源をいったん切ってから、もう一度入れてください！</translation>
    </message>
    <message>
        <source>Firmware file not found!</source>
        <translation>ファームウェア ファイルが見つかりません！</translation>
    </message>
    <message>
        <source>Welcome to </source>
        <translation>ようこそ：</translation>
    </message>
    <message>
        <source> Firmware Upgrade</source>
        <translation> ファームウェア アップグレード</translation>
    </message>
    <message>
        <source>Please check below items before starting </source>
        <translation>次の項目を確認してから </translation>
    </message>
    <message>
        <source> Firmware Upgrade :</source>
        <translation> ファームウェア アップグレードを開始します：</translation>
    </message>
    <message>
        <source>Power On the </source>
        <translation>お使いの </translation>
    </message>
    <message>
        <source> device.</source>
        <translation> デバイスの電源を入れてください。</translation>
    </message>
    <message>
        <source>Connect </source>
        <translation>USB で </translation>
    </message>
    <message>
        <source> to your computer via the USB.</source>
        <translation> をコンピューターに接続してください。</translation>
    </message>
    <message>
        <source>Device Information</source>
        <translation>デバイス情報</translation>
    </message>
    <message>
        <source>Click next to start upgrade</source>
        <translation>[次へ] をクリックしてアップグレードを開始します</translation>
    </message>
    <message>
        <source>Firmware Upgrade</source>
        <translation>ファームウェア アップグレード</translation>
    </message>
    <message>
        <source>Upgrade in progress!
 Do not power Off the device or unplug the device</source>
        <translation>アップグレード中です！
 デバイスの電源を切ったり、取り外したりしないでください</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
 Please power Off the device then power On.</source>
        <translation>アップグレードが正常に完了しました！
 デバイスの電源を切ってから、もう一度入れてください。</translation>
    </message>
    <message>
        <source>Please power Off the device then power On.
Please check the device is connected to your computer</source>
        <translation>デバイスの電源を切ってから、もう一度入れてください。
デバイスがコンピューターに接続されていることを確認してください</translation>
    </message>
    <message>
        <source>A system restart is required. Please restart your Windows to continue installing the new firmware.

Click Yes to restart the system. Make sure all applications are saved and closed.

Click Cancel to abort the firmware upgrade.</source>
        <translation>システムの再起動が必要です。新しいファームウェアのインストールを続行するには、Windows を再起動してください。

システムを再起動するには [はい] をクリックしてください。すべてのアプリケーションのデータを保存して閉じてください。

ファームウェアのアップグレードを中止するには [キャンセル] をクリックしてください。</translation>
    </message>
    <message>
        <source>System access failed. Make sure you are in Administrator Mode and run the program again.</source>
        <translation>システムにアクセスできませんでした。管理者モードで実行していることを確認して、プログラムをもう一度実行してください。</translation>
    </message>
    <message>
        <source>System initialization failed.
Please reopen the application.</source>
        <translation>システムの初期化に失敗しました。
アプリケーションを開き直してください。</translation>
    </message>
    <message>
        <source>Execute the program again after Windows has rebooted.</source>
        <translation>Windows の再起動後に、プログラムをもう一度実行してください。</translation>
    </message>
    <message>
        <source>Please make sure the device power is Off and USB is disconnected from the computer.</source>
        <translation>デバイスの電源が切れていること、および USB がコンピューターから取り外されていることを確認してください。</translation>
    </message>
    <message>
        <source>System has been modified.
Please power On the device and connect the device to your computer.</source>
        <translation>システムが変更されました。
デバイスの電源を入れて、デバイスをコンピューターに接続してください。</translation>
    </message>
    <message>
        <source>Operating system initializing</source>
        <translation>オペレーティング システムを初期化しています</translation>
    </message>
    <message>
        <source>Please wait a moment</source>
        <translation>しばらくお待ちください</translation>
    </message>
    <message>
        <source>System time out
Please power off the device and retry again</source>
        <translation>システム タイムアウト
デバイスの電源を切って、もう一度やり直してください</translation>
    </message>
    <message>
        <source>An unexpected error has occurred during the upgrade process.<byte value="xd"/>
Click &quot;Yes&quot; to generate the report.</source>
        <translation>アップグレード処理中に予期しないエラーが発生しました。<byte value="xd"/>
レポートを作成するには [はい] をクリックしてください。</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. It is strongly recommended to cancel the downgrade! Still want to update?</source>
        <translation>古いバージョンのファームウェアにダウングレードしようとしています。関連する設定やパラメーターが失われ、デバイスに深刻な障害が発生するおそれがあります。ダウングレードを中止することを強くお勧めします！それでも更新しますか？</translation>
    </message>
    <message>
        <source>You are attempting to downgrade to an incompatible older firmware version, which may result in the loss of relevant settings and parameters and cause severe device failure. The upgrade process will be terminated. Press OK to close the program.</source>
        <translation>互換性のない古いバージョンのファームウェアにダウングレードしようとしています。関連する設定やパラメーターが失われ、デバイスに深刻な障害が発生するおそれがあります。アップグレード処理を終了します。[OK] を押してプログラムを閉じてください。</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Start pending</source>
        <translation>開始中</translation>
    </message>
    <message>
        <source>Stop pending</source>
        <translation>停止中</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>実行中</translation>
    </message>
    <message>
        <source>Continue pending</source>
        <translation>再開中</translation>
    </message>
    <message>
        <source>Pause pending</source>
        <translation>一時停止中</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <source>The firmware file %1 is empty.
The device was not changed.</source>
        <translation>ファームウェア ファイル %1 は空です。
デバイスは変更されていません。</translation>
    </message>
    <message>
        <source>The firmware file %1 is not a file.
The device was not changed.</source>
        <translation>ファームウェア ファイル %1 はファイルではありません。
デバイスは変更されていません。</translation>
    </message>
    <message>
        <source>The firmware file %1 cannot be read: %2.
The device was not changed.</source>
        <translation>ファームウェア ファイル %1 を読み取れません：%2。
デバイスは変更されていません。</translation>
    </message>
    <message>
        <source>The firmware file %1 (%2 bytes) does not fit on the device&apos;s drive (%3 bytes free).
The device was not changed.</source>
        <translation>ファームウェア ファイル %1（%2 バイト）はデバイスのドライブに収まりません（空き容量 %3 バイト）。
デバイスは変更されていません。</translation>
    </message>
    <message>
        <source>Waiting for the device to be powered Off and On again, to confirm the firmware it runs ...</source>
        <translation>動作中のファームウェアを確認するため、デバイスの電源がいったん切られ、再び入れられるのを待っています…</translation>
    </message>
    <message>
        <source>Confirmed: the device now runs %1.</source>
        <translation>確認しました：デバイスは現在 %1 で動作しています。</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device still runs %1.
Please run the upgrade again.</source>
        <translation>新しいファームウェアが適用されませんでした：デバイスは引き続き %1 で動作しています。
アップグレードをもう一度実行してください。</translation>
    </message>
    <message>
        <source>The new firmware was not taken: the device came back in bootloader mode.
Please run the upgrade again.</source>
        <translation>新しいファームウェアが適用されませんでした：デバイスがブートローダー モードで再起動しました。
アップグレードをもう一度実行してください。</translation>
    </message>
    <message>
        <source>The device was not seen again within 3 minutes.
Please check that it is powered On and connected to your computer via the USB, then press Finish and Start to see the firmware it runs.</source>
        <translation>3 分以内にデバイスを再検出できませんでした。
デバイスの電源が入っていて、USB でコンピューターに接続されていることを確認してから、[完了]、[開始] の順に押して、動作中のファームウェアを確認してください。</translation>
    </message>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>The copy is taking longer than expected and is still running.
Do not power Off the device or unplug the device yet: this page tells you when it is safe.</source>
        <translation>コピーに予想以上の時間がかかっていますが、現在も実行中です。
まだデバイスの電源を切ったり、取り外したりしないでください。安全になった時点でこのページでお知らせします。</translation>
    </message>
    <message>
        <source>Nothing has been written to the device for %1 seconds: the copy has stopped.
Please power Off the device and retry again.</source>
        <translation>%1 秒間、デバイスに何も書き込まれていません。コピーは停止しました。
デバイスの電源を切って、もう一度やり直してください。</translation>
    </message>
    <message>
        <source>Upgrade completed successfully!
You can unplug the device and close the program.</source>
        <translation>アップグレードが正常に完了しました！
デバイスを取り外して、プログラムを閉じてもかまいません。</translation>
    </message>
    <message>
        <source>The firmware was copied to the device.</source>
        <translation>ファームウェアがデバイスにコピーされました。</translation>
    </message>
</context>
</TS>
