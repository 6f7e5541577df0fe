#pragma once

#include "ui/CAboutPresenter.h"
#include "ui/WgForm.h"

#include <memory>

namespace Ui {
class CAboutForm;
}

// The program's About box: title, version, logo and the two notices.
// Created hidden by the main window; closing only hides it.
class CAboutForm : public WgForm {
    Q_OBJECT
public:
    explicit CAboutForm(QWidget *poParent = nullptr);
    ~CAboutForm() override;

    void applyTheme();
    // Shows the given program title and (re)reads the notices through the
    // translator installed at this moment.
    void setTitle(const QString &strTitle);

    static const char *versionText() { return "v1.5.3"; }

public slots:
    void onClose();

private:
    std::unique_ptr<Ui::CAboutForm> m_poUi;
    CAboutPresenter m_oPresenter;
};
