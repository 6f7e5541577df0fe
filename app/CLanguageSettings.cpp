#include "app/CLanguageSettings.h"

#include "app/CLanguageChoice.h"

#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace {
const QString kLanguageKey = QStringLiteral("Language");

std::unique_ptr<QSettings> operatorSettings()
{
#if defined(Q_OS_WIN)
    return std::make_unique<QSettings>(CLanguageSettings::operatorStore(), QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(CLanguageSettings::operatorStore(), QSettings::IniFormat);
#endif
}
}  // namespace

QString CLanguageSettings::operatorStore()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\TORV\\AisFirmwareUpgrade");
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/TORV/AisFirmwareUpgrade.conf");
#endif
}

QString CLanguageSettings::operatorChoice() const
{
    return operatorSettings()->value(kLanguageKey).toString();
}

bool CLanguageSettings::setOperatorChoice(const QString &strCode) const
{
    const auto settings = operatorSettings();
    settings->setValue(kLanguageKey, strCode);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

QString CLanguageSettings::installerChoice() const
{
#if defined(Q_OS_WIN)
    const QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\TORV\\AisFirmwareUpgrade"),
                        QSettings::NativeFormat);
    bool ok = false;
    const int langId = key.value(QStringLiteral("Installer Language")).toInt(&ok);
    return ok ? CLanguageChoice::tagOfLangId(langId) : QString();
#else
    return QString();
#endif
}
