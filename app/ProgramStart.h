#pragma once

#include <QString>

#include <memory>

class MainWindow;

// The program's start: what must precede the application object, then,
// once it exists, paths, logger, font scale, the main window shown and its
// start-up check.
class ProgramStart {
public:
    // Display scaling, which Qt reads only while creating the application
    // object: call before it exists.
    static void beforeApplication();

    // The window, ready for the event loop; nullptr when the program ends
    // here with code 0 (the logger's decoding mode, or a start-up check that
    // failed or whose window was closed; that window is already gone and has
    // handed the host back).
    // The program passes no language: it takes the operator's from the
    // program, else the installer's, else the user's display languages, else
    // English. A test tool (the demo) may name a shipped language instead.
    static std::unique_ptr<MainWindow> run(const QString &strLanguage = QString());

    // Installs that language before the window builds its texts.
    static void applyLanguage(const QString &strLanguage = QString());
};
