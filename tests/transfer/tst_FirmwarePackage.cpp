#include "transfer/FirmwareCsv.h"
#include "transfer/FwVersion.h"
#include "tests/support/TestDirs.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <cstring>

namespace {
std::string writeCsv(const QString &dir, const QByteArray &content)
{
    const QString path = QDir(dir).filePath("Firmware.csv");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    f.write(content);
    return path.toStdString();
}

using Tokens = std::vector<std::string>;
}  // namespace

class TestFirmwarePackage : public QObject {
    Q_OBJECT
private slots:
    void csvTokens_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("header word then version")
            << QByteArray("Version,V1.2.9.01-B\n") << QStringList{"Version", "V1.2.9.01-B"};
        QTest::newRow("no V token") << QByteArray("name,1.2.9,build\nx,y\n") << QStringList{};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        // A line break does not end a token: "B\nVx" is one token not starting with V.
        QTest::newRow("line break inside a token")
            << QByteArray("V1.0.0.1-A\nmodel,V1.2.0.1-C") << QStringList{"V1.0.0.1-A\nmodel", "V1.2.0.1-C"};
        QTest::newRow("only one line feed removed")
            << QByteArray("V1.2.9.01-B\n\n") << QStringList{"V1.2.9.01-B\n"};
        QTest::newRow("lower-case v ignored") << QByteArray("v1.2.3.4-A,") << QStringList{};
        QTest::newRow("empty tokens") << QByteArray(",,V1.2.3.4-A,,") << QStringList{"V1.2.3.4-A"};
        QTest::newRow("windows line ends")
            << QByteArray("Version,V1.2.9.01-B\r\n") << QStringList{"Version", "V1.2.9.01-B"};
        QTest::newRow("lone carriage return kept")
            << QByteArray("V1.2.9.01-B\r") << QStringList{"V1.2.9.01-B\r"};
    }
    void csvTokens()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, expected);
        const std::string path = writeCsv(TestDirs::fresh("csv"), content);
        QVERIFY(!path.empty());
        Tokens tokens{"stale"};
        tokens.clear();
        QVERIFY(FirmwareCsv::readVersionTokens(path, tokens));
        QStringList got;
        for (const std::string &t : tokens)
            got << QString::fromStdString(t);
        QCOMPARE(got, expected);
    }

    void csvMissingFile()
    {
        Tokens tokens;
        const QString dir = TestDirs::fresh("csv-missing");
        QVERIFY(!FirmwareCsv::readVersionTokens(QDir(dir).filePath("Firmware.csv").toStdString(), tokens));
        QVERIFY(tokens.empty());
    }

    void parseFields()
    {
        const FwVersion v = parseVersion("V1.2.9.01-B");
        QCOMPARE(int(v.major), 1);
        QCOMPARE(int(v.minor), 2);
        QCOMPARE(int(v.patch), 9);
        QCOMPARE(int(v.build), 1);
        QCOMPARE(QByteArray(v.suffix), QByteArray("B"));

        // The floor has no suffix; everything after the numbers stays zero.
        const FwVersion floor = parseVersion(CompatFloorVersion);
        const unsigned char expected[32] = {1, 2, 8, 7};
        QCOMPARE(std::memcmp(&floor, expected, 32), 0);

        // Suffix ends at white space.
        QCOMPARE(QByteArray(parseVersion("V1.2.3.4-AB CD").suffix), QByteArray("AB"));
    }

    void parseForeignTextIsZero_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("no V") << QByteArray("1.2.3.4-A");
        QTest::newRow("words") << QByteArray("Version");
    }
    void parseForeignTextIsZero()
    {
        QFETCH(QByteArray, text);
        const FwVersion v = parseVersion(text.constData());
        const unsigned char zero[32] = {};
        QCOMPARE(std::memcmp(&v, zero, 32), 0);
        const FwVersion fromNull = parseVersion(nullptr);
        QCOMPARE(std::memcmp(&fromNull, zero, 32), 0);
    }

    void parsePartialMatchKeepsWhatWasRead()
    {
        const FwVersion v = parseVersion("V3.4.x");
        QCOMPARE(int(v.major), 3);
        QCOMPARE(int(v.minor), 4);
        QCOMPARE(int(v.patch), 0);
        QCOMPARE(v.suffix[0], '\0');
    }

    void parseLongSuffixIsCut()
    {
        const QByteArray suffix(40, 'S');
        const FwVersion v = parseVersion(("V1.2.3.4-" + suffix).constData());
        QCOMPARE(QByteArray(v.suffix), QByteArray(27, 'S'));
        QCOMPARE(v.suffix[27], '\0');
    }

    void parseHugeNumbersKeepLowBits()
    {
        // 4294967553 = 2^32 + 257 -> low 8 bits 1; must not overflow or crash.
        const FwVersion v = parseVersion("V4294967553.256.511.99999999999999999999-A");
        QCOMPARE(int(v.major), 1);
        QCOMPARE(int(v.minor), 0);
        QCOMPARE(int(v.patch), 255);
        QCOMPARE(int(v.build), 255);  // (10^20 - 1) mod 256
    }

    void ordering_data()
    {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<bool>("aNewer");
        QTest::addColumn<bool>("bNewer");
        QTest::newRow("numbers as numbers") << QByteArray("V1.2.10.1-A") << QByteArray("V1.2.9.1-A") << true << false;
        QTest::newRow("suffix as text") << QByteArray("V1.2.9.1-B") << QByteArray("V1.2.9.1-A") << true << false;
        QTest::newRow("low 8 bits") << QByteArray("V1.2.256.1-A") << QByteArray("V1.2.0.1-A") << false << false;
        QTest::newRow("equal") << QByteArray("V1.3.0.01-A") << QByteArray("V1.3.0.1-A") << false << false;
        QTest::newRow("major wins over suffix") << QByteArray("V2.0.0.0-A") << QByteArray("V1.9.9.9-Z") << true << false;
        QTest::newRow("floor itself") << QByteArray("V1.2.8.07") << QByteArray(CompatFloorVersion) << false << false;
        QTest::newRow("suffix above floor") << QByteArray("V1.2.8.07-A") << QByteArray(CompatFloorVersion) << true << false;
        QTest::newRow("downgrade above floor") << QByteArray("V1.2.9.01-A") << QByteArray(CompatFloorVersion) << true << false;
        QTest::newRow("device newer than package") << QByteArray("V1.3.0.01-A") << QByteArray("V1.2.9.01-A") << true << false;
        QTest::newRow("unreadable package") << QByteArray("V1.3.0.01-A") << QByteArray("") << true << false;
        QTest::newRow("bytes above 127") << QByteArray("V200.0.0.0-A") << QByteArray("V100.0.0.0-A") << true << false;
        QTest::newRow("suffix byte above 127")
            << QByteArray("V1.0.0.0-\xc3\xa9") << QByteArray("V1.0.0.0-z") << true << false;
    }
    void ordering()
    {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(bool, aNewer);
        QFETCH(bool, bNewer);
        const FwVersion va = parseVersion(a.constData());
        const FwVersion vb = parseVersion(b.constData());
        QCOMPARE(isVersionNewer(va, vb), aNewer);
        QCOMPARE(isVersionNewer(vb, va), bNewer);
    }

    // What the confirmation after the power cycle compares: the version the
    // device reports against the package's.
    void sameReportedVersion_data()
    {
        QTest::addColumn<QByteArray>("reported");
        QTest::addColumn<QByteArray>("package");
        QTest::addColumn<bool>("same");
        const QByteArray longVersion = "V1.3.0.01-" + QByteArray(30, 'L');  // 40 characters
        QTest::newRow("same text") << QByteArray("V1.3.0.01-A") << QByteArray("V1.3.0.01-A") << true;
        QTest::newRow("package longer than the device reports") << longVersion.left(31) << longVersion << true;
        QTest::newRow("both unparseable") << QByteArray("UNKNOWN") << QByteArray("Version") << false;
        QTest::newRow("same unparseable text") << QByteArray("UNKNOWN") << QByteArray("UNKNOWN") << false;
        QTest::newRow("257 is not 1") << QByteArray("V1.3.0.257-A") << QByteArray("V1.3.0.1-A") << false;
        QTest::newRow("leading zeros") << QByteArray("V1.3.0.01-A") << QByteArray("V01.3.00.1-A") << true;
        QTest::newRow("suffix case") << QByteArray("V1.3.0.1-a") << QByteArray("V1.3.0.1-A") << false;
        QTest::newRow("missing suffix") << QByteArray("V1.3.0.1") << QByteArray("V1.3.0.1-A") << false;
        QTest::newRow("neither has a suffix") << QByteArray("V1.2.8.07") << QByteArray("V1.2.8.7") << true;
        QTest::newRow("line end after the package's") << QByteArray("V1.3.0.1-A") << QByteArray("V1.3.0.1-A\r") << true;
        QTest::newRow("numbers missing") << QByteArray("V1.3.0-A") << QByteArray("V1.3.0-A") << false;
    }
    void sameReportedVersion()
    {
        QFETCH(QByteArray, reported);
        QFETCH(QByteArray, package);
        QFETCH(bool, same);
        QCOMPARE(isSameReportedVersion(reported.toStdString(), package.toStdString()), same);
        QCOMPARE(isSameReportedVersion(package.toStdString(), reported.toStdString()), same);
    }
};

QTEST_GUILESS_MAIN(TestFirmwarePackage)
#include "tst_FirmwarePackage.moc"
