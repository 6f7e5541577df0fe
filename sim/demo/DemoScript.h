#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class MainWindow;
class QSocketNotifier;

// The demo driving itself, for scripts/run-demo.sh without a display:
// Start, Next, Finish, then Start once more to show the new version. At each
// page worth a picture it prints "AIS-DEMO shot <name> <w>x<h>+<x>+<y>" (the
// window's place on the screen) and waits for a line on standard input (the
// screenshot taken) before it goes on. Ends with finished(0), or
// finished(1) after printing "AIS-DEMO failed: <reason>".
class DemoScript : public QObject {
    Q_OBJECT
public:
    explicit DemoScript(MainWindow &window, QObject *parent = nullptr);

    void start();

signals:
    void finished(int code);

private slots:
    void step();
    void onInput();

private:
    enum class Stage { Welcome, Info, Success, Again, NewVersion, Done };

    bool pageShown(int page, const char *widget) const;
    bool clickButton(const char *name);
    void shot(const char *name, Stage next);
    void advance(Stage next);
    void fail(const QString &reason);

    MainWindow &m_oWindow;
    QTimer m_oTimer;
    QElapsedTimer m_oStageClock;
    Stage m_eStage = Stage::Welcome;
    Stage m_eAfterShot = Stage::Welcome;
    bool m_bWaitingForShot = false;
    QSocketNotifier *m_poInput = nullptr;  // child
};
