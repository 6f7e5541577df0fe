#include "sim/demo/DemoScript.h"

#include "app/CUpgradeTexts.h"
#include "app/MainWindow.h"
#include "sim/demo/DemoWorld.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSocketNotifier>
#include <QTabWidget>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {
constexpr int kPollMs = 100;
constexpr qint64 kWelcomePauseMs = 1500;  // the window settles before Start
constexpr qint64 kSettleMs = 300;         // a page is painted before its picture
constexpr qint64 kStageLimitMs = 60000;
constexpr qint64 kShotLimitMs = 30000;
// The bootloader gives its volume three looks, a second apart: a held volume
// appears in time even when the picture is slow.
constexpr qint64 kVolumeHoldLimitMs = 1500;

// Xvfb runs no window manager, so a message box has no title bar of its own.
// Its picture gets a plain one with the box's title, as the operator sees
// it on the desktop: Information, Warning or Error tells which kind it is.
QPixmap withTitleBar(const QPixmap &content, const QString &title)
{
    constexpr int kBar = 30;
    constexpr int kBorder = 1;
    QPixmap framed(content.width() + 2 * kBorder, content.height() + kBar + 2 * kBorder);
    framed.fill(QColor(0x70, 0x70, 0x70));
    QPainter painter(&framed);
    const QRect bar(kBorder, kBorder, content.width(), kBar);
    painter.fillRect(bar, Qt::white);
    painter.drawPixmap(kBorder, kBorder + kBar, content);
    QFont font = QApplication::font();
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(bar.adjusted(10, 0, -40, 0), Qt::AlignVCenter | Qt::AlignLeft, title);
    const QPointF close(bar.right() - 20, bar.center().y() + 0.5);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.2));
    painter.drawLine(close + QPointF(-5, -5), close + QPointF(5, 5));
    painter.drawLine(close + QPointF(-5, 5), close + QPointF(5, -5));
    return framed;
}
}  // namespace

DemoScript::DemoScript(DemoWorld &world, bool bWindowsHost, QString strShotDir, QObject *parent)
    : QObject(parent), m_oWorld(world), m_strShotDir(std::move(strShotDir))
{
    // Off Windows the start-up check changes nothing and shows nothing.
    m_eStage = bWindowsHost ? Stage::StartupNotice : Stage::Welcome;
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

MainWindow *DemoScript::window() const
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *main = qobject_cast<MainWindow *>(widget))
            return main;
    }
    return nullptr;
}

QMessageBox *DemoScript::visibleBox() const
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box && box->isVisible())
            return box;
    }
    return nullptr;
}

bool DemoScript::pageShown(int page, const char *widget) const
{
    const MainWindow *main = window();
    if (!main)
        return false;
    const auto *tabs = main->findChild<QTabWidget *>(QStringLiteral("tbwgMain"));
    const auto *shown = main->findChild<QWidget *>(QString::fromLatin1(widget));
    return tabs && tabs->currentIndex() == page && shown && shown->isVisible();
}

QString DemoScript::labelText(const char *name) const
{
    const MainWindow *main = window();
    const auto *label = main ? main->findChild<QLabel *>(QString::fromLatin1(name)) : nullptr;
    return label ? label->text() : QString();
}

bool DemoScript::infoPageShows(const QString &current)
{
    if (!pageShown(1, "btnInfoNext"))
        return false;
    const QString shown = labelText("lblInfoCurrentVer");
    if (shown != current) {
        fail(QStringLiteral("the device information page shows %1 instead of %2").arg(shown, current));
        return false;
    }
    return true;
}

bool DemoScript::settled(bool bCondition)
{
    if (!bCondition) {
        m_oSettleClock.invalidate();
        return false;
    }
    if (!m_oSettleClock.isValid())
        m_oSettleClock.start();
    return m_oSettleClock.elapsed() >= kSettleMs;
}

bool DemoScript::clickButton(const char *name)
{
    MainWindow *main = window();
    auto *button = main ? main->findChild<QAbstractButton *>(QString::fromLatin1(name)) : nullptr;
    if (!button || !button->isVisible() || !button->isEnabled()) {
        fail(QStringLiteral("%1 cannot be pressed").arg(QLatin1String(name)));
        return false;
    }
    // Queued: a click that opens a message box must not block this poll,
    // which is the one that answers the box.
    QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
    return true;
}

