#include "comm/CRawDataHandle.h"
#include "tests/comm/SplitReference.h"
#include "tests/support/LogCapture.h"

#include <QtTest>

#include <malloc.h>

#include <random>

using COMM::CRawDataHandle;

namespace {
QByteArray bytes(const char *text, int size = -1)
{
    return QByteArray(text, size < 0 ? int(std::strlen(text)) : size);
}

std::deque<std::string> takeAllSentences(CRawDataHandle &h)
{
    std::deque<std::string> out;
    std::string s;
    while (h.getSentence(s))
        out.push_back(s);
    return out;
}

QList<QByteArray> takeAllMessages(CRawDataHandle &h)
{
    QList<QByteArray> out;
    QByteArray m;
    while (h.takeMsg(m))
        out.append(m);
    return out;
}

// Allocated bytes, large blocks (mapped on their own) included.
long long heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
}

char waitText(const char *text, char (&buf)[128])
{
    std::memset(buf, 0, sizeof buf);
    std::strncpy(buf, text, sizeof buf - 1);
    return buf[0];
}
}  // namespace

class TestRawDataHandle : public QObject {
    Q_OBJECT
private slots:
    void crLfThenLoneCrThenLoneLf()
    {
        CRawDataHandle h;
        h.appendToSentQ(bytes("$A,1\r\n$B,2\r"));
        auto s = takeAllSentences(h);
        QCOMPARE(s.size(), size_t(2));
        QCOMPARE(s[0], std::string("$A,1\r\n"));
        QCOMPARE(s[1], std::string("$B,2\r"));
        QCOMPARE(h.residualText(), std::string());
        h.appendToSentQ(bytes("\n"));
        s = takeAllSentences(h);
        QCOMPARE(s.size(), size_t(1));
        QCOMPARE(s[0], std::string("\n"));
    }

    void unterminatedTextWaitsForItsLineEnd()
    {
        CRawDataHandle h;
        h.appendToSentQ(bytes("$AIVER,AIS-B"));
        QCOMPARE(h.sentCount(), size_t(0));
        QCOMPARE(h.residualText(), std::string("$AIVER,AIS-B"));
        h.appendToSentQ(bytes("-470*00\r\n"));
        const auto s = takeAllSentences(h);
        QCOMPARE(s.size(), size_t(1));
        QCOMPARE(s[0], std::string("$AIVER,AIS-B-470*00\r\n"));
        QCOMPARE(h.residualText(), std::string());
    }

    void crLfAnywhereWinsOverEarlierLoneLf()
    {
        CRawDataHandle h;
        auto pieces = h.splitLines("A\nB\r\n");
        QCOMPARE(pieces.size(), size_t(1));
        QCOMPARE(pieces[0], std::string("A\nB\r\n"));

        pieces = h.splitLines("A\nB\n");
        QCOMPARE(pieces.size(), size_t(2));
        QCOMPARE(pieces[0], std::string("A\n"));
        QCOMPARE(pieces[1], std::string("B\n"));

        // A lone CR counts only when no LF is left either.
        pieces = h.splitLines("A\rB\nC");
        QCOMPARE(pieces.size(), size_t(1));
        QCOMPARE(pieces[0], std::string("A\rB\n"));
        QCOMPARE(h.residualText(), std::string("C"));
    }

    void crLfSplitAcrossChunks()
    {
        CRawDataHandle h;
        // The CR ends a piece at once (no LF or CR LF is left), so the LF of
        // the next chunk is a piece of its own.
        auto pieces = h.splitLines("X\r");
        QCOMPARE(pieces.size(), size_t(1));
        QCOMPARE(pieces[0], std::string("X\r"));
        pieces = h.splitLines("\nY\r\n");
        QCOMPARE(pieces.size(), size_t(1));
        QCOMPARE(pieces[0], std::string("\nY\r\n"));
    }

    void nulEndsTheSearchAndDropsTheRest()
    {
        CRawDataHandle h;
        h.appendToSentQ(bytes("AB\0CD\r\n", 7));
        QCOMPARE(h.sentCount(), size_t(0));
        QCOMPARE(h.residualText(), std::string("AB"));
        h.appendToSentQ(bytes("\r\n"));
        auto s = takeAllSentences(h);
        QCOMPARE(s.size(), size_t(1));
        QCOMPARE(s[0], std::string("AB\r\n"));

        // Pieces before the NUL survive, everything after it goes.
        h.appendToSentQ(bytes("L1\r\n\0L2\r\n", 9));
        s = takeAllSentences(h);
        QCOMPARE(s.size(), size_t(1));
        QCOMPARE(s[0], std::string("L1\r\n"));
        QCOMPARE(h.residualText(), std::string());
    }

