#include "log/SysDebug.h"
#include "log/SysLog.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestDirs.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QtTest>

#include <memory>

#include <unistd.h>

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

LogRecord record(int level, const char *classFun, const char *note)
{
    LogRecord r;
    r.classFun = classFun;
    r.threadText = "140";
    r.level = level;
    r.time = QDateTime::currentSecsSinceEpoch();
    r.note = note;
    return r;
}
}  // namespace

class TestSysDebug : public QObject {
    Q_OBJECT
private:
    QString m_origDir;
    // Each case runs in its own empty directory: the logger looks for
    // "logger.log" in the current directory when it is constructed.
    QString enterFreshDir(const char *name)
    {
        const QString dir = TestDirs::fresh(QString::fromLatin1(name));
        QDir::setCurrent(dir);
        return dir;
    }

private slots:
    void initTestCase() { m_origDir = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(m_origDir); }

    void infoLinePadsClassFunToFortyColumns()
    {
        enterFreshDir("info");
        SysDebug logger;
        const LogRecord r = record(SysLevel::Info, "MainWindow::sysInit", "Record current services and registry status");
        const std::string expected = SysDebug::timeText(r.time).toStdString() + " 140\tMainWindow::sysInit" +
                                     std::string(21, ' ') + "Record current services and registry status";
        QCOMPARE(QString::fromStdString(logger.renderText(r)), QString::fromStdString(expected));
    }

