#pragma once

#include <memory>

class MainWindow;

// The program's start once the application object exists: paths, logger,
// font scale, the main window shown and its start-up check.
class ProgramStart {
public:
    // The window, ready for the event loop; nullptr when the program ends
    // here with code 0 (the logger's decoding mode, or a start-up check that
    // failed or whose window was closed; that window is already gone and has
    // handed the host back).
    static std::unique_ptr<MainWindow> run();
};
