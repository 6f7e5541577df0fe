// The wizard view on the real form: construction state, pages, device
// information, firmware package version, animations and message boxes.
#include "ViewFixture.h"

#include "tests/support/LogCapture.h"
#include "tests/support/MessageBoxAnswerer.h"
#include "device/CDeviceComm.h"
#include "log/SysLog.h"
#include "ui/LibraryFont.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstring>

namespace {
// A firmware folder beside the test program, removed again afterwards.
struct PackageDir {
    std::string name;
    QString dir;
    explicit PackageDir(const std::string &folder) : name(folder)
    {
        dir = QCoreApplication::applicationDirPath() + "/" + QString::fromStdString(folder);
        QDir(dir).removeRecursively();
    }
    ~PackageDir() { QDir(dir).removeRecursively(); }
    void writeCsv(const QByteArray &body) const
    {
        QDir().mkpath(dir);
        QFile file(dir + "/Firmware.csv");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(body);
    }
};
}  // namespace

TEST(UpgradeTexts, TableEntries)
{
    const CUpgradeTexts texts;
    EXPECT_EQ(texts[0], "Unknown");
    EXPECT_EQ(texts[6], "Bootloader");
    EXPECT_EQ(texts[9], "Welcome to AIS Firmware Upgrade");
    EXPECT_EQ(texts[10], "Please check below items before starting AIS Firmware Upgrade :");
    EXPECT_EQ(texts[11], "Power On the AIS device.");
    EXPECT_EQ(texts[12], "Connect AIS to your computer via the USB.");
    EXPECT_EQ(texts[18], "AIS Firmware Upgrade");
    EXPECT_EQ(texts[22], "System initialization failed.\nPlease reopen the application.");
    EXPECT_EQ(texts[29],
              "An unexpected error has occurred during the upgrade process.\r\nClick \"Yes\" to generate the report.");
    EXPECT_TRUE(texts[31].endsWith("Press OK to close the program."));
    // The service-state names end the table: an entry lost on the way shifts them.
    EXPECT_EQ(texts[32], "Unknown");
    EXPECT_EQ(texts[36], "Running");
    EXPECT_EQ(texts[39], "Paused");
    EXPECT_EQ(texts[40], "The firmware file %1 is empty.\nThe device was not changed.");
    EXPECT_TRUE(texts[CUpgradeTexts::Count].isEmpty());
    EXPECT_TRUE(texts[-1].isEmpty());
}

TEST(View, StateAfterConstruction)
{
    ViewFixture f;
    f.window.show();
    QApplication::processEvents();
    EXPECT_EQ(f.ui.tbwgMain->currentIndex(), 0);
    EXPECT_FALSE(f.ui.tbwgMain->tabBar()->isVisible());
    EXPECT_FALSE(f.ui.wgFormBorderEmpty->isVisible());
    EXPECT_FALSE(f.ui.lblWelcomeSystmInit->isVisible());
    EXPECT_TRUE(f.ui.btnWelcomStart->isVisible());
    EXPECT_TRUE(f.ui.wgWelcomeMainNote->isVisible());
    EXPECT_EQ(f.ui.lblBorderTitleName->text(), "AIS Firmware Upgrade");
    EXPECT_EQ(f.ui.lblMainTitle->text(), "Welcome to AIS Firmware Upgrade");
    EXPECT_EQ(f.ui.lblWelcomeSubNoteTitle2->text(), "Connect AIS to your computer via the USB.");
    EXPECT_EQ(f.ui.lblWelcomeSystmInit->text(), "Operating system initializing .......\nPlease wait a moment");
    EXPECT_EQ(f.ui.pgbCopyProcess->minimum(), 0);
    EXPECT_EQ(f.ui.pgbCopyProcess->maximum(), 0);
    EXPECT_FALSE(f.ui.pgbCopyProcess->isTextVisible());
    EXPECT_EQ(f.ui.lblCopyProcessNote->text(), f.view->text(16));
    // Page 2 is not current, so ask each part whether it is hidden itself.
    EXPECT_TRUE(f.ui.wgCopySuccess->isHidden());
    EXPECT_TRUE(f.ui.wgCopyProgressBtn->isHidden());
    EXPECT_FALSE(f.ui.wgCopyProcess->isHidden());
    for (int i = 0; i < f.ui.tbwgMain->count(); ++i) {
        const QLayout *page = f.ui.tbwgMain->widget(i)->layout();
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->contentsMargins(), QMargins(9, 9, 9, 9));
        EXPECT_EQ(page->spacing(), 0);
    }
    // Design-time texts that stay visible.
    EXPECT_EQ(f.ui.btnWelcomStart->text(), "Start ");
    EXPECT_EQ(f.ui.lblInfoCurrentVerTitle->text(), "Current Firmware Version : ");
    EXPECT_EQ(f.window.size(), QSize(600, 500));
}

