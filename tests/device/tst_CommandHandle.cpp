#include "device/CCommandHandle.h"
#include "device/SentenceParsing.h"
#include "tests/support/LogCapture.h"

#include <QtTest>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace {
// Builds "$<body>*HH" with a correct upper-case checksum.
std::string withSum(const std::string &body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    char tail[4];
    std::snprintf(tail, sizeof(tail), "*%02X", sum);
    return "$" + body + tail;
}

const std::string kSample = "$AIVER,1,1,AI,X,Y,7,Z,AIS-B-470,V1.3.0.01-A,1*11\r\n";

std::string answer(const std::string &machine, const std::string &version = "V1.3.0.01-A")
{
    return withSum("AIVER,1,1,AI,X,Y,7,Z," + machine + "," + version + ",1") + "\r\n";
}
}  // namespace

class TestCommandHandle : public QObject {
    Q_OBJECT
private slots:
    void commandTableCarriesValidSentences()
    {
        QCOMPARE(CCommandHandle::getCommand(0), std::string("$AIAIQ,VER*3C"));
        QCOMPARE(CCommandHandle::getCommand(1), std::string("$PDBG,107,1,,,,,,*16"));
        QCOMPARE(CCommandHandle::getCommand(2), std::string("$PTST,,,,,16*28"));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(checkSentenceSum(CCommandHandle::getCommand(i).c_str()), 0);
        QCOMPARE(CCommandHandle::getCommand(3), std::string());
        QCOMPARE(CCommandHandle::getCommand(-1), std::string());
    }

    void checksumResultCodes()
    {
        QCOMPARE(checkSentenceSum("$AB"), 1);          // too short
        QCOMPARE(checkSentenceSum("$AIAIQ,VER*3D"), 1); // wrong value
        QCOMPARE(checkSentenceSum("$AIAIQ,VER*3c"), 1); // lower case
        QCOMPARE(checkSentenceSum("$AIAIQ,VER"), 9);    // no "*"
        // A "*" without two characters after it is not a checksum start.
        QCOMPARE(checkSentenceSum("$AIAIQ,VER*3"), 9);
        QCOMPARE(checkSentenceSum("$AIAIQ,VER*3C\r\n"), 0);
        QCOMPARE(checkSentenceSum(nullptr), 1);
    }

    void nextFieldSplitsAndSkipsLeadingSpaces()
    {
        char text[] = "a,  b,,   ,c";
        QCOMPARE(QByteArray(nextField(text, ",")), QByteArray("a"));
        QCOMPARE(QByteArray(nextField(nullptr, ",")), QByteArray("b"));
        QCOMPARE(QByteArray(nextField(nullptr, ",")), QByteArray(""));
        QCOMPARE(QByteArray(nextField(nullptr, ",")), QByteArray("   "));
        // The remainder after the last delimiter is never a field.
        QVERIFY(nextField(nullptr, ",") == nullptr);
        QVERIFY(nextField(nullptr, ",") == nullptr);
    }

    void nextFieldPositionIsPerThread()
    {
        char mine[] = "1,2,3,";
        QCOMPARE(QByteArray(nextField(mine, ",")), QByteArray("1"));
        QByteArray other;
        std::thread worker([&other] {
            char theirs[] = "x,y,";
            nextField(theirs, ",");
            other = nextField(nullptr, ",");
        });
        worker.join();
        QCOMPARE(other, QByteArray("y"));
        QCOMPARE(QByteArray(nextField(nullptr, ",")), QByteArray("2"));
    }

