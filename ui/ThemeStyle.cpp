#include "ui/ThemeStyle.h"

#include "ui/LibraryColor.h"
#include "ui/LibraryFont.h"
#include "ui/LibraryImage.h"
#include "ui/StyleFragment.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>

namespace {
using F = StyleFragment;
using C = ResourceColor;

qint64 col(int iGroup, int iIndex)
{
    return LibraryColor::instance().rgb(iGroup, iIndex);
}
int fontPx(int iSize)
{
    return LibraryFont::instance().size(iSize);
}
QString family()
{
    return LibraryFont::instance().family();
}

// The palette of the program, by role.
qint64 inkText() { return col(C::Gray, 4); }        // 333333
qint64 inkMinor() { return col(C::Gray, 6); }       // 696969
qint64 pageBack() { return col(C::White, 0); }      // ffffff
qint64 panelBack() { return col(C::Gray, 9); }      // ececec
qint64 barBack() { return col(C::Blue, 8); }        // 191970
qint64 accent() { return col(C::Blue, 4); }         // 1e90ff
qint64 accentHover() { return col(C::Blue, 6); }    // 4169e1
qint64 accentDown() { return col(C::Blue, 7); }     // 000080
qint64 headline() { return col(C::Blue, 8); }       // 191970
qint64 quiet() { return col(C::Gray, 8); }          // c0c0c0
qint64 warning() { return col(C::Red, 1); }         // b22222
qint64 success() { return col(C::Green, 0); }       // 008000

QString rule(const QString &strSelector, const QString &strBody)
{
    return strSelector + " {" + strBody + "}";
}

QString pushButtonRules()
{
    return rule("QPushButton", F::font(QString(), fontPx(LibraryFont::Normal), "600") +
                                   F::colorBlock(col(C::White, 0), accent()) + F::border(0) + F::radius(6) +
                                   F::padding(18, 6, 18, 6)) +
           rule("QPushButton:hover", F::colorBlock(-1, accentHover())) +
           rule("QPushButton::pressed", F::colorBlock(-1, accentDown())) +
           rule("QPushButton::checked", F::colorBlock(-1, accentDown())) +
           rule("QPushButton:disabled", F::colorBlock(col(C::White, 0), quiet()));
}
}  // namespace

QString ThemeStyle::windowSheet()
{
    return rule("QWidget", F::font(family(), fontPx(LibraryFont::Normal)) + F::colorBlock(inkText(), pageBack())) +
           pushButtonRules() +
           rule("QComboBox QAbstractItemView", F::colorBlock(inkText(), pageBack(), col(C::White, 0), accent())) +
           rule("QComboBox QAbstractItemView::item", F::geometry(-1, -1, -1, -1, -1, -1, fontPx(LibraryFont::Normal) + 12));
}

void ThemeStyle::applyWindowStyle(QWidget *poWidget, QStyledItemDelegate *poDelegate)
{
    if (!poWidget)
        return;
    poWidget->setStyleSheet(windowSheet());
    if (!poDelegate)
        return;
    for (QComboBox *combo : poWidget->findChildren<QComboBox *>()) {
        QAbstractItemView *view = combo->view();
        view->setItemDelegate(poDelegate);
        // A view whose delegate is gone has none left to paint its items
        // with: give it one of its own.
        QPointer<QAbstractItemView> guard(view);
        QObject::connect(poDelegate, &QObject::destroyed, view, [guard, poDelegate]() {
            if (guard && (!guard->itemDelegate() || guard->itemDelegate() == poDelegate))
                guard->setItemDelegate(new QStyledItemDelegate(guard));
        });
    }
}

void ThemeStyle::applyTitleBarStyle(QWidget *poBar)
{
    if (poBar)
        poBar->setStyleSheet(rule("QWidget", F::colorBlock(col(C::White, 0), barBack())));
}

void ThemeStyle::applyTitleStyle(QToolButton *poLogo, QLabel *poTitle)
{
    if (poLogo) {
        poLogo->setStyleSheet(rule("QToolButton", F::colorBlock(-1, barBack()) + F::border(0) + F::padding(0, 0, 0, 0)));
        poLogo->setIcon(QIcon(LibraryImage::instance().path(ResourceImage::FirmwareUpgrade, ResourceImage::UpgradeLogo)));
    }
    if (poTitle)
        applyLabelStyle(poTitle, LabelBarTitle);
}

QString ThemeStyle::toolButtonSheet(const QString &strImage, const QString &strHoverImage, qint64 iHoverBackground)
{
    return rule("QToolButton", F::colorBlock(-1, barBack()) + F::border(0) + F::radius(4) + F::padding(6, 6, 6, 6) +
                                   F::image(strImage)) +
           rule("QToolButton::hover", F::colorBlock(-1, iHoverBackground) + F::image(strHoverImage)) +
           rule("QToolButton:pressed", F::colorBlock(-1, accentDown()) + F::image(strHoverImage));
}

