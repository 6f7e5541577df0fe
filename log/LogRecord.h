#pragma once

#include <cstdint>
#include <string>

// One log message, copied by value between the logger's queues.
struct LogRecord {
    char tag = ' ';             // blank means none
    std::string classFun;       // "Class::method" of the caller
    std::string threadText;     // thread-id text of the caller
    int16_t code = -1;          // section code, -1 means none
    int level = 0;
    int64_t startTicks = 0;     // processor clock at creation
    int64_t elapsedTicks = 0;
    int64_t time = 0;           // seconds since 1970 (UTC)
    std::string note;           // the formatted message
    bool missedFile = false;    // recording is on but "logger.log" did not take it
};
