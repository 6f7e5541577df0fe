// The four network roles on loopback.
#include "comm/CNetworkSocket.h"
#include "comm/CNetworkTcp.h"
#include "comm/CNetworkUdp.h"
#include "tests/support/LogCapture.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>

#include <cstring>
#include <memory>

using COMM::CNetworkSocket;

namespace {
TxFrame frame(const char *text)
{
    TxFrame f;
    const int n = int(std::strlen(text));
    std::memcpy(f.data, text, size_t(n));
    f.length = n;
    return f;
}

quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::LocalHost), 0);
    return probe.localPort();
}

std::unique_ptr<CNetworkSocket> wrapper(int role, const char *address, int port)
{
    return std::make_unique<CNetworkSocket>(makeDevInfo(2, L"net", 2, true), makeNetworkParam(role, address, port), 4);
}
}  // namespace

class TestNetworkSocket : public QObject {
    Q_OBJECT
private slots:
    void rolesAndNames()
    {
        auto server = wrapper(0, "", 0);
        QVERIFY(server->tcpChannel() && !server->udpChannel());
        QCOMPARE(server->validRole(), 0);
        QCOMPARE(QString::fromStdString(server->channel()->name()), QString("TCP Server :0"));
        QCOMPARE(server->channel()->objectName(), QString("net"));
        QCOMPARE(server->channel()->getCommType(), 2);
        QVERIFY(!server->channel()->isEnabled());
        QCOMPARE(server->ip(), std::string());  // no active socket for the server role

        auto udpServer = wrapper(2, "127.0.0.1", 7000);
        QCOMPARE(QString::fromStdString(udpServer->channel()->name()), QString("UDP Server 127.0.0.1:7000"));
        auto udpClient = wrapper(3, "127.0.0.1", 7001);
        QCOMPARE(QString::fromStdString(udpClient->channel()->name()), QString("UDP Client 127.0.0.1:7001"));
        QCOMPARE(udpClient->port(), std::string("7001"));

        auto none = wrapper(4, "", 0);
        QVERIFY(!none->channel());
        QCOMPARE(none->validRole(), -1);
    }

    void tcpServerDropsDepartedClients()
    {
        LogCapture capture;
        auto server = wrapper(0, "", 0);
        QVERIFY(server->enableSocket(true));
        QVERIFY(capture.contains("TCP server listen the 0 is success"));
        QVERIFY(server->isServerListening());
        QVERIFY(!server->channel()->isConnected());
        server->channel()->setEnabled(true);
        const quint16 port = server->tcpChannel()->tcpServer()->serverPort();

        QList<QTcpSocket *> accepted;
        connect(server->tcpChannel(), &COMM::CNetworkTcp::signalServerNewClient, this,
                [&](QTcpSocket *s) { accepted.append(s); });
        QTcpSocket stays, leaves;
        stays.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(stays.waitForConnected(3000));
        leaves.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(leaves.waitForConnected(3000));
        QTRY_COMPARE_WITH_TIMEOUT(accepted.size(), 2, 3000);
        QCOMPARE(capture.count("COMM::CNetworkTcp::onServerNewClientConnect"), 2);
        // Listening on any address, the peer may show as IPv4-mapped IPv6.
        QVERIFY(capture.matching("IP:").first().contains(QRegularExpression("IP:(::ffff:)?127\\.0\\.0\\.1, Port:\\d+")));

        leaves.disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(server->tcpChannel()->clientCount(), size_t(1), 3000);
        QVERIFY(server->channel()->sendData(frame("$TO,ALL\r\n")));  // every connected client got it
        QTRY_COMPARE_WITH_TIMEOUT(stays.bytesAvailable(), qint64(9), 3000);
        QCOMPARE(stays.readAll(), QByteArray("$TO,ALL\r\n"));

        // A client gone before its disconnected signal was handled is
        // dropped by the send itself.
        QTcpSocket late;
        late.connectToHost(QHostAddress::LocalHost, port);
        QTRY_COMPARE_WITH_TIMEOUT(accepted.size(), 3, 3000);
        QCOMPARE(server->tcpChannel()->clientCount(), size_t(2));
        accepted[2]->blockSignals(true);
        accepted[2]->abort();
        QVERIFY(server->channel()->sendData(frame("$AGAIN\r\n")));
        QCOMPARE(server->tcpChannel()->clientCount(), size_t(1));
        QTRY_COMPARE_WITH_TIMEOUT(stays.bytesAvailable(), qint64(8), 3000);

        stays.write("$FROM,CLIENT\r\n");
        stays.flush();
        QTRY_COMPARE_WITH_TIMEOUT(server->channel()->rawHandle()->sentCount(), size_t(1), 3000);
    }