void ThemeStyle::applyWinCtrlStyle(QToolButton *poButton, int iControl)
{
    if (!poButton)
        return;
    const LibraryImage &images = LibraryImage::instance();
    // Closing gets a red warning hover, the others the calm accent.
    const qint64 hover = iControl == ResourceImage::WinCtrlClose ? warning() : accentHover();
    poButton->setStyleSheet(toolButtonSheet(images.path(ResourceImage::WinCtrl, iControl),
                                            images.path(ResourceImage::WinCtrl, iControl, ResourceImage::StateHover),
                                            hover));
}

void ThemeStyle::applyFunButtonStyle(QToolButton *poButton, int iFunction)
{
    if (!poButton)
        return;
    const LibraryImage &images = LibraryImage::instance();
    poButton->setStyleSheet(toolButtonSheet(images.path(ResourceImage::ThemeFun, iFunction),
                                            images.path(ResourceImage::ThemeFun, iFunction, ResourceImage::StateHover),
                                            accentHover()));
}

void ThemeStyle::applyBarTextButtonStyle(QToolButton *poButton)
{
    if (!poButton)
        return;
    poButton->setStyleSheet(
        rule("QToolButton", F::font(family(), fontPx(LibraryFont::Normal), "600") +
                                F::colorBlock(col(C::White, 0), barBack()) + F::border(0) + F::radius(4) +
                                F::padding(6, 4, 6, 4)) +
        rule("QToolButton::hover", F::colorBlock(-1, accentHover())) +
        rule("QToolButton:pressed", F::colorBlock(-1, accentDown())) +
        rule("QToolButton::menu-indicator", "image: none;"));
}

void ThemeStyle::applyTabWidgetStyle(QTabWidget *poTabs)
{
    if (!poTabs)
        return;
    poTabs->setStyleSheet(rule("QTabWidget::pane", F::border(0) + F::colorBlock(-1, pageBack())) +
                          rule("QTabBar::tab", F::colorBlock(inkText(), panelBack()) + F::padding(12, 4, 12, 4)));
}

void ThemeStyle::applyBusyBarStyle(QProgressBar *poBar)
{
    if (!poBar)
        return;
    // A clear track with a bright moving chunk.
    poBar->setStyleSheet(rule("QProgressBar", F::border(0) + F::radius(7) + F::colorBlock(-1, quiet())) +
                         rule("QProgressBar::chunk", F::colorBlock(-1, accent()) + F::radius(7)));
}

void ThemeStyle::applyPanelStyle(QWidget *poPanel)
{
    if (poPanel)
        poPanel->setStyleSheet(rule("QWidget", F::colorBlock(-1, panelBack()) + F::radius(10)));
}

QString ThemeStyle::labelSheet(int iRole)
{
    struct Look {
        int size;
        const char *weight;
        qint64 colour;
    };
    Look look{LibraryFont::Normal, "", inkText()};
    switch (iRole) {
    case LabelMinor: look = {LibraryFont::Smaller, "", inkMinor()}; break;
    case LabelBarTitle: look = {LibraryFont::Large, "600", col(C::White, 0)}; break;
    case LabelStrong: look = {LibraryFont::Normal, "600", inkText()}; break;
    case LabelHeadline: look = {LibraryFont::Larger, "600", headline()}; break;
    case LabelWarning: look = {LibraryFont::Large, "600", warning()}; break;
    case LabelSuccess: look = {LibraryFont::Large, "600", success()}; break;
    case LabelValue: look = {LibraryFont::Large, "600", accentHover()}; break;
    case LabelOnDark: look = {LibraryFont::Normal, "", col(C::Gray, 9)}; break;
    default: break;
    }
    return rule("QLabel", F::font(QString(), fontPx(look.size), QString::fromLatin1(look.weight)) +
                              F::colorBlock(look.colour));
}

void ThemeStyle::applyLabelStyle(QLabel *poLabel, int iRole)
{
    if (poLabel)
        poLabel->setStyleSheet(labelSheet(iRole));
}

void ThemeStyle::applyPushButtonStyle(QPushButton *poButton)
{
    if (poButton)
        poButton->setStyleSheet(pushButtonRules());
}

void ThemeStyle::applyTextEditStyle(QTextEdit *poEdit)
{
    if (!poEdit)
        return;
    poEdit->setStyleSheet(rule("QTextEdit", F::font(family(), fontPx(LibraryFont::Smaller)) +
                                                F::colorBlock(col(C::Gray, 9), col(C::Gray, 2), col(C::White, 0), accent()) +
                                                F::border(1, F::Solid, col(C::Gray, 4)) + F::radius(6) +
                                                F::padding(8, 6, 8, 6)));
}

QString ThemeStyle::pictureSheet(const QString &strPath)
{
    return "QWidget {" + F::colorBlock(-1) + F::backgroundImage(strPath, F::Center, F::Center) + "border: none;" + "}";
}

void ThemeStyle::applyPicture(QWidget *poWidget, const QString &strPath)
{
    if (poWidget)
        poWidget->setStyleSheet(pictureSheet(strPath));
}
