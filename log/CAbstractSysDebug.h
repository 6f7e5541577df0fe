#pragma once

#include "log/LogRecord.h"

// Interface of the logger as seen by its writer loop and by sysLog.
class CAbstractSysDebug {
public:
    virtual ~CAbstractSysDebug() = default;
    virtual void lock() = 0;
    virtual void unlock() = 0;
    virtual void wakeWriter() = 0;
    virtual void waitForWork() = 0;
    virtual void enqueue(const LogRecord &record) = 0;
    virtual void process(const LogRecord &record) = 0;
};