    void tcpClientReconnects()
    {
        LogCapture capture;
        QTcpServer peer;
        QVERIFY(peer.listen(QHostAddress::LocalHost, 0));
        const quint16 port = peer.serverPort();
        auto client = wrapper(1, "127.0.0.1", port);
        client->channel()->setEnabled(true);
        QVERIFY(client->enableSocket(true));  // first enable waits for the connection
        QVERIFY(capture.contains(QString("TCP client connect to 127.0.0.1:%1 is success").arg(port)));
        QVERIFY(client->channel()->isConnected());
        QTRY_VERIFY_WITH_TIMEOUT(client->channel()->isMarkedConnected(), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(peer.hasPendingConnections(), 3000);
        std::unique_ptr<QTcpSocket> far(peer.nextPendingConnection());
        far->setParent(nullptr);

        far->write("$HELLO\r\n");
        far->flush();
        QTRY_COMPARE_WITH_TIMEOUT(client->channel()->rawHandle()->sentCount(), size_t(1), 3000);
        QVERIFY(client->channel()->sendData(frame("up\r\n")));
        QTRY_COMPARE_WITH_TIMEOUT(far->bytesAvailable(), qint64(4), 3000);

        // The peer drops the line: logged, the socket is closed, not connected.
        far->close();
        QTRY_VERIFY_WITH_TIMEOUT(!client->channel()->isConnected(), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(capture.contains("(Error)QAbstractSocket::RemoteHostClosedError"), 3000);
        QVERIFY(capture.matching("RemoteHostClosedError").first().contains("[W]"));
        QTRY_VERIFY_WITH_TIMEOUT(!client->channel()->isMarkedConnected(), 3000);
        QVERIFY(!client->channel()->sendData(frame("lost")));

        // A later enable does not wait, but the connection still completes.
        client->enableSocket(false);
        QTRY_VERIFY_WITH_TIMEOUT(client->channel()->isConnected(), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(client->channel()->isMarkedConnected(), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(peer.hasPendingConnections(), 3000);

        // Nobody listening any more: refused, logged as a warning.
        peer.close();
        std::unique_ptr<QTcpSocket> second(peer.nextPendingConnection());
        if (second)
            second->close();
        QTRY_VERIFY_WITH_TIMEOUT(!client->channel()->isConnected(), 3000);
        client->enableSocket(false);
        QTRY_VERIFY_WITH_TIMEOUT(capture.contains("ConnectionRefusedErrorThe connection was refused by the peer."), 3000);
    }

    void udpServerBroadcastsAndCountsAsSent()
    {
        LogCapture capture;
        const quint16 port = freeUdpPort();
        // Bound to the loopback address, the broadcast leaves through the
        // loopback interface only.
        auto server = wrapper(2, "127.0.0.1", port);
        QVERIFY(!server->channel()->isConnected());
        QVERIFY(server->enableSocket(true));
        QVERIFY(capture.contains(QString("UDP server bind the 127.0.0.1:%1 is success").arg(port)));
        QVERIFY(server->channel()->isConnected());

        QUdpSocket listener;
        QVERIFY(listener.bind(QHostAddress(QHostAddress::Broadcast), port));
        QVERIFY(server->channel()->sendData(frame("$BC\r\n")));
        QTRY_VERIFY_WITH_TIMEOUT(listener.hasPendingDatagrams(), 3000);
        QByteArray got(int(listener.pendingDatagramSize()), '\0');
        listener.readDatagram(got.data(), got.size());
        QCOMPARE(got, QByteArray("$BC\r\n"));

        // An empty address binds the port on every address.
        const quint16 anyPort = freeUdpPort();
        auto local = wrapper(2, "", anyPort);
        QVERIFY(local->enableSocket(true));
        QVERIFY(capture.contains(QString("UDP server bind the local:%1 is success").arg(anyPort)));
    }

    void udpClientSendsAndTakesABurstAsOneSignal()
    {
        QUdpSocket peer;
        QVERIFY(peer.bind(QHostAddress(QHostAddress::LocalHost), 0));
        auto client = wrapper(3, "127.0.0.1", peer.localPort());
        QVERIFY(client->enableSocket(true));
        QVERIFY(client->channel()->isConnected());
        client->channel()->setEnabled(true);
        QVERIFY(!client->channel()->sendData(TxFrame()));  // empty frame
        QVERIFY(client->channel()->sendData(frame("hi")));
        QTRY_VERIFY_WITH_TIMEOUT(peer.hasPendingDatagrams(), 3000);
        QHostAddress from;
        quint16 fromPort = 0;
        QByteArray got(int(peer.pendingDatagramSize()), '\0');
        peer.readDatagram(got.data(), got.size(), &from, &fromPort);
        QCOMPARE(got, QByteArray("hi"));

        QSignalSpy rx(client->channel(), SIGNAL(signalRxSentence(void *, char)));
        peer.writeDatagram("$1\r\n", from, fromPort);
        peer.writeDatagram("$2\r\n", from, fromPort);
        peer.writeDatagram("$3\r\n", from, fromPort);
        QTRY_COMPARE_WITH_TIMEOUT(client->channel()->rawHandle()->sentCount(), size_t(3), 3000);
        QTest::qWait(50);
        QCOMPARE(client->channel()->rawHandle()->rawCount(), size_t(3));
        QCOMPARE(rx.count(), 1);
    }

    void stateChangesAreLogged()
    {
        LogCapture capture;
        QTcpServer peer;
        QVERIFY(peer.listen(QHostAddress::LocalHost, 0));
        auto client = wrapper(1, "127.0.0.1", peer.serverPort());
        QVERIFY(client->enableSocket(true));
        QVERIFY(capture.contains(QString("net, TCP Client 127.0.0.1:%1, (State)3 A connection is established.")
                                     .arg(peer.serverPort())));
        client.reset();
        QVERIFY(capture.contains("COMM::CNetworkSocket::~CNetworkSocket"));
        QVERIFY(capture.contains("COMM::CNetworkTcp::~CNetworkTcp"));
    }
};

QTEST_GUILESS_MAIN(TestNetworkSocket)
#include "tst_CNetworkSocket.moc"
