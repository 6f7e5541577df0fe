#include "ui/CAboutForm.h"

#include "ui_CAboutForm.h"

#include "ui/LibraryColor.h"
#include "ui/LibraryImage.h"
#include "ui/ThemeStyle.h"

CAboutForm::CAboutForm(QWidget *poParent)
    : WgForm(poParent, Qt::FramelessWindowHint), m_poUi(std::make_unique<Ui::CAboutForm>())
{
    m_poUi->setupUi(this);
    setDragEnabled(true);
    connect(m_poUi->btnTitleClose, SIGNAL(clicked()), this, SLOT(onClose()));
    connect(m_poUi->btnClose, SIGNAL(clicked()), this, SLOT(onClose()));
}

CAboutForm::~CAboutForm() = default;

void CAboutForm::applyTheme()
{
    setPanelColor(LibraryColor::instance().color(ResourceColor::Gray, 1));
    ThemeStyle::applyTitleBarStyle(m_poUi->wgTitleBar);
    ThemeStyle::applyLabelStyle(m_poUi->lblTitle, ThemeStyle::LabelBarTitle);
    ThemeStyle::applyWinCtrlStyle(m_poUi->btnTitleClose, ResourceImage::WinCtrlClose);
    ThemeStyle::applyPushButtonStyle(m_poUi->btnClose);
    ThemeStyle::applyPicture(m_poUi->lblLogo,
                             LibraryImage::instance().path(ResourceImage::FirmwareUpgrade, ResourceImage::UpgradeLogo));
    ThemeStyle::applyLabelStyle(m_poUi->lblProduct, ThemeStyle::LabelBarTitle);
    ThemeStyle::applyLabelStyle(m_poUi->lblVersion, ThemeStyle::LabelOnDark);
    ThemeStyle::applyTextEditStyle(m_poUi->txtCopyright);
}

void CAboutForm::setTitle(const QString &strTitle)
{
    m_oPresenter.load();
    m_poUi->lblTitle->setText(QObject::tr("About"));
    // What the task switcher and a screen reader name the box.
    setWindowTitle(m_poUi->lblTitle->text());
    m_poUi->lblProduct->setText(strTitle);
    m_poUi->lblVersion->setText(QString("%1").arg(versionText()));
    // The base notice is kept for the record but never shown.
    m_poUi->txtCopyright->setText(m_oPresenter.makerNotice());
    m_poUi->txtCopyright->append(m_oPresenter.qtNotice());
    m_poUi->btnClose->setText(QObject::tr("Close"));
}

void CAboutForm::onClose()
{
    close();
}
