// The program binary, copied into a folder with its own "profile.ini": the
// program reads its settings from the folder it was started from.
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {
QString installProgram(const QString &dir)
{
    const QString target = dir + "/AisFirmwareUpgrade";
    QFile::remove(target);
    return QFile::copy(QStringLiteral(AIS_PROGRAM), target) ? target : QString();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

TEST(ProgramStart, DecodingModeDecodesTheLogAndOpensNoWindow)
{
    const QString dir = TestDirs::fresh("decoding");
    const QString program = installProgram(dir);
    ASSERT_FALSE(program.isEmpty());
    ASSERT_TRUE(writeFile(dir + "/profile.ini", "[Sys_Debug]\nDecryptionEnable=true\n"));
    const QByteArray plain = "12:00:00 140\tMainWindow::sysInit   Record current services\r\n";
    ASSERT_TRUE(writeFile(dir + "/logger.log", plain.toBase64()));

    // Started from another folder: the settings come from the program's own.
    QProcess process;
    process.setWorkingDirectory(QDir::tempPath());
    process.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(program, QStringList());
    // A window would keep the program in its event loop.
    ASSERT_TRUE(process.waitForFinished(20000)) << "the program did not end: a window was opened";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_EQ(readFile(dir + "/loggerDecrypt.log"), plain);
    EXPECT_TRUE(process.readAll().contains("log decryption"));
}

TEST(ProgramStart, NormalModeOpensTheWindowAndWaits)
{
    // The counterpart: without decoding the program builds its window and
    // stays in the event loop (here off Windows, so nothing is changed).
    const QString dir = TestDirs::fresh("normal");
    const QString program = installProgram(dir);
    ASSERT_FALSE(program.isEmpty());
    ASSERT_TRUE(writeFile(dir + "/profile.ini", "[Sys_Debug]\nDecryptionEnable=false\n"));

    QProcess process;
    process.setWorkingDirectory(dir);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, QStringList());
    ASSERT_TRUE(process.waitForStarted(10000));
    EXPECT_FALSE(process.waitForFinished(3000)) << process.readAll().toStdString();
    const QByteArray output = process.readAll();
    EXPECT_TRUE(output.contains("Record modified services and registry status")) << output.toStdString();
    EXPECT_FALSE(output.contains("Record current services and registry status"));
    process.kill();
    process.waitForFinished(5000);
}