    void linearCutMatchesDirectSearch()
    {
        // Random streams over a small alphabet rich in terminators and NULs,
        // fed in random chunk sizes: every piece and the carried text must be
        // identical to the direct strstr search. Every fourth stream runs
        // with a small bound on the carried text.
        std::mt19937 rng(20261207);
        const char alphabet[] = {'a', 'b', '$', ',', '\r', '\n', '\r', '\n', '\0'};
        int runsDropped = 0;
        for (int round = 0; round < 400; ++round) {
            CRawDataHandle h;
            CRawDataHandle queued;  // the same stream through the sentence queue
            SplitReference ref;
            if (round % 4 == 1) {
                ref.residualMax = 1 + rng() % 8;
                h.setResidualMax(ref.residualMax);
                queued.setResidualMax(ref.residualMax);
            }
            const int chunks = 1 + int(rng() % 12);
            for (int c = 0; c < chunks; ++c) {
                std::string chunk(rng() % 40, 'x');
                for (char &ch : chunk)
                    ch = alphabet[rng() % sizeof alphabet];
                if (round % 3 == 0)  // many streams without NUL
                    for (char &ch : chunk)
                        if (ch == '\0')
                            ch = 'z';
                const auto expected = ref.split(chunk);
                const auto got = h.splitLines(chunk);
                QCOMPARE(got, expected);
                QCOMPARE(h.residualText(), ref.residual);
                // The channel's combined step must cut exactly the same.
                if (round % 2 == 0)
                    queued.appendToSentQ(QByteArray::fromStdString(chunk));
                else
                    queued.appendToRawAndSentQ(QByteArray::fromStdString(chunk));
                QCOMPARE(takeAllSentences(queued), expected);
                QCOMPARE(queued.residualText(), ref.residual);
            }
            runsDropped += ref.runsDropped;
        }
        QVERIFY(runsDropped > 20);
    }

    void unterminatedFloodIsBoundedAndDroppedOnce()
    {
        LogCapture capture;
        CRawDataHandle h;
        const QByteArray block(64 * 1024, 'x');
        const long long heapBefore = heapInUse();
        for (int i = 0; i < 800; ++i)
            h.appendToSentQ(block);
        const long long held = heapInUse() - heapBefore;
        qInfo("heap held after 800 x 64 KiB without a line end: %lld bytes", held);
        QVERIFY2(held < 1024 * 1024, qPrintable(QString::number(held)));
        QCOMPARE(h.residualText(), std::string());
        QCOMPARE(capture.count("Text without line end longer than 65536 bytes is dropped"), 1);
        QVERIFY(capture.matching("Text without line end").first().contains("[W]"));

        // The dropped run ends at its line end; the next line is whole again.
        h.appendToSentQ(bytes("end of it\r\n$A,1\r\n"));
        QCOMPARE(takeAllSentences(h), std::deque<std::string>{"$A,1\r\n"});
        // A run of exactly the bound is still one line.
        h.appendToSentQ(block);
        h.appendToSentQ(bytes("\n"));
        QCOMPARE(takeAllSentences(h), std::deque<std::string>{block.toStdString() + "\n"});
        QCOMPARE(capture.count("Text without line end"), 1);
    }

    void messagePathNormalisesLineEnds()
    {
        CRawDataHandle h;
        h.appendToMsgQ(bytes("one\ntwo\r"), true);
        h.appendToMsgQ(bytes("\r\nthree"), true);
        const auto m = takeAllMessages(h);
        // "\r\n" alone is an empty line and is dropped.
        QCOMPARE(m, (QList<QByteArray>{"one\r\n", "two\r\n"}));
        QCOMPARE(h.residualText(), std::string("three"));

        h.appendToMsgQ(bytes("raw\nchunk"), false);
        QCOMPARE(takeAllMessages(h), (QList<QByteArray>{"raw\nchunk"}));

        std::string t = "x";
        CRawDataHandle::normalizeLineEnd(t);
        QCOMPARE(t, std::string("x\r\n"));
        t = "a\r\nb\n";  // holds CR LF already: unchanged
        CRawDataHandle::normalizeLineEnd(t);
        QCOMPARE(t, std::string("a\r\nb\n"));
    }

    void sentenceQueueOverflowDropsAllThenStores()
    {
        LogCapture capture;
        CRawDataHandle h;
        QByteArray thousand;
        for (int i = 0; i < 1000; ++i)
            thousand += "$L," + QByteArray::number(i) + "\r\n";
        h.appendToSentQ(thousand);
        QCOMPARE(h.sentCount(), size_t(1000));
        QCOMPARE(capture.count("many sentence dosn't process in queue"), 0);
        h.appendToSentQ(bytes("$N,1\r\n$N,2\r\n"));
        QCOMPARE(capture.count("many sentence dosn't process in queue"), 1);
        QVERIFY(capture.contains("COMM::CRawDataHandle::appendToSentQ"));
        QVERIFY(capture.matching("many sentence").first().contains("[W]"));
        const auto s = takeAllSentences(h);
        QCOMPARE(s.size(), size_t(2));
        QCOMPARE(s[0], std::string("$N,1\r\n"));
    }