    void timeTextFollowsEverySecond()
    {
        // The text of a second is reused for the next line of that second
        // only: alternating seconds must each get their own.
        const QDateTime base = QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC);
        for (int i = 0; i < 3; ++i) {
            for (int64_t secs : {base.toSecsSinceEpoch(), base.toSecsSinceEpoch() + 61}) {
                const QString text = SysDebug::timeText(secs);
                QCOMPARE(text.size(), 8);
                QCOMPARE(text.right(2), QDateTime::fromSecsSinceEpoch(secs, Qt::UTC).toString("ss"));
                QCOMPARE(text.mid(3, 2), QDateTime::fromSecsSinceEpoch(secs, Qt::UTC).toString("mm"));
            }
        }
    }

    void longClassFunGetsTabAndNoPadding()
    {
        enterFreshDir("long");
        SysDebug logger;
        const LogRecord r = record(SysLevel::Info, "CRegistryManipulation::isSysStatusCorrect", "x");
        QCOMPARE(std::string("CRegistryManipulation::isSysStatusCorrect").size(), size_t(41));
        const std::string text = logger.renderText(r);
        QVERIFY(text.find("140\tCRegistryManipulation::isSysStatusCorrect\tx") != std::string::npos);

        // Exactly 40 characters is already "40 or more": a TAB and no padding.
        const std::string forty(40, 'c');
        const LogRecord r40 = record(SysLevel::Info, forty.c_str(), "y");
        QVERIFY(logger.renderText(r40).find(forty + "\ty") != std::string::npos);
    }

    void levelFields_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("field");
        QTest::newRow("None") << int(SysLevel::None) << "N)";
        QTest::newRow("Stake") << int(SysLevel::Stake) << "[-1S]";
        QTest::newRow("Finish") << int(SysLevel::Finish) << "[-1F]";
        QTest::newRow("Info") << int(SysLevel::Info) << "";
        QTest::newRow("Warning") << int(SysLevel::Warning) << "[W]";
        QTest::newRow("Error") << int(SysLevel::Error) << "[E]";
        QTest::newRow("Critical") << int(SysLevel::Critical) << "[X]";
        QTest::newRow("Exception") << int(SysLevel::Exception) << "[!]";
        QTest::newRow("Leave") << int(SysLevel::Leave) << "[L]";
        QTest::newRow("Profile") << int(SysLevel::Profile) << "P)";
        QTest::newRow("Control") << int(SysLevel::Control) << "C)";
        QTest::newRow("Action") << int(SysLevel::Action) << "A)";
        QTest::newRow("Deep") << int(SysLevel::Deep) << "#)";
        QTest::newRow("Debug") << int(SysLevel::Debug) << "D)";
    }
    void levelFields()
    {
        QFETCH(int, level);
        QFETCH(QString, field);
        enterFreshDir("levels");
        SysDebug logger;
        const LogRecord r = record(level, "A::b", "msg");
        const std::string expected = "140\tA::b" + std::string(36, ' ') + field.toStdString() + "msg";
        const std::string text = logger.renderText(r);
        QCOMPARE(QString::fromStdString(text.substr(9)), QString::fromStdString(expected));
    }

    void encodingPadsToWholeQuanta()
    {
        QCOMPARE(QString::fromStdString(SysDebug::encodeText("abc")), QString("YWJjICAK"));
        QCOMPARE(QByteArray::fromBase64(SysDebug::encodeText("ab").c_str()), QByteArray("ab\n"));
        QCOMPARE(QByteArray::fromBase64(SysDebug::encodeText("a").c_str()), QByteArray("a \n"));
        QCOMPARE(QByteArray::fromBase64(SysDebug::encodeText("abc").c_str()), QByteArray("abc  \n"));
        for (const char *t : {"", "a", "ab", "abc", "abcd"})
            QVERIFY(SysDebug::encodeText(t).find('=') == std::string::npos);
        // Characters outside Latin-1 become '?' before encoding.
        QCOMPARE(QByteArray::fromBase64(SysDebug::encodeText("\xe2\x82\xac").c_str()), QByteArray("? \n"));
    }

    void controlLine_data()
    {
        QTest::addColumn<QByteArray>("firstLine");
        QTest::addColumn<QVector<bool>>("fields");
        QTest::newRow("7f") << QByteArray("7f\n") << QVector<bool>{true, true, true, true, true, true, true};
        QTest::newRow("12") << QByteArray("12\n") << QVector<bool>{false, true, false, false, true, false, false};
        QTest::newRow("=====") << QByteArray("==============================\n")
                               << QVector<bool>{true, true, true, true, true, true, true};
    }
    void controlLine()
    {
        QFETCH(QByteArray, firstLine);
        QFETCH(QVector<bool>, fields);
        const QString dir = enterFreshDir("control");
        writeFile(dir + "/logger.log", firstLine);
        SysDebug logger;
        for (int i = 0; i < SysDebug::FieldCount; ++i)
            QCOMPARE(logger.fieldOn(SysDebug::Field(i)), fields[i]);
        QVERIFY(logger.hasOpenLogFile());
        QVERIFY(!logger.isRecording());
    }

    void unreadableControlLineKeepsDefaultFields()
    {
        // A "logger.log" that exists but cannot be opened.
        const QString dir = enterFreshDir("unreadable");
        QVERIFY(QDir(dir).mkdir("logger.log"));
        SysDebug logger;
        for (int i = 0; i < SysDebug::FieldCount; ++i)
            QVERIFY(logger.fieldOn(SysDebug::Field(i)));
        QVERIFY(!logger.isRecording());
        QVERIFY(!logger.hasOpenLogFile());
        QVERIFY(QString::fromStdString(logger.renderText(record(SysLevel::Warning, "U::r", "shown")))
                    .endsWith("U::r" + QString(36, ' ') + "[W]shown"));
    }

    void linesTheFileRefusesStayForTheReport()
    {
        // Recording on, but "logger.log" cannot be opened: the report keeps the lines.
        const QString dir = enterFreshDir("refused");
        QVERIFY(QDir(dir).mkdir("logger.log"));
        writeFile(dir + "/profile.ini", "[Sys_Debug]\nLogTag=record\nEncryptionEnable=false\n");
        SysDebug logger;
        QVERIFY(logger.start(dir + "/", dir + "/profile.ini"));
        QVERIFY(logger.isRecording());
        sysLog(&logger, SysLevel::Info, "A::b", "7", "kept %d", 7);
        QVERIFY(logger.takeRecentLog().contains("kept 7"));
    }

    // Started elevated from an ordinary user's folder: a link planted as
    // "logger.log" must neither give the control line nor take the lines of
    // another file. Then there is no log file, and the report says why.
    void plantedLinkIsNeverFollowed_data()
    {
        QTest::addColumn<bool>("symbolic");
        QTest::addColumn<QString>("why");
        QTest::newRow("symbolic link") << true
                                       << QStringLiteral("No log file: logger.log is a symbolic link, not a regular file");
        QTest::newRow("hard link") << false
                                   << QStringLiteral("No log file: logger.log is a file with more than one name (a "
                                                     "hard link), not a regular file");
    }
    void plantedLinkIsNeverFollowed()
    {
        QFETCH(bool, symbolic);
        QFETCH(QString, why);
        const QString dir = enterFreshDir("planted");
        // Its first line would switch recording on, closing after each line.
        const QByteArray other = "7f record FC\nsomeone else's file\n";
        writeFile(dir + "/other.txt", other);
        if (symbolic)
            QVERIFY(QFile::link(dir + "/other.txt", dir + "/logger.log"));
        else
            QCOMPARE(::link(QFile::encodeName(dir + "/other.txt").constData(), "logger.log"), 0);
        writeFile(dir + "/profile.ini", "[Sys_Debug]\nLogTag=record\nEncryptionEnable=false\n");

        SysDebug logger;
        QVERIFY(!logger.isCloseEachLine());
        QVERIFY(logger.start(dir + "/", dir + "/profile.ini"));
        sysLog(&logger, SysLevel::Error, "A::b", "7", "not for that file");
        QCOMPARE(readAll(dir + "/other.txt"), other);
        QVERIFY(!logger.hasOpenLogFile());
        QCOMPARE(logger.logFileProblem(), why);
        QVERIFY(logger.takeRecentLog().contains("not for that file"));
    }

    void controlLineTagWordsSwitchOnRecording()
    {
        const QString dir = enterFreshDir("controltag");
        writeFile(dir + "/logger.log", "7f record DL\n");
        SysDebug logger;
        QVERIFY(logger.isRecording());
        QVERIFY(logger.levelOn(SysLevel::Deep));
        QVERIFY(!logger.isCloseEachLine());
    }

    void defaultsWriteNothingAndRingIsEncoded()
    {
        const QString dir = enterFreshDir("defaults");
        SysDebug logger;
        QVERIFY(logger.start(dir + "/", dir + "/profile.ini"));
        for (int i = 0; i < SysDebug::FieldCount; ++i)
            QVERIFY(logger.fieldOn(SysDebug::Field(i)));
        for (int l = 0; l < SysLevel::Count; ++l)
            QCOMPARE(logger.levelOn(l), l != SysLevel::Deep);
        {
            LogCapture capture;
            sysLog(&logger, SysLevel::Info, "A::b", "7", "hello %d", 42);
            sysLog(&logger, SysLevel::Deep, "A::b", "7", "deep");
            QCOMPARE(capture.count("hello 42"), 1);
            QCOMPARE(capture.count("deep"), 0);
        }
        QVERIFY(!QFile::exists(dir + "/logger.log"));
        QCOMPARE(logger.ringSize(), 2);  // the ring takes every record, whatever its level
        const QString recent = logger.takeRecentLog();
        QVERIFY(!recent.contains('\n'));
        const QByteArray decoded = QByteArray::fromBase64(recent.toLatin1());
        QVERIFY(decoded.contains("A::b"));
        QVERIFY(decoded.contains("hello 42"));
        QVERIFY(decoded.contains("deep"));
        QCOMPARE(logger.ringSize(), 0);
    }

    void ringKeepsTheLatestTwoThousand()
    {
        const QString dir = enterFreshDir("ring");
        writeFile(dir + "/profile.ini", "[Sys_Debug]\nEncryptionEnable=false\nMsgInfo=false\n");
        SysDebug logger;
        QVERIFY(logger.start(dir + "/", dir + "/profile.ini"));
        for (int i = 0; i < SysDebug::kRingMax + 1; ++i)
            sysLog(&logger, SysLevel::Info, "R::ing", "1", "n%04d", i);
        QCOMPARE(logger.ringSize(), SysDebug::kRingMax);
        const QString recent = logger.takeRecentLog();
        QVERIFY(!recent.contains("n0000"));
        QVERIFY(recent.contains("n0001"));
        QVERIFY(recent.endsWith("n2000\n"));
        QCOMPARE(recent.count('\n'), SysDebug::kRingMax);
    }

    void recordAndCloseTags_data()
    {
        QTest::addColumn<QByteArray>("logTag");
        QTest::newRow("spaces") << QByteArray("record FC");
        QTest::newRow("commas") << QByteArray("record,FC");
    }
    void recordAndCloseTags()
    {
        QFETCH(QByteArray, logTag);
        const QString dir = enterFreshDir("record");
        writeFile(dir + "/profile.ini", "[Sys_Debug]\nLogTag=" + logTag + "\nEncryptionEnable=false\n");
        SysDebug logger;
        QVERIFY(logger.start(dir + "/", dir + "/profile.ini"));
        QVERIFY(logger.isRecording());
        QVERIFY(logger.isCloseEachLine());
        QVERIFY(logger.bannerText().contains("Record Logging"));
        sysLog(&logger, SysLevel::Warning, "Rec::one", "5", "first");
        QVERIFY(!logger.hasOpenLogFile());  // closed after every line
        sysLog(&logger, SysLevel::Info, "Rec::two", "5", "second");
        const QByteArray file = readAll(dir + "/logger.log");
        QVERIFY(file.startsWith("============================== Record Logging "));
        QVERIFY(file.contains("[W]first\n"));
        QVERIFY(file.contains("Rec::two" + QByteArray(32, ' ') + "second\n"));
        // Lines go to the file at once, exactly once each.
        QCOMPARE(file.count("first"), 1);
        QCOMPARE(logger.ringSize(), 0);  // recording keeps no ring
    }

    void errorLevelClosesTheFile()
    {
        const QString dir = enterFreshDir("errclose");
        writeFile(dir + "/profile.ini", "[Sys_Debug]\nLogTag=record\n");
        SysDebug logger;
        QVERIFY(logger.start(dir + "/", dir + "/profile.ini"));
        sysLog(&logger, SysLevel::Info, "E::x", "5", "stays open");
        QVERIFY(logger.hasOpenLogFile());
        sysLog(&logger, SysLevel::Error, "E::x", "5", "closes");
        QVERIFY(!logger.hasOpenLogFile());
        // Encoded lines form one continuous Base64 text.
        const QByteArray decoded = QByteArray::fromBase64(readAll(dir + "/logger.log"));
        QVERIFY(QRegularExpression("stays open {0,2}\n").match(QString::fromLatin1(decoded)).hasMatch());
        QVERIFY(decoded.contains("[E]closes"));
    }

    void deepTagWord()
    {
        const QString dir = enterFreshDir("deep");
        writeFile(dir + "/profile.ini", "[Sys_Debug]\nLogTag=DL\n");
        SysDebug logger;
        QVERIFY(logger.start(dir + "/", dir + "/profile.ini"));
        LogCapture capture;
        sysLog(&logger, SysLevel::Deep, "D::l", "1", "deep shown");
        QCOMPARE(capture.count("#)deep shown"), 1);
    }

    void disabledLevelAndLongMessages()
    {
        const QString dir = enterFreshDir("long-msg");
        writeFile(dir + "/profile.ini", "[Sys_Debug]\nMsgWarning=false\nFieldTime=false\nFieldThread=false\n"
                                        "FieldClassFun=false\n");
        SysDebug logger;
        QVERIFY(logger.start(dir + "/", dir + "/profile.ini"));
        LogCapture capture;
        sysLog(&logger, SysLevel::Warning, "W::w", "1", "hidden");
        QCOMPARE(capture.count("hidden"), 0);
        const QByteArray big(3000, 'x');
        sysLog(&logger, SysLevel::Info, "W::w", "1", "%s", big.constData());
        const QStringList lines = capture.matching("xxx");
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines.first(), QString(2047, 'x'));
    }

    void decodingModeWritesPlainCopy()
    {
        const QString dir = enterFreshDir("decode");
        const std::string encoded = SysDebug::encodeText("line one") + SysDebug::encodeText("line two");
        writeFile(dir + "/logger.log", QByteArray::fromStdString(encoded));
        writeFile(dir + "/profile.ini", "[Sys_Debug]\nDecryptionEnable=true\n");
        SysDebug logger;
        QVERIFY(!logger.start(dir + "/", dir + "/profile.ini"));
        QVERIFY(!logger.isRunning());
        QCOMPARE(readAll(dir + "/loggerDecrypt.log"), QByteArray("line one\nline two\n"));
    }
};

QTEST_GUILESS_MAIN(TestSysDebug)
#include "tst_SysDebug.moc"
