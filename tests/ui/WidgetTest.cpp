// Dialog bases and the About box on real widgets.
#include "ui/CAboutForm.h"
#include "ui/LibraryFont.h"
#include "ui/ThemeStyle.h"
#include "ui/WgForm.h"
#include "ui/WgPanel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QStyledItemDelegate>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {
void sendMouse(QWidget *w, QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, w->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// Presses at a point of the form, moves by `by` with the given buttons held, releases.
QPoint dragBy(WgForm &form, QPoint by, Qt::MouseButton button, Qt::MouseButtons held)
{
    const QPoint start = form.frameGeometry().topLeft() + QPoint(20, 15);
    sendMouse(&form, QEvent::MouseButtonPress, start, button, held);
    sendMouse(&form, QEvent::MouseMove, start + by, Qt::NoButton, held);
    sendMouse(&form, QEvent::MouseButtonRelease, start + by, button, Qt::NoButton);
    return form.pos();
}

struct TestForm : WgForm {
    TestForm() : WgForm(nullptr, Qt::FramelessWindowHint) { resize(200, 120); }
};
}  // namespace

TEST(WgPanel, BuiltHiddenGrayAndSquare)
{
    WgPanel withGrid(nullptr, Qt::FramelessWindowHint, 1.0, true);
    EXPECT_FALSE(withGrid.isVisible());
    EXPECT_NE(withGrid.gridLayout(), nullptr);
    EXPECT_EQ(withGrid.layout(), static_cast<QLayout *>(withGrid.gridLayout()));
    EXPECT_EQ(withGrid.panelColor(), QColor(Qt::gray));
    EXPECT_EQ(withGrid.radius(), 0);

    WgPanel panel(nullptr, Qt::FramelessWindowHint, 1.0, false);
    EXPECT_EQ(panel.gridLayout(), nullptr);
    panel.setPanelColor(QColor(0x19, 0x19, 0x70));
    EXPECT_TRUE(panel.autoFillBackground());
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        EXPECT_EQ(panel.palette().color(group, QPalette::Window), QColor(0x19, 0x19, 0x70));
    panel.resize(100, 80);
    const QImage image = panel.grab().toImage();
    EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(0x19, 0x19, 0x70));  // square: the corner is filled
    EXPECT_TRUE(panel.mask().isEmpty());
}

TEST(WgPanel, RoundedPanelIsMaskedToItsShape)
{
    WgPanel panel(nullptr, Qt::FramelessWindowHint, 1.0, false);
    panel.setPanelColor(Qt::darkGreen);
    panel.setRadius(12);
    panel.resize(120, 90);
    const QImage image = panel.grab().toImage();
    const QRegion mask = panel.mask();
    ASSERT_FALSE(mask.isEmpty());
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));
    EXPECT_FALSE(mask.contains(QPoint(119, 89)));
    EXPECT_TRUE(mask.contains(QPoint(60, 45)));
    EXPECT_TRUE(mask.contains(QPoint(60, 2)));
    EXPECT_EQ(QColor(image.pixel(60, 45)), QColor(Qt::darkGreen));

    panel.setRadius(0);
    EXPECT_TRUE(panel.mask().isEmpty());
}