TEST(View, ShowPageSetsTheTitle)
{
    ViewFixture f;
    f.view->showPage(2);
    EXPECT_EQ(f.ui.tbwgMain->currentIndex(), 2);
    EXPECT_EQ(f.ui.lblMainTitle->text(), "Firmware Upgrade");
    f.view->showPage(1);
    EXPECT_EQ(f.ui.tbwgMain->currentIndex(), 1);
    EXPECT_EQ(f.ui.lblMainTitle->text(), "Device Information");
    f.view->showPage(0);
    EXPECT_EQ(f.ui.lblMainTitle->text(), "Welcome to AIS Firmware Upgrade");
    // Beyond the pages only the tab selection is tried; the title stays.
    f.view->showPage(1);
    f.view->showPage(7);
    EXPECT_EQ(f.ui.lblMainTitle->text(), "Device Information");
    EXPECT_EQ(f.ui.tbwgMain->currentIndex(), 1);
}

TEST(View, DeviceInformation)
{
    PackageDir package("FirmwareBin-ui_view-info");
    package.writeCsv("Version,V1.3.0.02-B\n");
    ViewFixture f;
    f.view->setFirmwareDir(package.name);

    f.view->showDevInfo(0);
    EXPECT_EQ(f.ui.tbwgMain->currentIndex(), 0);
    EXPECT_NE(f.ui.lblInfoNewVer->text(), "V1.3.0.02-B");

    f.view->showDevInfo(2);
    EXPECT_EQ(f.ui.tbwgMain->currentIndex(), 1);
    EXPECT_EQ(f.ui.lblMainTitle->text(), "Device Information");
    EXPECT_EQ(f.ui.lblInfoMachineType->text(), "Unknown");
    EXPECT_EQ(f.ui.lblInfoCurrentVer->text(), "Bootloader");
    EXPECT_EQ(f.ui.lblInfoNewVer->text(), "V1.3.0.02-B");
    EXPECT_EQ(f.ui.lblInfoShowNext->text(), "Click next to start upgrade");

    // Without an identification check to read from, an identified device
    // shows as unknown rather than crashing.
    f.view->showPage(0);
    f.view->showDevInfo(1);
    EXPECT_EQ(f.ui.tbwgMain->currentIndex(), 1);
    EXPECT_EQ(f.ui.lblInfoMachineType->text(), "Unknown");
    EXPECT_EQ(f.ui.lblInfoCurrentVer->text(), "Unknown");
}

TEST(View, IdentifiedDeviceShowsItsVersionRecord)
{
    PackageDir package("FirmwareBin-ui_view-identified");
    package.writeCsv("Version,V1.3.0.02-B\n");
    CDeviceComm devComm;
    VerInfo &info = devComm.m_oCmdHandle.m_stVerInfo;
    std::memset(&info, 0, sizeof info);
    std::strcpy(info.szMachineType, "AIS-B-470");
    std::strcpy(info.szFwVersion, "V1.2.9.01-B");
    ViewFixture f(&devComm);
    f.view->setFirmwareDir(package.name);

    f.view->showDevInfo(1);
    EXPECT_EQ(f.ui.tbwgMain->currentIndex(), 1);
    EXPECT_EQ(f.ui.lblInfoMachineType->text(), "AIS-B-470");
    EXPECT_EQ(f.ui.lblInfoCurrentVer->text(), "V1.2.9.01-B");
    EXPECT_EQ(f.ui.lblInfoNewVer->text(), "V1.3.0.02-B");

    // Bootloader mode ignores the record.
    f.view->showDevInfo(2);
    EXPECT_EQ(f.ui.lblInfoMachineType->text(), "Unknown");
    EXPECT_EQ(f.ui.lblInfoCurrentVer->text(), "Bootloader");

    // A field filled to its end without a terminator is read up to the end only.
    std::memset(info.szFwVersion, 'V', sizeof info.szFwVersion);
    f.view->showDevInfo(1);
    EXPECT_EQ(f.ui.lblInfoCurrentVer->text(), QString(32, 'V'));
}