    void sampleAnswerFillsEveryField()
    {
        LogCapture capture;
        CCommandHandle handle;
        handle.setTargetType("AIS-B-470");
        QVERIFY(handle.sentenceProcess(kSample));
        const VerInfo &v = handle.m_stVerInfo;
        QCOMPARE(QByteArray(v.szHeader), QByteArray("$AIVER"));
        QCOMPARE(v.iTotalNum, 1);
        QCOMPARE(v.iSentenceNum, 1);
        QCOMPARE(QByteArray(v.szDevType), QByteArray("AI"));
        QCOMPARE(QByteArray(v.szVendorId), QByteArray("X"));
        QCOMPARE(QByteArray(v.szUniqueId), QByteArray("Y"));
        QCOMPARE(v.iSerialNum, 7);
        QCOMPARE(QByteArray(v.szModelCode), QByteArray("Z"));
        QCOMPARE(QByteArray(v.szMachineType), QByteArray("AIS-B-470"));
        QCOMPARE(QByteArray(v.szFwVersion), QByteArray("V1.3.0.01-A"));
        QCOMPARE(QByteArray(v.szSeqMsgId), QByteArray("1"));
        QCOMPARE(v.iCheckSum, 11);
        QCOMPARE(handle.m_iStatus.load(), 1);

        QCOMPARE(capture.count("CCommandHandle::sentenceProcess"), 3);
        QVERIFY(capture.contains("Stat to parse AIVER data"));
        QVERIFY(capture.contains("Parse AIVER data finish"));
        QVERIFY(capture.contains("Target machine type is correct: AIS-B-470"));
    }

    void foreignAndDamagedSentencesAreIgnoredSilently()
    {
        LogCapture capture;
        CCommandHandle handle;
        handle.setTargetType("AIS-B-470");
        // A correct answer whose checksum holds a letter, then the same in lower case.
        std::string upper;
        for (int serial = 0; upper.empty() || !std::isalpha(static_cast<unsigned char>(upper[upper.size() - 3])); ++serial)
            upper = withSum("AIVER,1,1,AI,X,Y," + std::to_string(serial) + ",Z,AIS-B-470,V1.3.0.01-A,1") + "\r\n";
        std::string lowerCase = upper;
        lowerCase[lowerCase.size() - 3] = static_cast<char>(std::tolower(static_cast<unsigned char>(lowerCase[lowerCase.size() - 3])));
        QVERIFY(!handle.sentenceProcess(lowerCase));
        QVERIFY(!handle.sentenceProcess(withSum("GPGGA,1,2,3") + "\r\n"));
        QVERIFY(!handle.sentenceProcess("$AIVER,1,1,AI,X,Y,7,Z,AIS-B-470,V1.3.0.01-A,1*12\r\n"));
        QVERIFY(!handle.sentenceProcess("$AIVER,1,1,AI,X,Y,7,Z,AIS-B-470,V1.3.0.01-A,1\r\n"));
        QVERIFY(!handle.sentenceProcess(""));
        QCOMPARE(capture.count("CCommandHandle::sentenceProcess"), 0);
        QCOMPARE(handle.m_iStatus.load(), 0);
        QCOMPARE(handle.m_stVerInfo.szHeader[0], '\0');
        QVERIFY(handle.sentenceProcess(upper));
    }

    void lengthLimitIsTwoHundredCharacters()
    {
        CCommandHandle handle;
        handle.setTargetType("AIS-B-470");
        // Pad the sequence field so the whole line, CR LF included, is exactly n long.
        auto lineOfLength = [](std::size_t n) {
            std::string pad;
            std::string line;
            for (;;) {
                line = withSum("AIVER,1,1,AI,X,Y,7,Z,AIS-B-470,V1.3.0.01-A,1" + pad) + "\r\n";
                if (line.size() >= n)
                    return line;
                pad += ' ';
            }
        };
        const std::string l200 = lineOfLength(200);
        const std::string l201 = lineOfLength(201);
        QCOMPARE(l200.size(), std::size_t(200));
        QCOMPARE(l201.size(), std::size_t(201));
        QVERIFY(!handle.sentenceProcess(l201));
        QCOMPARE(handle.m_iStatus.load(), 0);
        QVERIFY(handle.sentenceProcess(l200));
        // The sequence field of 155 characters is cut to the record's 31.
        QCOMPARE(std::strlen(handle.m_stVerInfo.szSeqMsgId), std::size_t(31));
        QCOMPARE(handle.m_stVerInfo.szSeqMsgId[0], '1');
    }

