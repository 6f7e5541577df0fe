#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>

class QCoreApplication;
class QTemporaryDir;

// Process set-up shared by the fuzz targets: an application object, silent
// Qt message output (the logger echoes every line there), the program's
// logger started quietly, and a private scratch directory that is also the
// working directory, since "logger.log" and "comm.ini" are looked up there.
class FuzzEnv {
public:
    // Set up on the first call; later calls return the same object.
    static FuzzEnv &instance();

    // A broken property is a finding: print it and abort, so that libFuzzer
    // keeps the input as a reproducer.
    [[noreturn]] static void fail(const char *file, int line, const char *what);

    // Waits until the logger's writer has taken every queued record, so the
    // memory an input allocated is released within that input (libFuzzer
    // runs a leak check whenever the counts differ).
    static void settle();

    // Scratch directory, without a trailing "/".
    QString dir() const;
    // Writes the bytes to a file of that name in the scratch directory
    // (replacing it) and returns its path; empty when writing failed.
    QString writeFile(const QString &name, const uint8_t *data, size_t size) const;
    QString writeFile(const QString &name, const QByteArray &bytes) const;
    // Removes a file of the scratch directory if present.
    void removeFile(const QString &name) const;

    FuzzEnv(const FuzzEnv &) = delete;
    FuzzEnv &operator=(const FuzzEnv &) = delete;
    ~FuzzEnv();

private:
    FuzzEnv();

    std::unique_ptr<QCoreApplication> m_poApp;
    std::unique_ptr<QTemporaryDir> m_poDir;
};

#define FUZZ_CHECK(cond)                                \
    do {                                                \
        if (!(cond))                                    \
            FuzzEnv::fail(__FILE__, __LINE__, #cond);   \
    } while (0)
