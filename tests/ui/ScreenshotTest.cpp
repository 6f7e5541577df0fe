// Renders every wizard page, the About box and every message box in every
// shipped language and the pseudo-language (longer texts, accents, bracketed
// ends), checks that each text fits, and saves the pages as PNG files so the
// look can be reviewed without running the program on its target system.
// Run under the program's own display scaling: on a scaled screen (an X
// server at 144 or 192 DPI, see tests/ui/CMakeLists.txt) the pictures show
// the window as a dealer's 150 % or 200 % laptop does. Each language is
// rendered once per process, switched live as the operator switches it.
#include "ViewFixture.h"

#include "app/CLanguageChoice.h"
#include "app/CLanguageMenu.h"
#include "app/CLanguageSwitch.h"
#include "app/ProgramStart.h"
#include "device/CDeviceComm.h"
#include "ui/CAboutForm.h"
#include "ui/LibraryFont.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionToolButton>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {
QString shotDir(const QString &strLanguage)
{
    const QString dir = qEnvironmentVariable("AIS_SCREENSHOT_DIR", QDir::currentPath() + "/screenshots") + "/" +
                        strLanguage;
    QDir().mkpath(dir);
    return dir;
}

struct Drawn {
    const QWidget *widget;
    QString text;
    QRect rect;  // where the text is drawn, in the widget
    QRect room;  // where the widget draws text: a style sheet's padding clips it
};

// Every visible text and the rectangle it is drawn over: each label
// (wrapped or line by line, placed as the label places it), each push
// button's and tool button's caption (centred on its contents), in the
// widget's own font.
QVector<Drawn> drawnTexts(QWidget &root)
{
    QVector<Drawn> drawn;
    for (const QLabel *label : root.findChildren<QLabel *>()) {
        if (!label->isVisibleTo(&root) || label->text().isEmpty())
            continue;
        const int margin = label->margin();
        const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QString text = label->textFormat() == Qt::PlainText || !Qt::mightBeRichText(label->text())
                                 ? label->text()
                                 : QTextDocumentFragment::fromHtml(label->text()).toPlainText();
        drawn.append({label, label->text(), label->fontMetrics().boundingRect(room, flags, text), label->rect()});
    }
    for (const QPushButton *button : root.findChildren<QPushButton *>()) {
        if (!button->isVisibleTo(&root) || button->text().isEmpty())
            continue;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        drawn.append({button, button->text(),
                      button->fontMetrics().boundingRect(room, Qt::AlignCenter | Qt::TextShowMnemonic, button->text()),
                      room});
    }
    for (const QToolButton *button : root.findChildren<QToolButton *>()) {
        if (!button->isVisibleTo(&root) || button->text().isEmpty() ||
            (button->toolButtonStyle() == Qt::ToolButtonIconOnly && !button->icon().isNull()))
            continue;
        const QRect room = button->contentsRect();
        drawn.append({button, button->text(), button->fontMetrics().boundingRect(room, Qt::AlignCenter, button->text()),
                      room});
    }
    return drawn;
}

