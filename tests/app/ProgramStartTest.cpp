// The program binary, copied into a folder with its own "profile.ini": the
// program reads its settings from the folder it was started from.
#include "tests/support/TestDirs.h"
#include "tests/support/XvfbDisplay.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <utility>

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

// Output of xdotool on the given X display; empty when it failed.
QString xdotool(const QString &display, const QStringList &args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    process.setProcessEnvironment(env);
    process.start("xdotool", args);
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QString();
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

// Size in device pixels ("<w>x<h>") of the program's window as the X server
// has it, once it is shown; empty when none appeared within the limit.
QString shownWindowSize(const QString &display, int iLimitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < iLimitMs) {
        const QString window =
            xdotool(display, {"search", "--onlyvisible", "--name", "^AIS Firmware Upgrade$"}).section('\n', 0, 0);
        if (!window.isEmpty()) {
            QString width, height;
            for (const QString &line : xdotool(display, {"getwindowgeometry", "--shell", window}).split('\n')) {
                if (line.startsWith("WIDTH="))
                    width = line.mid(6);
                else if (line.startsWith("HEIGHT="))
                    height = line.mid(7);
            }
            return width + "x" + height;
        }
        QThread::msleep(200);
    }
    return QString();
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

TEST(ProgramStart, WindowFollowsTheDisplayScale)
{
    // The 600 x 500 layout is in device-independent pixels: the program on a
    // screen of 96, 144 and 192 DPI (X servers of its own) shows it at the
    // scales 1, 1.5 and 2, as it would at 100, 150 and 200 % on Windows.
    const QString dir = TestDirs::fresh("scaled");
    const QString program = installProgram(dir);
    ASSERT_FALSE(program.isEmpty());
    ASSERT_TRUE(writeFile(dir + "/profile.ini", "[Sys_Debug]\nDecryptionEnable=false\n"));

    for (const auto &[dpi, expected] :
         {std::pair{96, "600x500"}, std::pair{144, "900x750"}, std::pair{192, "1200x1000"}}) {
        SCOPED_TRACE(dpi);
        XvfbDisplay display(dpi);
        ASSERT_TRUE(display.isReady()) << display.errorText().toStdString();
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display.name());
        env.insert("QT_QPA_PLATFORM", "xcb");
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(dir);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, QStringList());
        ASSERT_TRUE(process.waitForStarted(10000));
        EXPECT_EQ(shownWindowSize(display.name(), 20000).toStdString(), expected) << process.readAll().toStdString();
        process.kill();
        process.waitForFinished(5000);
    }
}
