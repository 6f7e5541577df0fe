// "profile.ini" contents through the two readers of the file: the logger's
// "Sys_Debug" settings (then a few lines logged and the recent-log ring read)
// and the font scale's "Palette_Font" settings.
#include "fuzz/FuzzEnv.h"

#include "log/SysDebug.h"
#include "log/SysLevel.h"
#include "ui/LibraryFont.h"

#include <QFileInfo>

#include <cstdarg>

namespace {
void logLine(SysDebug &logger, int level, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    logger.logv(level, "FuzzProfile::logLine", "1", format, args);
    va_end(args);
}
}  // namespace

static int fuzzOne(const uint8_t *data, size_t size)
{
    FuzzEnv &env = FuzzEnv::instance();
    const QString profile = env.writeFile(QStringLiteral("profile.ini"), data, size);
    if (profile.isEmpty())
        return 0;
    // No control line: the defaults stand until the settings are read.
    env.removeFile(QStringLiteral("logger.log"));
    env.removeFile(QStringLiteral("loggerDecrypt.log"));

    {
        SysDebug logger;
        const bool running = logger.start(env.dir() + QStringLiteral("/"), profile);
        // Levels 0 and 2 have no key and stay on whatever the file says.
        FUZZ_CHECK(logger.levelOn(SysLevel::None) && logger.levelOn(SysLevel::Finish));
        if (running) {
            for (int level = 0; level < SysLevel::Count; ++level)
                logLine(logger, level, "line %d of %s", level, "fuzz");
            const QString recent = logger.takeRecentLog();
            if (logger.isRecording())
                FUZZ_CHECK(recent.isEmpty());
            if (logger.isRecording())
                FUZZ_CHECK(QFileInfo(env.dir() + QStringLiteral("/logger.log")).size() > 0);
            if (logger.isEncrypting())
                FUZZ_CHECK(!recent.contains(QLatin1Char('\n')));
        } else {
            FUZZ_CHECK(!logger.isRunning());
        }
    }

    LibraryFont &font = LibraryFont::instance();
    font.init(profile, QStringLiteral("Tahoma"), 16, 1.0);
    FUZZ_CHECK(font.normalSize() > 0);
    FUZZ_CHECK(font.zoom() > 0.0);
    // Sizes grow with their factors; none turns negative.
    FUZZ_CHECK(font.size(LibraryFont::Tiny) >= 0);
    for (int i = 1; i < LibraryFont::SizeCount; ++i)
        FUZZ_CHECK(font.size(i - 1) <= font.size(i));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzOne(data, size);
    FuzzEnv::settle();
    return 0;
}