// Every text lies inside its widget and inside every widget around it (each
// clips what it paints), and no two texts overlap: nothing is cut off,
// elided or drawn over another.
void expectTextFits(QWidget &root, const QString &name)
{
    const QVector<Drawn> drawn = drawnTexts(root);
    QVector<QRect> onRoot;
    for (const Drawn &text : drawn) {
        const QString where = name + ": " + text.widget->objectName() + " \"" + text.text + "\"";
        EXPECT_TRUE(text.room.contains(text.rect))
            << where.toStdString() << " is drawn over " << text.rect.width() << "x" << text.rect.height() << "+"
            << text.rect.x() << "+" << text.rect.y() << " of " << text.room.width() << "x" << text.room.height()
            << "+" << text.room.x() << "+" << text.room.y();
        const QRect mapped(text.widget->mapTo(&root, text.rect.topLeft()), text.rect.size());
        for (const QWidget *outer = text.widget->parentWidget(); outer && outer != root.parentWidget();
             outer = outer->parentWidget()) {
            const QRect outerOnRoot(outer == &root ? QPoint() : outer->mapTo(&root, QPoint()), outer->size());
            if (!outerOnRoot.contains(mapped)) {
                ADD_FAILURE() << where.toStdString() << " reaches outside " << outer->objectName().toStdString();
                break;
            }
        }
        onRoot.append(mapped);
    }
    for (int i = 0; i < onRoot.size(); ++i) {
        for (int j = i + 1; j < onRoot.size(); ++j) {
            EXPECT_FALSE(onRoot[i].intersects(onRoot[j]))
                << name.toStdString() << ": \"" << drawn[i].text.toStdString() << "\" overlaps \""
                << drawn[j].text.toStdString() << "\"";
        }
    }
}

void saveShot(QWidget &widget, const QString &language, const QString &name)
{
    widget.show();
    QApplication::processEvents();
    expectTextFits(widget, language + "/" + name);
    const QPixmap shot = widget.grab();
    ASSERT_FALSE(shot.isNull());
    // The whole window, in device pixels.
    EXPECT_EQ(shot.size(), widget.size() * widget.devicePixelRatioF());
    const QString path = shotDir(language) + "/" + name;
    ASSERT_TRUE(shot.save(path, "PNG")) << path.toStdString();
    // A blank grab would save fine; make sure something was drawn.
    const QImage image = shot.toImage();
    EXPECT_NE(image.pixel(5, 5), image.pixel(image.width() / 2, image.height() / 2)) << name.toStdString();
}

// The box `open` shows, checked while it is open and then closed; it must
// also fit on the screen.
void checkBox(const QString &name, const std::function<void()> &open,
              const std::function<void(QMessageBox &)> &inspect = nullptr)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen = true;
        expectTextFits(*box, name);
        const QRect screen = box->screen()->availableGeometry();
        EXPECT_LE(box->width(), screen.width()) << name.toStdString();
        EXPECT_LE(box->height(), screen.height()) << name.toStdString();
        if (inspect)
            inspect(*box);
        box->done(QMessageBox::Ok);
    });
    open();
    EXPECT_TRUE(seen) << name.toStdString() << ": no box opened";
}

struct Box {
    int kind;
    int entry;
    QStringList args;
};

// Every text the program shows in a box, with arguments of a realistic length.
const Box kBoxes[] = {
    {0, 5, {}},
    {3, 5, {}},
    {3, 7, {}},
    {2, 7, {}},
    {3, 8, {}},
    {0, 16, {}},
    {0, 21, {}},
    {0, 22, {}},
    {0, 24, {}},
    {0, 28, {}},
    {2, 30, {}},
    {2, 31, {}},
    {3, CUpgradeTexts::ImageEmpty, {"C:\\Program Files\\AIS Firmware Upgrade\\FirmwareBin\\App_470.Sbin"}},
    {3, CUpgradeTexts::ImageNotAFile, {"C:\\Program Files\\AIS Firmware Upgrade\\FirmwareBin\\App_470.Sbin"}},
    {3, CUpgradeTexts::ImageUnreadable,
     {"C:\\Program Files\\AIS Firmware Upgrade\\FirmwareBin\\App_470.Sbin", "Access is denied."}},
    {3, CUpgradeTexts::ImageTooLarge,
     {"C:\\Program Files\\AIS Firmware Upgrade\\FirmwareBin\\App_470.Sbin", "1048576", "524288"}},
    {2, CUpgradeTexts::ConfirmOldFirmware, {"V1.2.9.01-B"}},
    {2, CUpgradeTexts::ConfirmBootloader, {}},
};
}  // namespace

