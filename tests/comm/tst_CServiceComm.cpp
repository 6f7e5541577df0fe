// Transmit pacing and the receive path, measured on a real UDP client channel
// talking to a socket on loopback. Timing bounds are generous: these check
// behaviour, not speed.
#include "comm/CNetworkUdp.h"
#include "tests/support/LogCapture.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThread>
#include <QUdpSocket>
#include <QtTest>

#include <cstring>
#include <memory>

using COMM::CNetworkUdp;

namespace {
TxFrame frame(const char *text, int gapMs = 100)
{
    TxFrame f;
    const int n = int(std::strlen(text));
    std::memcpy(f.data, text, size_t(n));
    f.length = n;
    f.gapMs = gapMs;
    return f;
}

// The far end: records what arrives and when, and can answer.
class Peer : public QObject {
public:
    Peer()
    {
        m_oSocket.bind(QHostAddress(QHostAddress::LocalHost), 0);
        connect(&m_oSocket, &QUdpSocket::readyRead, this, [this] {
            while (m_oSocket.hasPendingDatagrams()) {
                QByteArray d(int(m_oSocket.pendingDatagramSize()), '\0');
                m_oSocket.readDatagram(d.data(), d.size(), &m_oFrom, &m_uFromPort);
                data.append(d);
                at.append(clock.elapsed());
            }
        });
        clock.start();
    }
    quint16 port() const { return m_oSocket.localPort(); }
    void answer(const QByteArray &d) { m_oSocket.writeDatagram(d, m_oFrom, m_uFromPort); }

    QList<QByteArray> data;
    QList<qint64> at;
    QElapsedTimer clock;

private:
    QUdpSocket m_oSocket;
    QHostAddress m_oFrom;
    quint16 m_uFromPort = 0;
};

std::unique_ptr<CNetworkUdp> channelTo(const Peer &peer, int kind = 4)
{
    auto ch = std::make_unique<CNetworkUdp>(makeDevInfo(2, L"peer", 2, true),
                                            makeNetworkParam(3, "127.0.0.1", peer.port()), kind, 1);
    ch->setEnabled(true);
    return ch;
}
}  // namespace

class TestServiceComm : public QObject {
    Q_OBJECT
private slots:
    void noRepeatDropsTheIdenticalFrame()
    {
        Peer peer;
        auto ch = channelTo(peer);
        TxFrame a = frame("$AIAIQ,VER*3C\r\n");
        a.noRepeat = true;
        ch->pushTxFrame(a, true);
        ch->pushTxFrame(a, true);
        QTRY_COMPARE_WITH_TIMEOUT(peer.data.size(), 1, 2000);
        QTest::qWait(400);
        QCOMPARE(peer.data.size(), 1);
        QCOMPARE(ch->txCount(), size_t(0));

        // Without the flag both go, about one tick apart.
        a.noRepeat = false;
        ch->pushTxFrame(a, true);
        ch->pushTxFrame(a, true);
        QTRY_COMPARE_WITH_TIMEOUT(peer.data.size(), 3, 2000);
        QVERIFY2(peer.at[2] - peer.at[1] >= 80, qPrintable(QString::number(peer.at[2] - peer.at[1])));
    }

    void emptyNoRepeatFrameIsDroppedUnsent()
    {
        LogCapture capture;
        Peer peer;
        auto ch = channelTo(peer);
        ch->setDebug(false, 2);
        TxFrame empty = frame("");
        empty.noRepeat = true;
        ch->pushTxFrame(empty, true);
        ch->pushTxFrame(frame("X"), true);
        QTRY_COMPARE_WITH_TIMEOUT(peer.data.size(), 1, 2000);
        QCOMPARE(peer.data.first(), QByteArray("X"));
        QCOMPARE(capture.count("failed to send"), 0);
        QCOMPARE(capture.count("COMM::CServiceComm::printMsg"), 1);
        QVERIFY(capture.contains("send 58 "));
    }

    void gapHoldsTheNextFrameEvenAfterAFailedSend()
    {
        LogCapture capture;
        Peer peer;
        auto ch = channelTo(peer);
        ch->setDebug(false, 2);
        QElapsedTimer t;
        t.start();
        ch->pushTxFrame(frame(""), true);  // a UDP client refuses an empty frame
        ch->pushTxFrame(frame("late", 500), true);
        QTRY_COMPARE_WITH_TIMEOUT(peer.data.size(), 1, 3000);
        const qint64 after = t.elapsed();
        QVERIFY(capture.contains("failed to send"));
        QVERIFY2(after >= 490, qPrintable(QString::number(after)));
        QVERIFY2(after < 1500, qPrintable(QString::number(after)));

        // And between two real sends.
        ch->pushTxFrame(frame("a"), true);
        ch->pushTxFrame(frame("b", 500), true);
        QTRY_COMPARE_WITH_TIMEOUT(peer.data.size(), 3, 3000);
        QVERIFY2(peer.at[2] - peer.at[1] >= 480, qPrintable(QString::number(peer.at[2] - peer.at[1])));
    }

