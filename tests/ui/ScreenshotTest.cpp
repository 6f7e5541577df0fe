// Renders the three wizard pages and the About box into PNG files, so the
// look can be reviewed without running the program on its target system.
#include "ViewFixture.h"

#include "device/CDeviceComm.h"
#include "ui/CAboutForm.h"
#include "ui/LibraryFont.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTranslator>
#include <gtest/gtest.h>

#include <cstring>

namespace {
QString shotDir()
{
    const QString dir = qEnvironmentVariable("AIS_SCREENSHOT_DIR", QDir::currentPath() + "/screenshots");
    QDir().mkpath(dir);
    return dir;
}

void saveShot(QWidget &widget, const QString &name)
{
    widget.show();
    QApplication::processEvents();
    const QPixmap shot = widget.grab();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), widget.size());
    const QString path = shotDir() + "/" + name;
    ASSERT_TRUE(shot.save(path, "PNG")) << path.toStdString();
    // A blank grab would save fine; make sure something was drawn.
    const QImage image = shot.toImage();
    EXPECT_NE(image.pixel(5, 5), image.pixel(image.width() / 2, image.height() / 2)) << name.toStdString();
}
}  // namespace

TEST(Screenshots, WizardPagesAndAboutBox)
{
    // A package beside the program and an identified transponder's record.
    const QString packageDir = QCoreApplication::applicationDirPath() + "/FirmwareBin-ui_screenshots";
    QDir().mkpath(packageDir);
    QFile csv(packageDir + "/Firmware.csv");
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("Version,V1.3.0.02-B\n");
    csv.close();
    CDeviceComm devComm;
    std::strcpy(devComm.m_oCmdHandle.m_stVerInfo.szMachineType, "AIS-B-470");
    std::strcpy(devComm.m_oCmdHandle.m_stVerInfo.szFwVersion, "V1.2.9.01-B");

    ViewFixture f(&devComm);
    f.view->setFirmwareDir("FirmwareBin-ui_screenshots");
    saveShot(f.window, "page0-welcome.png");

    f.view->showInitDots(3);
    f.ui.btnWelcomStart->hide();
    f.ui.wgWelcomeMainNote->hide();
    f.ui.wgWelcomeSubNoteTitle->hide();
    f.ui.lblWelcomeSystmInit->show();
    saveShot(f.window, "page0-system-init.png");

    f.view->showDevInfo(1);
    saveShot(f.window, "page1-device-info.png");
    QDir(packageDir).removeRecursively();

    f.view->showPage(2);
    f.view->setTransProgress(false);
    saveShot(f.window, "page2-copy-progress.png");
    f.view->setTransProgress(true);
    saveShot(f.window, "page2-copy-done.png");

    QTranslator translator;
    ASSERT_TRUE(translator.load(":/Translations/Lang/CopyRight_en.qm"));
    QCoreApplication::installTranslator(&translator);
    CAboutForm about(&f.window);
    about.applyTheme();
    about.setTitle(f.view->text(18));
    saveShot(about, "about.png");
    QCoreApplication::removeTranslator(&translator);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    LibraryFont::instance().init(QString(), "Tahoma", 16, 1.0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