TEST(View, PackageVersionFromFirmwareCsv)
{
    ViewFixture f;
    {
        PackageDir package("FirmwareBin-ui_view-header");
        package.writeCsv("Version,V1.2.9.01-B\n");
        LogCapture capture;
        EXPECT_EQ(f.view->getBinVer(package.name), "V1.2.9.01-B");
        EXPECT_TRUE(f.view->isBinFileExist);
        EXPECT_EQ(capture.count("mainwindowView::getBinVer"), 2);  // the header token, then the version
        EXPECT_EQ(capture.count("V1.2.9.01-B"), 1);
    }
    {
        // Line breaks do not end a token; the last V token wins.
        PackageDir package("FirmwareBin-ui_view-rows");
        package.writeCsv("Name,App\nx,V1.0.0.01-A,V1.3.0.02-B\n");
        EXPECT_EQ(f.view->getBinVer(package.name), "V1.3.0.02-B");
        // So a token that starts on a new line begins with the line feed, not a V.
        package.writeCsv("Name,V1.0.0.01-A,\nV1.3.0.02-B\n");
        EXPECT_EQ(f.view->getBinVer(package.name), "V1.0.0.01-A");
    }
    {
        PackageDir package("FirmwareBin-ui_view-none");
        package.writeCsv("Name,App_470.Sbin\n");
        f.view->isBinFileExist = false;
        EXPECT_EQ(f.view->getBinVer(package.name), "");
        EXPECT_FALSE(f.view->isBinFileExist);
        f.view->isBinFileExist = true;
        EXPECT_EQ(f.view->getBinVer(package.name), "");
        EXPECT_TRUE(f.view->isBinFileExist);  // left unchanged
    }
    {
        PackageDir package("FirmwareBin-ui_view-missing");
        f.view->isBinFileExist = true;
        f.view->strCsvPath.clear();
        LogCapture capture;
        EXPECT_EQ(f.view->getBinVer(package.name), "");
        EXPECT_FALSE(f.view->isBinFileExist);
        const std::string expected = QCoreApplication::applicationDirPath().toStdString() + "/" + package.name +
                                     "/Firmware.csv";
        EXPECT_EQ(f.view->strCsvPath, expected);
        const QStringList lines = capture.matching("Open file fail, path: " + QString::fromStdString(expected));
        ASSERT_EQ(lines.size(), 1);
        EXPECT_TRUE(lines.first().contains("mainwindowView::getBinVer")) << lines.first().toStdString();
        EXPECT_TRUE(lines.first().contains("[W]")) << lines.first().toStdString();
    }
}

TEST(View, InitDotsBlinkAndProgress)
{
    ViewFixture f;
    f.view->showInitDots(0);
    EXPECT_EQ(f.ui.lblWelcomeSystmInit->text(), "Operating system initializing\nPlease wait a moment");
    f.view->showInitDots(3);
    EXPECT_EQ(f.ui.lblWelcomeSystmInit->text(), "Operating system initializing...\nPlease wait a moment");

    f.view->blinkCopyNote(false);
    EXPECT_EQ(f.ui.lblCopyProcessNote->text(), " ");
    f.view->blinkCopyNote(true);
    EXPECT_EQ(f.ui.lblCopyProcessNote->text(),
              "Upgrade in progress!\n Do not power Off the device or unplug the device");

    f.window.show();
    f.view->showPage(2);
    f.ui.lblCopySuccessNote->clear();
    f.view->setTransProgress(true);
    EXPECT_FALSE(f.ui.wgCopyProcess->isVisible());
    EXPECT_TRUE(f.ui.wgCopySuccess->isVisible());
    EXPECT_TRUE(f.ui.btnCopyProgressFinish->isVisible());
    EXPECT_TRUE(f.ui.lblCopySuccessNote->text().isEmpty());  // only the in-progress call fills it

    f.view->setTransProgress(false);
    EXPECT_TRUE(f.ui.wgCopyProcess->isVisible());
    EXPECT_FALSE(f.ui.wgCopySuccess->isVisible());
    EXPECT_FALSE(f.ui.wgCopyProgressBtn->isVisible());
    EXPECT_EQ(f.ui.lblCopySuccessNote->text(),
              "Upgrade completed successfully!\n Please power Off the device then power On.");
}

TEST(View, MessageBoxKinds)
{
    ViewFixture f;
    f.window.show();
    MessageBoxAnswerer answerer(QMessageBox::Ok);
    const char *const titles[] = {"Information", "Question", "Warning", "Error"};
    for (int kind = 0; kind < 4; ++kind) {
        const QString text = QString("box %1").arg(kind);
        f.view->showMsgBox(&f.window, kind, text);
        ASSERT_EQ(answerer.count(), kind + 1);
        EXPECT_EQ(answerer.last().kind, kind);
        EXPECT_EQ(answerer.last().title, titles[kind]);
        EXPECT_EQ(answerer.last().text, text);
    }
    // Kinds outside 0..3 show nothing and return at once.
    f.view->showMsgBox(&f.window, 4, "never");
    f.view->showMsgBox(&f.window, -1, "never");
    EXPECT_FALSE(answerer.waitForCount(5, 300));
    EXPECT_EQ(answerer.count(), 4);
}

TEST(View, MessageBoxOffersOnlyOk)
{
    ViewFixture f;
    f.window.show();
    // Even the question box offers Ok alone, as the default.
    QMessageBox *seen = nullptr;
    QTimer::singleShot(50, [&seen]() {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                seen = box;
                EXPECT_EQ(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
                EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Ok));
                box->button(QMessageBox::Ok)->click();
            }
        }
    });
    f.view->showMsgBox(&f.window, 1, "question with Ok");
    EXPECT_NE(seen, nullptr);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    SysDebug::instance()->start(QDir::currentPath() + "/", QDir::currentPath() + "/profile.ini");
    LibraryFont::instance().init(QString(), "Tahoma", 16, 1.0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