    void headerIsComparedOnSixCharactersOnly()
    {
        CCommandHandle handle;
        handle.setTargetType("AIS-B-470");
        QVERIFY(handle.sentenceProcess(withSum("AIVERX,1,1,AI,X,Y,7,Z,AIS-B-470,V1.3.0.01-A,1") + "\r\n"));
        QCOMPARE(QByteArray(handle.m_stVerInfo.szHeader), QByteArray("$AIVERX"));
        QVERIFY(!handle.sentenceProcess(withSum("AIVE,1,1,AI,X,Y,7,Z,AIS-B-470,V1.3.0.01-A,1") + "\r\n"));
    }

    void spacesInFields()
    {
        CCommandHandle handle;
        handle.setTargetType("AIS-B-470");
        QVERIFY(handle.sentenceProcess(withSum("AIVER,   ,1,  ,X,Y,7,Z,   AIS-B-470,V1.3.0.01-A,1") + "\r\n"));
        QCOMPARE(handle.m_stVerInfo.iTotalNum, 0);
        QCOMPARE(handle.m_stVerInfo.iSentenceNum, 1);
        QCOMPARE(handle.m_stVerInfo.szDevType[0], '\0');
        QCOMPARE(QByteArray(handle.m_stVerInfo.szMachineType), QByteArray("AIS-B-470"));

        // A trailing space makes the machine type differ.
        QVERIFY(!handle.sentenceProcess(answer("AIS-B-470 ")));
    }

    void missingTerminatorsLeaveLaterFieldsEmpty()
    {
        CCommandHandle handle;
        handle.setTargetType("AIS-B-470");
        // No CR: the checksum field is not read.
        QVERIFY(handle.sentenceProcess(withSum("AIVER,1,1,AI,X,Y,7,Z,AIS-B-470,V1.3.0.01-A,1")));
        QCOMPARE(handle.m_stVerInfo.iCheckSum, 0);
        QCOMPARE(QByteArray(handle.m_stVerInfo.szSeqMsgId), QByteArray("1"));

        // Too few fields: the machine type never arrives.
        QVERIFY(!handle.sentenceProcess(withSum("AIVER,1,1,AI") + "\r\n"));
        QCOMPARE(QByteArray(handle.m_stVerInfo.szDevType), QByteArray());
        QCOMPARE(handle.m_stVerInfo.iSentenceNum, 1);
        QCOMPARE(handle.m_stVerInfo.szMachineType[0], '\0');
    }

    void numbersOutOfRangeAreMinusOne()
    {
        CCommandHandle handle;
        handle.setTargetType("AIS-B-470");
        QVERIFY(handle.sentenceProcess(withSum("AIVER,99999999999,12abc,AI,X,Y,-3,Z,AIS-B-470,V1,1") + "\r\n"));
        QCOMPARE(handle.m_stVerInfo.iTotalNum, -1);
        QCOMPARE(handle.m_stVerInfo.iSentenceNum, 12);
        QCOMPARE(handle.m_stVerInfo.iSerialNum, -3);
    }

    void wrongModelLaterKeepsStatusBit()
    {
        LogCapture capture;
        CCommandHandle handle;
        handle.setTargetType("AIS-B-470");
        QVERIFY(handle.sentenceProcess(answer("AIS-B-470")));
        QVERIFY(!handle.sentenceProcess(answer("AIS-A-100", "V9.9.9.99-Z")));
        QVERIFY(capture.contains("Target machine type is not correct: AIS-A-100"));
        QCOMPARE(QByteArray(handle.m_stVerInfo.szMachineType), QByteArray("AIS-A-100"));
        QCOMPARE(QByteArray(handle.m_stVerInfo.szFwVersion), QByteArray("V9.9.9.99-Z"));
        QCOMPARE(handle.m_iStatus.load(), 1);

        handle.reset();
        QCOMPARE(handle.m_iStatus.load(), 0);
        QCOMPARE(handle.m_stVerInfo.szMachineType[0], '\0');
        QCOMPARE(handle.strTargetType, std::string("AIS-B-470"));
    }

    void emptyTargetMatchesNothingButEmpty()
    {
        CCommandHandle handle;
        QVERIFY(!handle.sentenceProcess(kSample));
        QCOMPARE(handle.m_iStatus.load(), 0);
    }
};

QTEST_GUILESS_MAIN(TestCommandHandle)
#include "tst_CommandHandle.moc"