    void replyWaitEndsOnTheAnswer()
    {
        Peer peer;
        auto ch = channelTo(peer);
        TxFrame ask = frame("$AIAIQ,VER*3C\r\n");
        ask.waitMs = 2000;
        std::strcpy(ask.waitText, "$AIVER");
        ch->pushTxFrame(ask, true);
        ch->pushTxFrame(frame("next"), true);
        QTRY_COMPARE_WITH_TIMEOUT(peer.data.size(), 1, 2000);
        QTest::qWait(300);
        QCOMPARE(peer.data.size(), 1);  // still held back by the wait
        peer.answer("$AIVER,AIS-B-470,V1*00\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(peer.data.size(), 2, 2000);
        const qint64 held = peer.at[1] - peer.at[0];
        QVERIFY2(held >= 280 && held < 1500, qPrintable(QString::number(held)));
        std::string s;
        QVERIFY(ch->rawHandle()->getSentence(s));
        QCOMPARE(s, std::string("$AIVER,AIS-B-470,V1*00\r\n"));
    }

    void replyWaitTimesOut()
    {
        Peer peer;
        auto ch = channelTo(peer);
        TxFrame ask = frame("ask");
        ask.waitMs = 2000;
        std::strcpy(ask.waitText, "never");
        ch->pushTxFrame(ask, true);
        ch->pushTxFrame(frame("next"), true);
        QTRY_COMPARE_WITH_TIMEOUT(peer.data.size(), 2, 5000);
        const qint64 held = peer.at[1] - peer.at[0];
        QVERIFY2(held >= 1990 && held < 3000, qPrintable(QString::number(held)));
    }

    void frontInsertionGoesFirst()
    {
        Peer peer;
        auto ch = channelTo(peer);
        ch->pushTxFrame(frame("A"), true);
        ch->pushTxFrame(frame("B"), true);
        ch->pushTxFrame(frame("C"), false);
        QTRY_COMPARE_WITH_TIMEOUT(peer.data.size(), 3, 3000);
        QCOMPARE(peer.data, (QList<QByteArray>{"C", "A", "B"}));
    }

    void disabledChannelDropsButStillAnnouncesText()
    {
        Peer peer;
        auto ch = channelTo(peer);
        ch->setEnabled(false);
        ch->pushTxFrame(frame("ignored"), true);
        QCOMPARE(ch->txCount(), size_t(0));

        QSignalSpy sent(ch.get(), SIGNAL(signalRxSentence(void *, char)));
        ch->dataReceived("$A\r\n", false);
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.first().at(0).value<void *>(), static_cast<void *>(ch.get()));
        QCOMPARE(sent.first().at(1).value<char>(), char(2));
        QCOMPARE(ch->rawHandle()->sentCount(), size_t(0));

        ch->setDataKind(1);
        QSignalSpy msg(ch.get(), SIGNAL(signalRxMessage(void *, char)));
        ch->dataReceived("m\r\n", false);
        QCOMPARE(msg.count(), 1);
        QCOMPARE(ch->rawHandle()->msgCount(), size_t(0));

        ch->setDataKind(5);
        QSignalSpy bin(ch.get(), SIGNAL(signalRxBinData(void *)));
        ch->dataReceived("b", false);
        ch->setDataKind(6);
        QSignalSpy cmd(ch.get(), SIGNAL(signalRxCmdData(void *)));
        ch->dataReceived("c", false);
        QCOMPARE(bin.count() + cmd.count(), 0);

        ch->setEnabled(true);
        ch->dataReceived("c", false);
        QCOMPARE(cmd.count(), 1);
        QCOMPARE(ch->rawHandle()->cmdCount(), size_t(1));
        ch->dataReceived("c", true);  // noSignal
        QCOMPARE(cmd.count(), 1);
        QCOMPARE(ch->rawHandle()->cmdCount(), size_t(2));
    }

    void receivedChunkDump()
    {
        LogCapture capture;
        Peer peer;
        auto ch = channelTo(peer);
        ch->setDebug(false, 1);
        ch->dataReceived(QByteArray("\x24\x41", 2), false);
        const QStringList lines = capture.matching("COMM::CServiceComm::printMsg");
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().endsWith("receive 24 41 "), qPrintable(lines.first()));

        ch->setDebug(true, 1);
        ch->dataReceived("$AB\r\n", false);
        QVERIFY(capture.matching("COMM::CServiceComm::printMsg").last().endsWith("receive $AB\r\n"));

        // Even a disabled channel dumps what it receives.
        ch->setEnabled(false);
        ch->dataReceived("zz", false);
        QCOMPARE(capture.count("COMM::CServiceComm::printMsg"), 3);
    }

    void directReceiverTakesSentencesUnderTheMutex()
    {
        // A slot connected directly runs inside the receive path; taking
        // sentences there must work (the raw queue has its own lock).
        Peer peer;
        auto ch = channelTo(peer);
        QStringList taken;
        connect(ch.get(), &COMM::CServiceComm::signalRxSentence, this, [&](void *sender, char) {
            auto *c = static_cast<COMM::CServiceComm *>(sender);
            std::string s;
            while (c->rawHandle()->getSentence(s))
                taken.append(QString::fromStdString(s));
        }, Qt::DirectConnection);
        ch->dataReceived("$A\r\n$B\r\n", false);
        QCOMPARE(taken, (QStringList{"$A\r\n", "$B\r\n"}));
    }

    void framesPushedFromAnotherThreadAllArrive()
    {
        Peer peer;
        auto ch = channelTo(peer);
        constexpr int kFrames = 40;
        COMM::CServiceComm *target = ch.get();
        QThread *pusher = QThread::create([target] {
            for (int i = 0; i < kFrames; ++i) {
                target->pushTxFrame(frame(QByteArray::number(i).constData(), 0), true);
                QThread::msleep(1);
            }
        });
        pusher->start();
        QTRY_COMPARE_WITH_TIMEOUT(peer.data.size(), kFrames, 10000);
        pusher->wait();
        delete pusher;
        for (int i = 0; i < kFrames; ++i)
            QCOMPARE(peer.data[i], QByteArray::number(i));
    }
};

QTEST_GUILESS_MAIN(TestServiceComm)
#include "tst_CServiceComm.moc"
