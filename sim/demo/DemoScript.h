#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class DemoWorld;
class MainWindow;
class QMessageBox;
class QSocketNotifier;

// The demo driving itself through every page an operator meets: the start-up
// check (with a simulated Windows host), Start, the device information, the
// copy in progress, success; then the device left in bootloader mode and
// upgraded from there, switched off and on, and its new firmware confirmed;
// Start once more to show the new version; Start with an older package
// beside the program (the downgrade warning); and Start with the cable
// pulled. Each page worth a picture is taken either by the
// demo itself into a folder (QScreen grab of the window's place on the
// screen, for the manual; a message box alone, with a drawn title bar
// naming its kind), or, without a folder, by whoever reads standard
// output: the demo prints "AIS-DEMO shot <name> <w>x<h>+<x>+<y>" and waits
// for a line on standard input (its end lets it run on unattended). Ends
// with finished(0) after "AIS-DEMO done", or finished(1) after
// "AIS-DEMO failed: <reason>".
class DemoScript : public QObject {
    Q_OBJECT
public:
    // Started before the program's own start, whose check may show a box first.
    DemoScript(DemoWorld &world, bool bWindowsHost, QString strShotDir, QObject *parent = nullptr);

    void start();

signals:
    void finished(int code);

private slots:
    void step();
    void onInput();

private:
    enum class Stage {
        StartupNotice,
        SystemInit,
        Welcome,
        Info,
        CopyProgress,
        Success,
        BootloaderStart,
        BootloaderInfo,
        BootloaderSuccess,
        Confirmed,
        Again,
        NewVersion,
        DowngradeStart,
        Downgrade,
        NoDeviceStart,
        NoDevice,
        Done
    };

    MainWindow *window() const;
    QMessageBox *visibleBox() const;
    bool pageShown(int page, const char *widget) const;
    QString labelText(const char *name) const;
    // The device information page, showing this current version; another fails the run.
    bool infoPageShows(const QString &current);
    // The condition has held for a moment: the page is painted.
    bool settled(bool bCondition);
    bool clickButton(const char *name);
    void shot(const char *name, Stage next);
    // Beside the welcome picture: where each title-bar button lies in it.
    void saveTitleBarButtons();
    void afterShot();
    void advance(Stage next);
    void fail(const QString &reason);

    DemoWorld &m_oWorld;
    QString m_strShotDir;
    QTimer m_oTimer;
    QElapsedTimer m_oStageClock;
    QElapsedTimer m_oSettleClock;
    Stage m_eStage = Stage::StartupNotice;
    Stage m_eAfterShot = Stage::StartupNotice;
    bool m_bWaitingForShot = false;
    QPointer<QMessageBox> m_poShotBox;
    QSocketNotifier *m_poInput = nullptr;  // child
};
