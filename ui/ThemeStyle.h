#pragma once

#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;
class QStyledItemDelegate;
class QTabWidget;
class QTextEdit;
class QToolButton;
class QWidget;

// Widget composers: wrap style fragments in their selectors and apply the
// sheet to one widget. All colours come from LibraryColor, all sizes from
// LibraryFont, all pictures from LibraryImage.
class ThemeStyle {
public:
    // Text roles of applyLabelStyle.
    enum LabelRole {
        LabelBody,      // 0 ordinary text
        LabelMinor,     // 1 secondary, smaller
        LabelBarTitle,  // 2 text on a dark title bar
        LabelStrong,    // 3 emphasised body text
        LabelHeadline,  // 4 page titles and leading notes
        LabelWarning,   // 5 must-read warning
        LabelSuccess,   // 6 positive result
        LabelValue,     // 7 values read from the device or the package
        LabelOnDark,    // 8 body text on a dark panel
        LabelRoleCount
    };

    // Base look of a whole window content: font, colours, buttons, busy bar.
    // Combo box popups under the widget get the delegate so their items take
    // the item styles; the delegate may be destroyed afterwards.
    static void applyWindowStyle(QWidget *poWidget, QStyledItemDelegate *poDelegate = nullptr);
    // A dark bar carrying a window's title and controls.
    static void applyTitleBarStyle(QWidget *poBar);
    // Title bar logo and title text.
    static void applyTitleStyle(QToolButton *poLogo, QLabel *poTitle);
    // Minimise / close control; iControl is a WinCtrl image entry.
    static void applyWinCtrlStyle(QToolButton *poButton, int iControl);
    // Title bar function button; iFunction is a ThemeFun image entry.
    static void applyFunButtonStyle(QToolButton *poButton, int iFunction);
    // Title bar button that shows a short text (the language's code).
    static void applyBarTextButtonStyle(QToolButton *poButton);
    static void applyTabWidgetStyle(QTabWidget *poTabs);
    // The busy bar: its own sheet, so no surrounding panel look reaches it.
    static void applyBusyBarStyle(QProgressBar *poBar);
    // A rounded, lightly filled area grouping related content.
    static void applyPanelStyle(QWidget *poPanel);
    static void applyLabelStyle(QLabel *poLabel, int iRole);
    static void applyPushButtonStyle(QPushButton *poButton);
    static void applyTextEditStyle(QTextEdit *poEdit);
    // Picture centred in the widget's background (logos on labels).
    static void applyPicture(QWidget *poWidget, const QString &strPath);

    // The sheets themselves, for widgets built elsewhere and for checks.
    static QString windowSheet();
    static QString labelSheet(int iRole);
    static QString toolButtonSheet(const QString &strImage, const QString &strHoverImage, qint64 iHoverBackground);
    static QString pictureSheet(const QString &strPath);
};