TEST(WgPanel, Signals)
{
    WgPanel panel(nullptr, Qt::FramelessWindowHint, 1.0, false);
    QSignalSpy released(&panel, &WgPanel::signalMouseRelease);
    QSignalSpy focusIn(&panel, &WgPanel::signalFocusIn);
    QSignalSpy focusOut(&panel, &WgPanel::signalFocusOut);
    QSignalSpy closed(&panel, &WgPanel::signalClosed);

    panel.show();
    QApplication::processEvents();
    focusIn.clear();
    focusOut.clear();
    QTest::mouseRelease(&panel, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(released.count(), 1);

    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(&panel, &in);
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(&panel, &out);
    EXPECT_EQ(focusIn.count(), 1);
    EXPECT_EQ(focusOut.count(), 1);

    // signalClosed comes after the dialog's own close handling has hidden it.
    bool hiddenWhenSignalled = false;
    QObject::connect(&panel, &WgPanel::signalClosed, [&]() { hiddenWhenSignalled = !panel.isVisible(); });
    EXPECT_TRUE(panel.close());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(hiddenWhenSignalled);
    EXPECT_EQ(released.count(), 1);
}

TEST(WgForm, DragsWithTheLeftButtonAloneWhenSwitchedOn)
{
    TestForm form;
    form.show();
    form.move(100, 100);
    QSignalSpy released(&form, &WgPanel::signalMouseRelease);

    // Off by default.
    EXPECT_EQ(dragBy(form, QPoint(30, 20), Qt::LeftButton, Qt::LeftButton), QPoint(100, 100));

    form.setDragEnabled(true);
    EXPECT_EQ(dragBy(form, QPoint(30, 20), Qt::LeftButton, Qt::LeftButton), QPoint(130, 120));
    EXPECT_FALSE(form.isDragging());

    EXPECT_EQ(dragBy(form, QPoint(30, 20), Qt::RightButton, Qt::RightButton), QPoint(130, 120));
    EXPECT_EQ(dragBy(form, QPoint(30, 20), Qt::LeftButton, Qt::LeftButton | Qt::RightButton), QPoint(130, 120));
    EXPECT_FALSE(form.isDragging());

    // Moving after the release no longer moves the form.
    const QPoint at = form.frameGeometry().topLeft() + QPoint(10, 10);
    sendMouse(&form, QEvent::MouseMove, at + QPoint(50, 50), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(form.pos(), QPoint(130, 120));

    // A moving pointer without any button held does not drag either.
    sendMouse(&form, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(form.isDragging());
    sendMouse(&form, QEvent::MouseMove, at + QPoint(40, 0), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(form.pos(), QPoint(130, 120));
    sendMouse(&form, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);

    EXPECT_EQ(released.count(), 0);  // a form does not report releases
}

TEST(ThemeStyle, WindowStyleLeavesNoDanglingDelegate)
{
    QWidget window;
    auto *combo = new QComboBox(&window);
    combo->addItems({"one", "two"});
    QAbstractItemDelegate *during = nullptr;
    {
        QStyledItemDelegate delegate;
        ThemeStyle::applyWindowStyle(&window, &delegate);
        during = combo->view()->itemDelegate();
        EXPECT_EQ(during, &delegate);
        EXPECT_TRUE(window.styleSheet().startsWith("QWidget {"));
    }
    QAbstractItemDelegate *after = combo->view()->itemDelegate();
    ASSERT_NE(after, nullptr);
    EXPECT_NE(after, during);
    // The popup still paints its items with the replacement.
    combo->showPopup();
    QApplication::processEvents();
    EXPECT_FALSE(combo->view()->grab().isNull());
    combo->hidePopup();
}

namespace {
struct AboutTest : ::testing::Test {
    QWidget owner;
    QTranslator translator;
    void install() { ASSERT_TRUE(translator.load(":/Translations/Lang/CopyRight_en.qm")); QCoreApplication::installTranslator(&translator); }
    void TearDown() override { QCoreApplication::removeTranslator(&translator); }
    static QString edit(CAboutForm &about) { return about.findChild<QTextEdit *>("txtCopyright")->toPlainText(); }
};
}  // namespace

TEST_F(AboutTest, TextsWithTheNoticeTranslator)
{
    install();
    const QString maker = QCoreApplication::translate("QObject", "CopyrightTORV");
    const QString qt = QCoreApplication::translate("QObject", "CopyrightQt");
    const QString base = QCoreApplication::translate("QObject", "CopyrightBase");
    ASSERT_NE(maker, "CopyrightTORV");
    ASSERT_NE(qt, "CopyrightQt");
    ASSERT_NE(base, "CopyrightBase");

    CAboutForm about(&owner);
    EXPECT_FALSE(about.isVisible());
    EXPECT_TRUE(about.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(about.dragEnabled());
    EXPECT_EQ(about.findChild<QLabel *>("lblVersion")->text(), "Ver 1.0.0 Build20170207");
    about.applyTheme();
    EXPECT_EQ(about.panelColor(), QColor(0, 0, 0));
    about.setTitle("AIS Firmware Upgrade");

    EXPECT_EQ(about.findChild<QLabel *>("lblVersion")->text(), "v1.5.3");
    EXPECT_EQ(about.findChild<QLabel *>("lblProduct")->text(), "AIS Firmware Upgrade");
    EXPECT_EQ(about.findChild<QLabel *>("lblTitle")->text(), "About");
    EXPECT_EQ(about.findChild<QPushButton *>("btnClose")->text(), "Close");

    QTextDocument makerDoc, qtDoc, baseDoc;
    makerDoc.setHtml(maker);
    qtDoc.setHtml(qt);
    baseDoc.setPlainText(base);
    const QString shown = edit(about);
    EXPECT_TRUE(shown.contains(makerDoc.toPlainText().trimmed())) << shown.toStdString();
    EXPECT_TRUE(shown.contains(qtDoc.toPlainText().trimmed())) << shown.toStdString();
    EXPECT_LT(shown.indexOf("TORV"), shown.indexOf("Qt toolkit"));
    EXPECT_FALSE(shown.contains(baseDoc.toPlainText())) << shown.toStdString();
}

TEST_F(AboutTest, CloseControlsHideAndShowAgainWithTheSameTexts)
{
    install();
    CAboutForm about(&owner);
    about.applyTheme();
    about.setTitle("AIS Firmware Upgrade");
    const QString first = edit(about);

    for (const char *control : {"btnTitleClose", "btnClose"}) {
        about.setModal(true);
        about.show();
        ASSERT_TRUE(about.isVisible());
        QAbstractButton *button = about.findChild<QAbstractButton *>(control);
        ASSERT_NE(button, nullptr) << control;
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_FALSE(about.isVisible()) << control;
    }
    about.setTitle("AIS Firmware Upgrade");
    about.show();
    EXPECT_EQ(edit(about), first);
    EXPECT_EQ(about.findChild<QLabel *>("lblVersion")->text(), "v1.5.3");
}

TEST_F(AboutTest, MissingTranslationShowsTheKeys)
{
    CAboutForm about(&owner);
    about.applyTheme();
    about.setTitle("AIS Firmware Upgrade");
    EXPECT_EQ(edit(about), "CopyrightTORV\nCopyrightQt");
    EXPECT_EQ(about.findChild<QLabel *>("lblVersion")->text(), "v1.5.3");
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    LibraryFont::instance().init(QString(), "Tahoma", 16, 1.0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
