#pragma once

#include <QString>

// Line-end handling of the upgrade report's file.
class ReportText {
public:
    // Every bare LF becomes CR LF; existing CR LF pairs stay as they are.
    static QString withCrLf(const QString &text);
};
