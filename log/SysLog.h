#pragma once

#include "log/SysDebug.h"
#include "log/SysLevel.h"

#include <QString>
#include <QThread>

#include <string>

// The one logging call: logger, level, "Class::method", thread text, printf format.
void sysLog(SysDebug *logger, int level, const char *classFun, const char *threadText, const char *format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 5, 6)))
#endif
    ;

namespace {
// Each source file keeps the thread text of its first caller: the log format
// identifies the unit that logged rather than the thread that happens to call.
inline const char *currentThreadText()
{
    static const std::string text =
        QString("%1").arg(reinterpret_cast<quintptr>(QThread::currentThreadId())).toStdString();
    return text.c_str();
}
}  // namespace

// Shorthand for sysLog on the process-wide logger.
#define AIS_LOG(level, classFun, ...) \
    sysLog(SysDebug::instance(), (level), (classFun), currentThreadText(), __VA_ARGS__)