void DemoScript::step()
{
    if (m_eStage == Stage::Done)
        return;
    if (m_bWaitingForShot) {
        if (m_eAfterShot == Stage::Success && m_oStageClock.elapsed() > kVolumeHoldLimitMs)
            m_oWorld.holdBootloaderVolume(false);
        if (m_oStageClock.elapsed() > kShotLimitMs)
            fail(QStringLiteral("no answer to the screenshot request"));
        return;
    }
    // Boxes come only where a stage expects one; the demo's device never fails.
    QMessageBox *box = visibleBox();
    const bool boxExpected =
        m_eStage == Stage::StartupNotice || m_eStage == Stage::Downgrade || m_eStage == Stage::NoDevice;
    if (box && !boxExpected) {
        const QString text = box->text();
        box->done(QMessageBox::Ok);
        fail(QStringLiteral("message box: ") + text);
        return;
    }
    if (m_oStageClock.elapsed() > kStageLimitMs) {
        fail(QStringLiteral("the wizard did not go on (stage %1)").arg(static_cast<int>(m_eStage)));
        return;
    }

    switch (m_eStage) {
    case Stage::StartupNotice:
    case Stage::Downgrade:
    case Stage::NoDevice:
        if (settled(box != nullptr)) {
            m_poShotBox = box;
            if (m_eStage == Stage::StartupNotice)
                shot("startup-notice", Stage::SystemInit);
            else if (m_eStage == Stage::Downgrade)
                shot("downgrade-warning", Stage::NoDeviceStart);
            else
                shot("no-device", Stage::Done);
        }
        break;
    case Stage::SystemInit:
        // The services are being stopped: the page shows while "net" runs.
        if (settled(pageShown(0, "lblWelcomeSystmInit")))
            shot("system-init", Stage::Welcome);
        break;
    case Stage::Welcome:
        if (settled(m_oStageClock.elapsed() >= kWelcomePauseMs && pageShown(0, "btnWelcomStart"))) {
            saveTitleBarButtons();
            shot("welcome", Stage::Info);
        }
        break;
    case Stage::Info:
        if (settled(pageShown(1, "btnInfoNext")))
            shot("info", Stage::CopyProgress);
        break;
    case Stage::CopyProgress:
        // Its warning blinks: the picture waits for it.
        if (settled(pageShown(2, "wgCopyProcess") && !labelText("lblCopyProcessNote").trimmed().isEmpty()))
            shot("copy-progress", Stage::Success);
        break;
    case Stage::Success:
        if (settled(pageShown(2, "btnCopyProgressFinish")))
            shot("success", Stage::BootloaderStart);
        break;
    case Stage::BootloaderStart:
        if (pageShown(0, "btnWelcomStart") && clickButton("btnWelcomStart"))
            advance(Stage::BootloaderInfo);
        break;
    case Stage::BootloaderInfo:
        if (settled(infoPageShows(CUpgradeTexts().text(6))))
            shot("bootloader-info", Stage::BootloaderSuccess);
        break;
    case Stage::BootloaderSuccess:
        // The simulated device is switched off and on with its new image
        // while the success page watches for it.
        if (pageShown(2, "btnCopyProgressFinish")) {
            m_oWorld.powerCycle();
            advance(Stage::Confirmed);
        }
        break;
    case Stage::Confirmed:
        if (settled(labelText("lblCopyConfirm") ==
                    CUpgradeTexts().text(CUpgradeTexts::ConfirmDone).arg(QLatin1String(DemoWorld::kNewVersion))))
            shot("confirmed", Stage::Again);
        break;
    case Stage::Again:
    case Stage::DowngradeStart:
    case Stage::NoDeviceStart:
        // Start is ignored while the link that the confirmation or Back
        // dropped is still being removed.
        if (m_oStageClock.elapsed() >= kWelcomePauseMs && pageShown(0, "btnWelcomStart") &&
            clickButton("btnWelcomStart")) {
            advance(m_eStage == Stage::Again            ? Stage::NewVersion
                    : m_eStage == Stage::DowngradeStart ? Stage::Downgrade
                                                        : Stage::NoDevice);
        }
        break;
    case Stage::NewVersion:
        if (settled(infoPageShows(QLatin1String(DemoWorld::kNewVersion))))
            shot("new-version", Stage::DowngradeStart);
        break;
    case Stage::Done:
        break;
    }
}