    void otherQueuesOverflowAtTheirBounds()
    {
        LogCapture capture;
        CRawDataHandle h;
        for (int i = 0; i < 100; ++i)
            h.appendToCmdQ(QByteArray::number(i));
        QCOMPARE(h.cmdCount(), size_t(100));
        QCOMPARE(capture.count("many command datas dosn't process in queue"), 0);
        h.appendToCmdQ("next");
        QCOMPARE(h.cmdCount(), size_t(1));
        QCOMPARE(capture.count("many command datas dosn't process in queue"), 1);

        for (int i = 0; i < 1000; ++i)
            h.appendToBinQ(QByteArray::number(i));
        QCOMPARE(capture.count("many binaray datas dosn't process in queue"), 0);
        h.appendToBinQ("x");
        QCOMPARE(h.binCount(), size_t(1));
        QCOMPARE(capture.count("many binaray datas dosn't process in queue"), 1);

        for (int i = 0; i < 1000; ++i)
            h.appendToMsgQ(QByteArray::number(i), false);
        h.appendToMsgQ("x", false);
        QCOMPARE(h.msgCount(), size_t(1));
        QCOMPARE(capture.count("many messages dosn't process in queue"), 1);
        QVERIFY(capture.contains("COMM::CRawDataHandle::appendToMsgQ"));

        // The raw queue has no consumer; it is bounded without a warning.
        for (int i = 0; i < 1001; ++i)
            h.appendToRawQ("r");
        QCOMPARE(h.rawCount(), size_t(1));
        // ... and by bytes: sixteen 64 KiB chunks fill it, the next one starts it anew.
        h.clearRawQ();
        const QByteArray big(64 * 1024, 'b');
        for (int i = 0; i < 16; ++i)
            h.appendToRawQ(big);
        QCOMPARE(h.rawCount(), size_t(16));
        h.appendToRawQ(big);
        QCOMPARE(h.rawCount(), size_t(1));
        // A taken chunk gives its bytes back: the full queue, less one, takes one more.
        for (int i = 0; i < 15; ++i)
            h.appendToRawQ(big);
        QByteArray taken;
        QVERIFY(h.takeRaw(taken));
        QCOMPARE(taken.size(), big.size());
        h.appendToRawQ(big);
        QCOMPARE(h.rawCount(), size_t(16));
    }

    void waitEndsOnContainedTextOnly()
    {
        CRawDataHandle h;
        char text[128];
        waitText("AIVER", text);
        h.setWait(2000, text);
        QVERIFY(h.isWaiting());
        h.appendToSentQ(bytes("$AIALR,1\r\n"));
        QVERIFY(h.isWaiting());
        h.appendToSentQ(bytes("$AIVER,AIS-B-470\r\n"));  // text is only part of the line
        QVERIFY(!h.isWaiting());
        const auto w = h.waitState();
        QCOMPARE(w.start, int64_t(0));
        QCOMPARE(w.timeout, 0);
        QCOMPARE(w.text[0], '\0');

        // An unterminated line does not end the wait; its line end does.
        h.setWait(2000, text);
        h.appendToSentQ(bytes("$AIVER"));
        QVERIFY(h.isWaiting());
        h.appendToSentQ(bytes("\r\n"));
        QVERIFY(!h.isWaiting());

        // An empty wait text is contained in every line.
        waitText("", text);
        h.setWait(500, text);
        h.appendToSentQ(bytes("x\n"));
        QVERIFY(!h.isWaiting());

        h.setWait(500, text);
        h.clearWait();
        QVERIFY(!h.isWaiting());
    }

    void getSentenceOnEmptyQueueLeavesOutUntouched()
    {
        CRawDataHandle h;
        std::string out = "keep";
        QVERIFY(!h.getSentence(out));
        QCOMPARE(out, std::string("keep"));
    }

    void clearAllEmptiesQueuesAndCarriedText()
    {
        CRawDataHandle h;
        h.appendToSentQ(bytes("a\r\npartial"));
        h.appendToBinQ("b");
        h.appendToCmdQ("c");
        h.appendToRawQ("r");
        h.clearAll();
        QCOMPARE(h.sentCount() + h.binCount() + h.cmdCount() + h.rawCount(), size_t(0));
        QCOMPARE(h.residualText(), std::string());
    }

    void concurrentProducerAndConsumerLoseNothing()
    {
        CRawDataHandle h;
        constexpr int kLines = 900;  // below the bound: nothing may be dropped
        QThread *producer = QThread::create([&h] {
            for (int i = 0; i < kLines; ++i)
                h.appendToSentQ("$P," + QByteArray::number(i) + "\r\n");
        });
        producer->start();
        int taken = 0;
        std::string s;
        QElapsedTimer t;
        t.start();
        while (taken < kLines && t.elapsed() < 10000) {
            if (h.getSentence(s)) {
                QCOMPARE(s, "$P," + std::to_string(taken) + "\r\n");
                ++taken;
            }
        }
        producer->wait();
        delete producer;
        QCOMPARE(taken, kLines);
    }
};

QTEST_GUILESS_MAIN(TestRawDataHandle)
#include "tst_CRawDataHandle.moc"
