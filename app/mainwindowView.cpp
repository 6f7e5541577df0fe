#include "app/mainwindowView.h"

#include "ui_mainwindow.h"

#include "app/CStyledItemDelegate.h"
#include "device/CDeviceComm.h"
#include "log/SysLog.h"
#include "transfer/FirmwareCsv.h"
#include "ui/CAboutForm.h"
#include "ui/LibraryImage.h"
#include "ui/ThemeStyle.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLayout>
#include <QMessageBox>
#include <QSysInfo>
#include <QTabBar>

#include <cstring>
#include <vector>

namespace {
// A fixed-size record field up to its terminator, never past the array.
template <size_t N>
QString fieldText(const char (&field)[N])
{
    return QString::fromLocal8Bit(field, static_cast<int>(strnlen(field, N)));
}
}  // namespace

mainwindowView::mainwindowView(Ui::MainWindow *poUi, CDeviceComm *poDevComm)
    : m_poUi(poUi), m_poDevComm(poDevComm)
{
    Ui::MainWindow *ui = m_poUi;

    // Keeps the title centred if the filler is shown again; the left spacer
    // goes so logo and title sit at the left edge.
    ui->wgFormBorderEmpty->setFixedWidth(ui->wgWinCtrl->width());
    ui->wgFormBorderEmpty->hide();
    if (QLayout *border = ui->wgFormBorder->layout()) {
        for (int i = 0; i < border->count(); ++i) {
            if (QSpacerItem *spacer = border->itemAt(i)->spacerItem()) {
                spacer->changeSize(0, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
                border->invalidate();
                break;
            }
        }
    }

    for (int i = 0; i < ui->tbwgMain->count(); ++i) {
        if (QLayout *page = ui->tbwgMain->widget(i)->layout()) {
            page->setContentsMargins(9, 9, 9, 9);
            page->setSpacing(0);
        }
    }

    ui->pgbCopyProcess->setMinimum(0);
    ui->pgbCopyProcess->setMaximum(0);
    ui->pgbCopyProcess->setTextVisible(false);

    ui->tbwgMain->tabBar()->hide();
    ui->lblWelcomeSystmInit->hide();
    ui->tbwgMain->setCurrentIndex(0);

    ui->wgCopyProcess->setVisible(true);
    ui->wgCopySuccess->setVisible(false);
    ui->wgCopyProgressBtn->setVisible(false);
    ui->lblCopyConfirm->hide();
    showTexts();

    applyTheme();
}

void mainwindowView::retranslate()
{
    m_oTexts = CUpgradeTexts();
    showTexts();
}

void mainwindowView::showTexts()
{
    Ui::MainWindow *ui = m_poUi;
    ui->lblBorderTitleName->setText(m_oTexts.text(18));
    switch (ui->tbwgMain->currentIndex()) {
    case 1: ui->lblMainTitle->setText(m_oTexts.text(13)); break;
    case 2: ui->lblMainTitle->setText(m_oTexts.text(15)); break;
    default: ui->lblMainTitle->setText(m_oTexts.text(9)); break;
    }
    ui->lblWelcomeMainNoteTitle->setText(m_oTexts.text(10));
    ui->lblWelcomeSubNoteTitle1->setText(m_oTexts.text(11));
    ui->lblWelcomeSubNoteTitle2->setText(m_oTexts.text(12));
    ui->lblWelcomeSystmInit->setText(m_oTexts.text(26) + m_strInitDots + "\n" + m_oTexts.text(27));
    blinkCopyNote(m_bCopyNoteShown);
    ui->lblCopySuccessNote->setText(m_oTexts.text(m_iResultEntry));
    showConfirmNote(m_iConfirmEntry, m_strConfirmArg);
    if (m_iDevInfoMode != 0)
        showInfoTexts();
}

void mainwindowView::applyTheme()
{
    Ui::MainWindow *ui = m_poUi;
    {
        CStyledItemDelegate delegate;
        ThemeStyle::applyWindowStyle(ui->centralWidget, &delegate);
    }
    ThemeStyle::applyTitleBarStyle(ui->wgFormBorder);
    ThemeStyle::applyWinCtrlStyle(ui->btnWinCtrlClose, ResourceImage::WinCtrlClose);
    ThemeStyle::applyWinCtrlStyle(ui->btnWinCtrlMin, ResourceImage::WinCtrlMini);
    ThemeStyle::applyFunButtonStyle(ui->btnThemeFunAbout, ResourceImage::ThemeFunAbout);
    ThemeStyle::applyFunButtonStyle(ui->btnThemeFunHelp, ResourceImage::ThemeFunBook);
    ThemeStyle::applyFunButtonStyle(ui->btnThemeFunGenRep, ResourceImage::ThemeFunLog);
    ThemeStyle::applyTitleStyle(ui->btnBorderTitleLogo, ui->lblBorderTitleName);

    const LibraryImage &images = LibraryImage::instance();
    const auto picture = [&images](QLabel *poLabel, int iFamily, int iIndex) {
        poLabel->setPixmap(QPixmap(images.path(iFamily, iIndex)));
        poLabel->setScaledContents(true);
    };
    picture(ui->lblWelcomeSubNoteTitleIcon1, ResourceImage::FirmwareUpgrade, ResourceImage::UpgradeCheck);
    picture(ui->lblWelcomeSubNoteTitleIcon2, ResourceImage::FirmwareUpgrade, ResourceImage::UpgradeCheck);
    picture(ui->lblInfoIcon, ResourceImage::FirmwareUpgrade, ResourceImage::UpgradeChip);
    picture(ui->lblWelcomeMainNoteIcon, ResourceImage::ReportStatus, ResourceImage::StatusInfo);
    picture(ui->lblCopySuccessIcon, ResourceImage::ReportStatus, ResourceImage::StatusGood);

    ThemeStyle::applyTabWidgetStyle(ui->tbwgMain);
    ThemeStyle::applyPanelStyle(ui->wgWelcomTitle);
    ThemeStyle::applyPanelStyle(ui->wgInfo);
    ThemeStyle::applyPanelStyle(ui->wgCopyProcess);
    ThemeStyle::applyPanelStyle(ui->wgCopySuccess);
    ThemeStyle::applyBusyBarStyle(ui->pgbCopyProcess);

    for (QLabel *label : {ui->lblMainTitle, ui->lblWelcomeMainNoteTitle, ui->lblWelcomeSystmInit})
        ThemeStyle::applyLabelStyle(label, ThemeStyle::LabelHeadline);
    for (QLabel *label : {ui->lblInfoCurrentVer, ui->lblInfoNewVer, ui->lblInfoMachineType})
        ThemeStyle::applyLabelStyle(label, ThemeStyle::LabelValue);
    // Roles the form leaves to the implementer: the warning must stand out,
    // the result must read as good news.
    ThemeStyle::applyLabelStyle(ui->lblCopyProcessNote, ThemeStyle::LabelWarning);
    ThemeStyle::applyLabelStyle(ui->lblCopySuccessNote, ThemeStyle::LabelSuccess);
    ThemeStyle::applyLabelStyle(ui->lblCopyConfirm, ThemeStyle::LabelStrong);
    ThemeStyle::applyLabelStyle(ui->lblInfoShowNext, ThemeStyle::LabelStrong);
}

void mainwindowView::showPage(int iPage)
{
    m_poUi->tbwgMain->setCurrentIndex(iPage);
    switch (iPage) {
    case 0: m_poUi->lblMainTitle->setText(m_oTexts.text(9)); break;
    case 1: m_poUi->lblMainTitle->setText(m_oTexts.text(13)); break;
    case 2: m_poUi->lblMainTitle->setText(m_oTexts.text(15)); break;
    default: break;
    }
}

void mainwindowView::showMsgBox(QWidget *poParent, int iKind, const QString &strText)
{
    const auto ok = QMessageBox::Ok;
    switch (iKind) {
    case 0: QMessageBox::information(poParent, m_oTexts.text(4), strText, ok, ok); break;
    case 1: QMessageBox::question(poParent, m_oTexts.text(2), strText, ok, ok); break;
    case 2: QMessageBox::warning(poParent, m_oTexts.text(3), strText, ok, ok); break;
    case 3: QMessageBox::critical(poParent, m_oTexts.text(1), strText, ok, ok); break;
    default: break;
    }
}

void mainwindowView::setTransProgress(bool bDone)
{
    if (!bDone) {
        setResultNote(17);
        showConfirmNote(-1);
    }
    m_poUi->wgCopyProcess->setVisible(!bDone);
    m_poUi->wgCopySuccess->setVisible(bDone);
    m_poUi->wgCopyProgressBtn->setVisible(bDone);
}

void mainwindowView::showConfirmNote(int iEntry, const QString &strArg)
{
    m_iConfirmEntry = iEntry;
    m_strConfirmArg = strArg;
    QString text = m_oTexts.text(iEntry);
    if (text.contains(QLatin1String("%1")))
        text = text.arg(strArg);
    m_poUi->lblCopyConfirm->setText(text);
    m_poUi->lblCopyConfirm->setVisible(!text.isEmpty());
}

QString mainwindowView::imageProblemText(const CFirmwareImageCheck::Result &stResult) const
{
    using Problem = CFirmwareImageCheck::Problem;
    const QString path = QDir::toNativeSeparators(stResult.strPath);
    switch (stResult.eProblem) {
    case Problem::None: return QString();
    case Problem::Missing: return m_oTexts.text(8);
    case Problem::Empty: return m_oTexts.text(CUpgradeTexts::ImageEmpty).arg(path);
    case Problem::NotAFile: return m_oTexts.text(CUpgradeTexts::ImageNotAFile).arg(path);
    case Problem::Unreadable: return m_oTexts.text(CUpgradeTexts::ImageUnreadable).arg(path, stResult.strReason);
    case Problem::TooLarge:
        return m_oTexts.text(CUpgradeTexts::ImageTooLarge)
            .arg(path, QString::number(stResult.llSize), QString::number(stResult.llBytesFree));
    }
    return QString();
}

void mainwindowView::blinkCopyNote(bool bOn)
{
    m_bCopyNoteShown = bOn;
    if (!m_strCopyNote.isEmpty())
        m_poUi->lblCopyProcessNote->setText(m_strCopyNote);
    else
        m_poUi->lblCopyProcessNote->setText(bOn ? m_oTexts.text(16) : QStringLiteral(" "));
}

void mainwindowView::setCopyNote(const QString &strText)
{
    m_strCopyNote = strText;
    if (!strText.isEmpty())
        m_poUi->lblCopyProcessNote->setText(strText);
}

void mainwindowView::setResultNote(int iEntry)
{
    m_iResultEntry = iEntry;
    m_poUi->lblCopySuccessNote->setText(m_oTexts.text(iEntry));
}

void mainwindowView::showInitDots(int iCount)
{
    m_strInitDots = QString(qMax(0, iCount), QLatin1Char('.'));
    m_poUi->lblWelcomeSystmInit->setText(m_oTexts.text(26) + m_strInitDots + "\n" + m_oTexts.text(27));
}

void mainwindowView::showDevInfo(int iMode)
{
    if (iMode == 0)
        return;

    // Values the device or the package gave are kept as they are; an empty
    // one stands for a text of the table, shown in the current language.
    m_iDevInfoMode = iMode;
    m_strMachineType.clear();
    m_strCurrentVer.clear();
    m_strNewVer = QString::fromStdString(getBinVer(m_strFirmwareDir));
    if (iMode == 1 && m_poDevComm) {
        const VerInfo info = m_poDevComm->verInfo();
        m_strMachineType = fieldText(info.szMachineType);
        m_strCurrentVer = fieldText(info.szFwVersion);
    }
    showInfoTexts();
    showPage(1);
}

void mainwindowView::showInfoTexts()
{
    const bool known = m_iDevInfoMode == 1 && m_poDevComm;
    m_poUi->lblInfoMachineType->setText(known ? m_strMachineType : m_oTexts.text(0));
    m_poUi->lblInfoCurrentVer->setText(known ? m_strCurrentVer : m_oTexts.text(m_iDevInfoMode == 2 ? 6 : 0));
    m_poUi->lblInfoNewVer->setText(m_strNewVer);
    m_poUi->lblInfoShowNext->setText(m_oTexts.text(14));
}

void mainwindowView::setFirmwareDir(const std::string &strDir)
{
    m_strFirmwareDir = strDir;
}

std::string mainwindowView::getBinVer(const std::string &strFolder)
{
    const QString csv = QCoreApplication::applicationDirPath() + '/' + QString::fromStdString(strFolder) +
                        QStringLiteral("/Firmware.csv");
    // Logged and reported in the local encoding; opened by its UTF-8 name,
    // which also reaches a folder named outside the local code page.
    const std::string path = csv.toLocal8Bit().toStdString();

    std::vector<std::string> tokens;
    if (!FirmwareCsv::readVersionTokens(csv.toUtf8().toStdString(), tokens)) {
        AIS_LOG(SysLevel::Warning, "mainwindowView::getBinVer", "Open file fail, path: %s", path.c_str());
        strCsvPath = path;
        isBinFileExist = false;
        return "";
    }

    std::string result;
    for (const std::string &token : tokens) {
        result = token;
        AIS_LOG(SysLevel::Info, "mainwindowView::getBinVer", "%s", result.c_str());
        isBinFileExist = true;
    }
    return result;
}

// ---- upgrade report ----------------------------------------------------

namespace {
const QString kStars(43, QLatin1Char('*'));
const QString kRule(43, QLatin1Char('='));
const QString kEol = QStringLiteral("\r\n");

QString section(const QString &title)
{
    return kRule + kEol + QLatin1Char('\t') + title + kEol + kRule + kEol;
}
}  // namespace

QString mainwindowView::serviceStateName(int iState) const
{
    // The report is read by a service partner: English, whatever the
    // operator's language (the table's entries 32 to 39 in the source text).
    static const char *const names[] = {"Unknown", "Stopped", "Start pending", "Stop pending",
                                        "Running", "Continue pending", "Pause pending", "Paused"};
    if (iState < 0 || iState > 7)
        return QLatin1String(names[0]) + QStringLiteral(" (%1)").arg(iState);
    return QLatin1String(names[iState]);
}

QString mainwindowView::userSystemInfo() const
{
    QString text;
    text += QStringLiteral("[User System Information]") + kEol;
    text += QStringLiteral("\tOS Type: ") + QSysInfo::productType() + kEol;
    text += QStringLiteral("\tOS Version: ") + QSysInfo::productVersion() + kEol;
    text += QStringLiteral("\tOS Kernel Version:") + QSysInfo::kernelVersion() + kEol;
    text += QStringLiteral("\tCpu Architecture:") + QSysInfo::currentCpuArchitecture() + kEol;
    text += kEol;
    return text;
}

QString mainwindowView::buildReport(SysSvcInfo stSysStatus, QString strVolumeListing, QString strDebugText,
                                    QString strLogFileProblem) const
{
    QString text;
    text += kStars + kEol;
    text += QStringLiteral("\tLumora-470 Firmware Upgrade Log") + kEol;
    text += kStars + kEol;
    text += QStringLiteral("Date: ") + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss ")) +
            kEol;
    text += QStringLiteral("SW Version: ") + QLatin1String(CAboutForm::versionText()) + kEol;
    text += kEol;
    text += userSystemInfo();
    text += section(QStringLiteral("Registry & System Sevice"));
    text += QStringLiteral("[Registry]") + kEol;
    text += QStringLiteral("(4=Disabled)") + kEol;
    text += QStringLiteral("\tWSearch: ") + QString::number(stSysStatus.wsearchReg) + kEol;
    text += QStringLiteral("\tStorSvc: ") + QString::number(stSysStatus.storageReg) + kEol;
    text += kEol;
    text += QStringLiteral("[System Service]") + kEol;
    text += QStringLiteral("\tWSearch: ") + serviceStateName(stSysStatus.wsearchService) + kEol;
    text += QStringLiteral("\tStorSvc: ") + serviceStateName(stSysStatus.storageService) + kEol;
    text += QStringLiteral("\tShellHWDetection: ") + serviceStateName(stSysStatus.shellHWDetectionService) + kEol;
    text += QStringLiteral("\tBDESVC: ") + serviceStateName(stSysStatus.bitLockerService) + kEol;
    text += kEol;
    if (!strLogFileProblem.isEmpty())
        text += strLogFileProblem + kEol + kEol;
    if (!strVolumeListing.isEmpty())
        text += section(QStringLiteral("MSD Content")) + strVolumeListing + kEol;
    if (!strDebugText.isEmpty())
        text += section(QStringLiteral("Debug Message")) + strDebugText + kEol;
    return text;
}