void DemoScript::shot(const char *name, Stage next)
{
    MainWindow *main = window();
    QRect area(main->mapToGlobal(QPoint(0, 0)), main->size());
    if (m_poShotBox) {
        // The manual shows a box alone, at its own size; the demo's own
        // pictures show it over the window.
        area = m_strShotDir.isEmpty() ? area.united(m_poShotBox->frameGeometry()) : m_poShotBox->frameGeometry();
    }
    m_eAfterShot = next;
    m_oStageClock.restart();
    m_oSettleClock.invalidate();

    if (!m_strShotDir.isEmpty()) {
        const QString path = QDir(m_strShotDir).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
        QScreen *screen = QGuiApplication::primaryScreen();
        QPixmap picture = screen ? screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()) : QPixmap();
        if (m_poShotBox && !picture.isNull())
            picture = withTitleBar(picture, m_poShotBox->windowTitle());
        if (picture.isNull() || !picture.save(path)) {
            fail(QStringLiteral("cannot save ") + path);
            return;
        }
        std::printf("AIS-DEMO saved %s\n", qPrintable(path));
        std::fflush(stdout);
        afterShot();
        return;
    }
    std::printf("AIS-DEMO shot %s %dx%d+%d+%d\n", name, area.width(), area.height(), area.x(), area.y());
    std::fflush(stdout);
    m_bWaitingForShot = true;
    m_poInput->setEnabled(true);
}

void DemoScript::saveTitleBarButtons()
{
    const MainWindow *main = window();
    const auto *bar = main ? main->findChild<QWidget *>(QStringLiteral("wgFormBorder")) : nullptr;
    if (m_strShotDir.isEmpty() || !bar)
        return;
    // "<object name> <x> <y> <width> <height>" in the window's pixels, left to right.
    QList<QPair<int, QString>> lines;
    for (const QAbstractButton *button : bar->findChildren<QAbstractButton *>()) {
        if (!button->isVisible() || button->objectName() == QLatin1String("btnBorderTitleLogo"))
            continue;
        const QRect place(button->mapTo(main, QPoint(0, 0)), button->size());
        lines.append({place.x(), QStringLiteral("%1 %2 %3 %4 %5\n")
                                     .arg(button->objectName())
                                     .arg(place.x())
                                     .arg(place.y())
                                     .arg(place.width())
                                     .arg(place.height())});
    }
    std::sort(lines.begin(), lines.end());
    QFile file(QDir(m_strShotDir).filePath(QStringLiteral("titlebar.txt")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        fail(QStringLiteral("cannot save ") + file.fileName());
        return;
    }
    for (const auto &line : lines)
        file.write(line.second.toUtf8());
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
    afterShot();
}

void DemoScript::afterShot()
{
    if (m_poShotBox) {
        m_poShotBox->done(QMessageBox::Ok);
        m_poShotBox.clear();
    }
    switch (m_eAfterShot) {
    case Stage::Info:
        if (clickButton("btnWelcomStart"))
            advance(Stage::Info);
        break;
    case Stage::CopyProgress:
        // The copy page would be gone before its picture: the volume waits.
        m_oWorld.holdBootloaderVolume(true);
        if (clickButton("btnInfoNext"))
            advance(Stage::CopyProgress);
        break;
    case Stage::Success:
        m_oWorld.holdBootloaderVolume(false);
        advance(Stage::Success);
        break;
    case Stage::BootloaderStart:
        // Finish, but the device stays in its bootloader, as after an interrupted upgrade.
        m_oWorld.leaveInBootloaderOnFinish();
        if (clickButton("btnCopyProgressFinish"))
            advance(Stage::BootloaderStart);
        break;
    case Stage::BootloaderSuccess:
        if (clickButton("btnInfoNext"))
            advance(Stage::BootloaderSuccess);
        break;
    case Stage::Again:
        if (clickButton("btnCopyProgressFinish"))
            advance(Stage::Again);
        break;
    case Stage::DowngradeStart:
        // The device runs the new version; the package beside the program is older.
        if (clickButton("btnInfoBack")) {
            m_oWorld.offerOlderPackage();
            advance(Stage::DowngradeStart);
        }
        break;
    case Stage::NoDeviceStart:
        if (clickButton("btnInfoBack")) {
            m_oWorld.unplug();
            advance(Stage::NoDeviceStart);
        }
        break;
    case Stage::Done:
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
    m_oSettleClock.invalidate();
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
