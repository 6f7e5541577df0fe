#include "log/SysLog.h"

#include <cstdarg>

void sysLog(SysDebug *logger, int level, const char *classFun, const char *threadText, const char *format, ...)
{
    if (logger == nullptr || format == nullptr)
        return;
    va_list args;
    va_start(args, format);
    logger->logv(level, classFun, threadText, format, args);
    va_end(args);
}
