#pragma once

#include "sysprep/CRegistryManipulation.h"
#include "sysprep/SysSvcInfo.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <QTimer>

#include <memory>

class QMouseEvent;
class mainwindowView;
namespace Ui {
class MainWindow;
}

// The wizard's frameless main window. It prepares the host system before the
// event loop runs (sysInit) and hands it back when it is destroyed.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Records the watched services and, on Windows 8 and later, stops and
    // disables them; false when that could not be done (the program then ends).
    bool sysInit();
    // Offers the upgrade report, with an optional detail line before the offer.
    void msgBoxGenLog(QString detail);
    // The welcome page's system-initialisation state, on or off.
    void showSysInitPage(bool on);

    const SysSvcInfo &sysStatusBefore() const { return m_stSysStatusBefore; }
    const SysSvcInfo &sysStatusAfter() const { return m_stSysStatusAfter; }
    int winOsVer() const { return m_iWinOsVer; }

public slots:
    void onClose();
    void onHelpClick();
    void onTimerRefresh();
    void onExportFile();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    // initSystemStatus until it succeeds, in the pattern checked, unchecked,
    // checked, ...; false after the third unchecked call.
    bool initSystemStatusWithRetries();
    // Puts back the start values and running services that sysInit recorded.
    void handBackSystem();

    std::unique_ptr<Ui::MainWindow> m_poUi;
    CRegistryManipulation m_oRegistry;
    QTimer m_oRefreshTimer;
    std::unique_ptr<mainwindowView> m_poView;

    SysSvcInfo m_stSysStatusBefore;
    SysSvcInfo m_stSysStatusAfter;
    bool m_bSysStatusRecorded = false;
    int m_iWinOsVer = -1;

    int m_iInitDotsCount = 1;

    QPoint m_oDragOffset;
    bool m_bDragEnable = false;
    bool m_bDragging = false;
};
