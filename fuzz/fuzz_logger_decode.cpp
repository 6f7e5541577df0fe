// Arbitrary "logger.log" bytes: the control line read when a logger is made,
// then the decoding mode that turns the file into "loggerDecrypt.log". The
// same bytes, taken as one line of text, go through the line encoding and
// must come back out of the decoding.
#include "fuzz/FuzzEnv.h"

#include "log/SysDebug.h"

#include <QFile>

#include <string>

namespace {
QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

static int fuzzOne(const uint8_t *data, size_t size)
{
    FuzzEnv &env = FuzzEnv::instance();
    static const QString profile =
        env.writeFile(QStringLiteral("decode.ini"), QByteArray("[Sys_Debug]\nDecryptionEnable=true\n"));
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<int>(size));
    if (profile.isEmpty() || env.writeFile(QStringLiteral("logger.log"), bytes).isEmpty())
        return 0;
    env.removeFile(QStringLiteral("loggerDecrypt.log"));

    {
        // Reads the control line from "logger.log" in the working directory.
        SysDebug logger;
        // The field switches follow bits 0..6 of the control word.
        for (int f = 0; f < SysDebug::FieldCount; ++f)
            FUZZ_CHECK(logger.fieldOn(static_cast<SysDebug::Field>(f)) == (((logger.controlWord() >> f) & 1u) != 0));
        FUZZ_CHECK(logger.hasOpenLogFile());
        FUZZ_CHECK(!logger.start(env.dir() + QStringLiteral("/"), profile));
        FUZZ_CHECK(!logger.isRunning());
    }
    // The decoding is a plain Base64 decoding of the whole file.
    FUZZ_CHECK(readAll(env.dir() + QStringLiteral("/loggerDecrypt.log")) == QByteArray::fromBase64(bytes));

    // One line's encoding fills whole Base64 quanta and decodes to the text
    // (as Latin-1), its pad spaces and one line feed.
    const std::string text(bytes.constData(), static_cast<size_t>(bytes.size()));
    const std::string encoded = SysDebug::encodeText(text);
    FUZZ_CHECK(encoded.find('=') == std::string::npos);
    FUZZ_CHECK(encoded.size() % 4 == 0);
    const QByteArray decoded = QByteArray::fromBase64(QByteArray::fromStdString(encoded));
    FUZZ_CHECK(decoded.size() % 3 == 0 && decoded.endsWith('\n'));
    const QByteArray latin1 = QString::fromUtf8(bytes.constData(), bytes.size()).toLatin1();
    FUZZ_CHECK(decoded.startsWith(latin1));
    FUZZ_CHECK(decoded.size() - latin1.size() >= 1 && decoded.size() - latin1.size() <= 3);
    for (int i = latin1.size(); i < decoded.size() - 1; ++i)
        FUZZ_CHECK(decoded[i] == ' ');
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzOne(data, size);
    FuzzEnv::settle();
    return 0;
}
