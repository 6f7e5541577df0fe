#pragma once

#include "app/mainwindowView.h"
#include "ui_mainwindow.h"

#include <QMainWindow>

#include <memory>

// A real main window form with the view on it, as the program builds it.
struct ViewFixture {
    QMainWindow window;
    Ui::MainWindow ui;
    std::unique_ptr<mainwindowView> view;

    explicit ViewFixture(CDeviceComm *poDevComm = nullptr)
    {
        ui.setupUi(&window);
        window.setFixedSize(600, 500);
        view = std::make_unique<mainwindowView>(&ui, poDevComm);
    }
};
