#include "app/MainWindow.h"

#include "ui_mainwindow.h"

#include "app/AppConstants.h"
#include "app/mainwindowView.h"
#include "log/AppPaths.h"
#include "log/SysLog.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QMouseEvent>
#include <QUrl>

namespace {
constexpr int kRefreshMs = 1000;
constexpr int kInitRetries = 3;
}  // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), m_poUi(std::make_unique<Ui::MainWindow>())
{
    m_poUi->setupUi(this);
    setFixedSize(600, 500);
    m_bDragEnable = true;

    // The discovery manager and its identification check come with the workflow.
    m_poView = std::make_unique<mainwindowView>(m_poUi.get(), nullptr);
    m_poView->setFirmwareDir(kFirmwareDir.toStdString());

    connect(&m_oRefreshTimer, SIGNAL(timeout()), this, SLOT(onTimerRefresh()));
    connect(m_poUi->btnWinCtrlClose, SIGNAL(clicked(bool)), this, SLOT(onClose()));
    connect(m_poUi->btnWinCtrlMin, SIGNAL(clicked(bool)), this, SLOT(showMinimized()));
    connect(m_poUi->btnThemeFunGenRep, SIGNAL(clicked(bool)), this, SLOT(onExportFile()));
    connect(m_poUi->btnThemeFunHelp, &QAbstractButton::clicked, this, &MainWindow::onHelpClick);

    m_oRefreshTimer.start(kRefreshMs);
}

MainWindow::~MainWindow()
{
    handBackSystem();
    m_poView.reset();
    m_poUi.reset();
}

bool MainWindow::sysInit()
{
    const char *fun = "MainWindow::sysInit";
    if (m_oRegistry.checkWinOsVer()) {
        showSysInitPage(true);
        repaint();

        AIS_LOG(SysLevel::Info, fun, "Record current services and registry status");
        m_stSysStatusBefore = m_oRegistry.querySysSvcInfo();
        m_bSysStatusRecorded = true;

        if (!initSystemStatusWithRetries()) {
            AIS_LOG(SysLevel::Info, fun, "Init system status time out !");
            m_poView->showMsgBox(this, 0, m_oRegistry.texts().text(22));
            msgBoxGenLog("");
            return false;
        }
        showSysInitPage(false);
    }
    AIS_LOG(SysLevel::Info, fun, "Record modified services and registry status ");
    m_stSysStatusAfter = m_oRegistry.querySysSvcInfo();
    m_iWinOsVer = m_oRegistry.winOsVer;
    return true;
}

bool MainWindow::initSystemStatusWithRetries()
{
    int unchecked = 0;
    bool ok = m_oRegistry.initSystemStatus();
    while (!ok) {
        m_oRegistry.initSystemStatus();
        if (++unchecked == kInitRetries)
            return false;
        ok = m_oRegistry.initSystemStatus();
    }
    return true;
}

void MainWindow::handBackSystem()
{
    if (!m_oRegistry.checkWinOsVer())
        return;
    // Without a recorded start there is nothing to give back; guessing would
    // change the user's system.
    if (!m_bSysStatusRecorded)
        return;
    m_oRegistry.restoreRegValue("WSearch", m_stSysStatusBefore.wsearchReg);
    m_oRegistry.restoreRegValue("StorSvc", m_stSysStatusBefore.storageReg);
    m_oRegistry.enableService("StorSvc", m_stSysStatusBefore.storageService == 4);
    m_oRegistry.enableService("WSearch", m_stSysStatusBefore.wsearchService == 4);
    m_oRegistry.enableService("ShellHWDetection", m_stSysStatusBefore.shellHWDetectionService == 4);
    m_oRegistry.enableService("BDESVC", m_stSysStatusBefore.bitLockerService == 4);
}

void MainWindow::msgBoxGenLog(QString detail)
{
    QString text = m_poView->text(29);
    if (!detail.isEmpty())
        text = detail + "\r\n" + text;
    AIS_LOG(SysLevel::Action, "MainWindow::msgBoxGenLog", "Show generate log msgbox");
    const auto answer =
        QMessageBox::information(this, QStringLiteral("Information"), text, QMessageBox::Yes, QMessageBox::No);
    if (answer == QMessageBox::Yes)
        onExportFile();
}

void MainWindow::showSysInitPage(bool on)
{
    if (on) {
        m_poUi->btnWelcomStart->hide();
        m_poUi->wgWelcomeMainNote->hide();
        m_poUi->wgWelcomeSubNoteTitle->hide();
        m_poView->showMsgBox(this, 0, m_poView->text(24));
        m_poUi->lblWelcomeSystmInit->show();
    } else {
        m_poUi->btnWelcomStart->show();
        m_poUi->wgWelcomeMainNote->show();
        m_poUi->wgWelcomeSubNoteTitle->show();
        m_poUi->lblWelcomeSystmInit->hide();
    }
}

void MainWindow::onClose()
{
    m_oRefreshTimer.stop();
    close();
}

void MainWindow::onHelpClick()
{
    const QString helpDir = AppPaths::appDir() + "Help/";
    // fromLocalFile gives "file:///C:/..." on Windows and does not double
    // the slash before an absolute POSIX path.
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString("%1%2").arg(helpDir, kManualFile)));
}

void MainWindow::onTimerRefresh()
{
    // Initialisation dots: 1 to 7, one tick unchanged, then 1 again.
    const int dots = m_iInitDotsCount % 8;
    if (dots == 0) {
        m_iInitDotsCount = 1;
    } else {
        m_poView->showInitDots(dots);
        ++m_iInitDotsCount;
    }
}

void MainWindow::onExportFile()
{
    // Not done yet: the report is built and saved by its own component.
    AIS_LOG(SysLevel::Info, "MainWindow::onExportFile", "Export report");
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    if (m_bDragEnable && event->buttons() == Qt::LeftButton) {
        m_oDragOffset = event->globalPos() - frameGeometry().topLeft();
        m_bDragging = true;
        event->accept();
    }
    QMainWindow::mousePressEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent *)
{
    m_bDragging = false;
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bDragging && event->buttons() != Qt::NoButton) {
        move(event->globalPos() - m_oDragOffset);
        event->accept();
    }
    QMainWindow::mouseMoveEvent(event);
}
