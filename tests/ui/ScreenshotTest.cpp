// Renders the three wizard pages and the About box into PNG files, so the
// look can be reviewed without running the program on its target system.
// Run under the program's own display scaling: on a scaled screen (an X
// server at 144 or 192 DPI, see tests/ui/CMakeLists.txt) the pictures show
// the window as a dealer's 150 % or 200 % laptop does, and no text may be cut.
#include "ViewFixture.h"

#include "app/ProgramStart.h"
#include "device/CDeviceComm.h"
#include "ui/CAboutForm.h"
#include "ui/LibraryFont.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
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

// Every visible text lies inside its widget, which clips what it paints:
// each label (wrapped or line by line, placed as the label places it) and
// each push button's caption (centred on its contents), in the widget's font.
void expectTextFits(QWidget &root, const QString &name)
{
    const auto expectInside = [&name](const QWidget *widget, const QString &text, const QRect &drawn) {
        EXPECT_TRUE(widget->rect().contains(drawn))
            << name.toStdString() << ": " << widget->objectName().toStdString() << " \"" << text.toStdString()
            << "\" is drawn over " << drawn.width() << "x" << drawn.height() << "+" << drawn.x() << "+" << drawn.y()
            << " of " << widget->width() << "x" << widget->height();
    };
    for (const QLabel *label : root.findChildren<QLabel *>()) {
        if (!label->isVisibleTo(&root) || label->text().isEmpty())
            continue;
        const int margin = label->margin();
        const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        expectInside(label, label->text(), label->fontMetrics().boundingRect(room, flags, label->text()));
    }
    for (const QPushButton *button : root.findChildren<QPushButton *>()) {
        if (!button->isVisibleTo(&root) || button->text().isEmpty())
            continue;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        expectInside(button, button->text(), button->fontMetrics().boundingRect(room, Qt::AlignCenter, button->text()));
    }
}

void saveShot(QWidget &widget, const QString &name)
{
    widget.show();
    QApplication::processEvents();
    expectTextFits(widget, name);
    const QPixmap shot = widget.grab();
    ASSERT_FALSE(shot.isNull());
    // The whole window, in device pixels.
    EXPECT_EQ(shot.size(), widget.size() * widget.devicePixelRatioF());
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
    // One folder per run: the runs at each scale share the program's folder.
    const QString packageName = "FirmwareBin-ui_screenshots-" + QString::number(QCoreApplication::applicationPid());
    const QString packageDir = QCoreApplication::applicationDirPath() + "/" + packageName;
    QDir().mkpath(packageDir);
    QFile csv(packageDir + "/Firmware.csv");
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("Version,V1.3.0.02-B\n");
    csv.close();
    CDeviceComm devComm;
    std::strcpy(devComm.m_oCmdHandle.m_stVerInfo.szMachineType, "AIS-B-470");
    std::strcpy(devComm.m_oCmdHandle.m_stVerInfo.szFwVersion, "V1.2.9.01-B");

    ViewFixture f(&devComm);
    f.view->setFirmwareDir(packageName.toStdString());
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
    ProgramStart::beforeApplication();
    QApplication app(argc, argv);
    LibraryFont::instance().init(QString(), "Tahoma", 16, 1.0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