TEST(Screenshots, EveryPageAndBoxInEveryLanguage)
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

    const QStringList languages = CLanguageSwitch::shipped();
    ASSERT_TRUE(languages.contains("en_XA")) << "the pseudo-language is not linked in";

    ViewFixture f(&devComm);
    f.view->setFirmwareDir(packageName.toStdString());
    CLanguageMenu menu(f.ui.wgFormBorder, f.ui.wgThemeFunGenRep, languages);
    CAboutForm about(&f.window);
    about.applyTheme();

    QElapsedTimer clock;
    clock.start();
    for (const QString &language : languages) {
        SCOPED_TRACE(language.toStdString());
        // Switched as the window switches it: translations, then every text.
        ASSERT_TRUE(CLanguageSwitch::instance().apply(language));
        QApplication::processEvents();
        f.ui.retranslateUi(&f.window);
        f.view->retranslate();
        menu.setCurrent(language);
        about.setTitle(f.view->text(18));
        if (language == "zh_CN" || language == "ja") {
            // A real CJK font, not boxes: fonts-noto-cjk on Linux.
            const auto system = language == "ja" ? QFontDatabase::Japanese : QFontDatabase::SimplifiedChinese;
            EXPECT_FALSE(QFontDatabase().families(system).isEmpty()) << "no font for " << language.toStdString();
        }
        if (language != "en") {
            EXPECT_NE(f.view->text(9), "Welcome to AIS Firmware Upgrade") << "not translated";
        }

        f.view->showPage(0);
        f.ui.btnWelcomStart->show();
        f.ui.wgWelcomeMainNote->show();
        f.ui.wgWelcomeSubNoteTitle->show();
        f.ui.lblWelcomeSystmInit->hide();
        saveShot(f.window, language, "page0-welcome.png");

        f.view->showInitDots(7);
        f.ui.btnWelcomStart->hide();
        f.ui.wgWelcomeMainNote->hide();
        f.ui.wgWelcomeSubNoteTitle->hide();
        f.ui.lblWelcomeSystmInit->show();
        saveShot(f.window, language, "page0-system-init.png");

        f.view->showDevInfo(1);
        saveShot(f.window, language, "page1-device-info.png");
        f.view->showDevInfo(2);
        saveShot(f.window, language, "page1-bootloader.png");

        f.view->showPage(2);
        f.view->setTransProgress(false);
        saveShot(f.window, language, "page2-copy-progress.png");
        f.view->setTransProgress(true);
        f.view->showConfirmNote(CUpgradeTexts::ConfirmNotSeen);
        saveShot(f.window, language, "page2-copy-done.png");

        saveShot(about, language, "about.png");
        about.hide();

        for (const Box &box : kBoxes) {
            QString text = f.view->text(box.entry);
            for (const QString &arg : box.args)
                text = text.arg(arg);
            checkBox(QStringLiteral("%1/box %2").arg(language).arg(box.entry),
                     [&] { f.view->showMsgBox(&f.window, box.kind, text); });
        }
        // The report offer, with its No and Yes: buttons Qt names, in the
        // language too (Qt's own catalogue of it).
        checkBox(
            language + "/report offer",
            [&] {
                QMessageBox::information(&f.window, f.view->text(4), f.view->text(29),
                                         QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
            },
            [&](QMessageBox &box) {
                if (language == "en" || language == "en_XA")
                    return;
                EXPECT_TRUE(CLanguageSwitch::instance().hasQtTexts()) << "no Qt catalogue";
                EXPECT_NE(box.button(QMessageBox::Yes)->text(), "&Yes");
            });
    }
    QDir(packageDir).removeRecursively();
    std::printf("%d languages rendered in %lld ms\n", int(languages.size()), static_cast<long long>(clock.elapsed()));
}

int main(int argc, char **argv)
{
    ProgramStart::beforeApplication();
    QApplication app(argc, argv);
    LibraryFont::instance().init(QString(), "Tahoma", 16, 1.0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
