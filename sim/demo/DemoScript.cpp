#include "sim/demo/DemoScript.h"

#include "app/MainWindow.h"
#include "sim/demo/DemoWorld.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTabWidget>

#include <cstdio>
#include <unistd.h>

namespace {
constexpr int kPollMs = 100;
constexpr int kWelcomePauseMs = 1500;  // the window settles before Start
constexpr qint64 kStageLimitMs = 60000;
constexpr qint64 kShotLimitMs = 30000;
}  // namespace

DemoScript::DemoScript(MainWindow &window, QObject *parent) : QObject(parent), m_oWindow(window)
{
    connect(&m_oTimer, &QTimer::timeout, this, &DemoScript::step);
    m_poInput = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    m_poInput->setEnabled(false);
    connect(m_poInput, &QSocketNotifier::activated, this, &DemoScript::onInput);
}

void DemoScript::start()
{
    m_oStageClock.start();
    m_oTimer.start(kPollMs);
}

bool DemoScript::pageShown(int page, const char *widget) const
{
    const auto *tabs = m_oWindow.findChild<QTabWidget *>(QStringLiteral("tbwgMain"));
    const auto *shown = m_oWindow.findChild<QWidget *>(QString::fromLatin1(widget));
    return tabs && tabs->currentIndex() == page && shown && shown->isVisible();
}

bool DemoScript::clickButton(const char *name)
{
    auto *button = m_oWindow.findChild<QAbstractButton *>(QString::fromLatin1(name));
    if (!button || !button->isVisible() || !button->isEnabled()) {
        fail(QStringLiteral("%1 cannot be pressed").arg(QLatin1String(name)));
        return false;
    }
    button->click();
    return true;
}

void DemoScript::step()
{
    if (m_eStage == Stage::Done)
        return;
    // The demo's device never fails: any message box is a fault.
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box && box->isVisible()) {
            const QString text = box->text();
            box->done(QMessageBox::Ok);
            fail(QStringLiteral("message box: ") + text);
            return;
        }
    }
    if (m_bWaitingForShot) {
        if (m_oStageClock.elapsed() > kShotLimitMs)
            fail(QStringLiteral("no answer to the screenshot request"));
        return;
    }
    if (m_oStageClock.elapsed() > kStageLimitMs) {
        fail(QStringLiteral("the wizard did not go on (stage %1)").arg(static_cast<int>(m_eStage)));
        return;
    }

    switch (m_eStage) {
    case Stage::Welcome:
        if (m_oStageClock.elapsed() >= kWelcomePauseMs && pageShown(0, "btnWelcomStart") && clickButton("btnWelcomStart"))
            advance(Stage::Info);
        break;
    case Stage::Info:
        if (pageShown(1, "btnInfoNext"))
            shot("info", Stage::Success);
        break;
    case Stage::Success:
        if (pageShown(2, "btnCopyProgressFinish"))
            shot("success", Stage::Again);
        break;
    case Stage::Again:
        // Finish; the simulated device is switched off and on with its new image.
        if (pageShown(0, "btnWelcomStart") && clickButton("btnWelcomStart"))
            advance(Stage::NewVersion);
        break;
    case Stage::NewVersion:
        if (pageShown(1, "btnInfoNext")) {
            const auto *current = m_oWindow.findChild<QLabel *>(QStringLiteral("lblInfoCurrentVer"));
            if (!current || current->text() != QLatin1String(DemoWorld::kNewVersion)) {
                fail(QStringLiteral("the device still reports ") + (current ? current->text() : QString()));
                return;
            }
            shot("new-version", Stage::Done);
        }
        break;
    case Stage::Done:
        break;
    }
}

void DemoScript::shot(const char *name, Stage next)
{
    const QRect area(m_oWindow.mapToGlobal(QPoint(0, 0)), m_oWindow.size());
    std::printf("AIS-DEMO shot %s %dx%d+%d+%d\n", name, area.width(), area.height(), area.x(), area.y());
    std::fflush(stdout);
    m_eAfterShot = next;
    m_bWaitingForShot = true;
    m_oStageClock.restart();
    m_poInput->setEnabled(true);
}

void DemoScript::onInput()
{
    // One line (or the end of the input, which lets the script run on unattended).
    char buffer[256];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    Q_UNUSED(got);
    m_poInput->setEnabled(false);
    if (!m_bWaitingForShot)
        return;
    m_bWaitingForShot = false;

    switch (m_eAfterShot) {
    case Stage::Success:
        if (clickButton("btnInfoNext"))
            advance(Stage::Success);
        break;
    case Stage::Again:
        if (clickButton("btnCopyProgressFinish"))
            advance(Stage::Again);
        break;
    case Stage::Done:
        clickButton("btnInfoBack");
        m_eStage = Stage::Done;
        m_oTimer.stop();
        std::printf("AIS-DEMO done\n");
        std::fflush(stdout);
        emit finished(0);
        break;
    default:
        advance(m_eAfterShot);
        break;
    }
}

void DemoScript::advance(Stage next)
{
    m_eStage = next;
    m_oStageClock.restart();
}

void DemoScript::fail(const QString &reason)
{
    if (m_eStage == Stage::Done)
        return;
    m_eStage = Stage::Done;
    m_oTimer.stop();
    std::printf("AIS-DEMO failed: %s\n", qPrintable(reason));
    std::fflush(stdout);
    emit finished(1);
}
