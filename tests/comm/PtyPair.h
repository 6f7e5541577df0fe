#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QTest>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal standing in for the device's USB serial port: the test
// plays the device on the master side, the code under test opens the slave
// by name like any serial port.
class PtyPair {
public:
    PtyPair()
    {
        int slave = -1;
        char name[128] = {};
        if (openpty(&m_iMaster, &slave, name, nullptr, nullptr) != 0)
            return;
        termios raw{};
        tcgetattr(slave, &raw);
        cfmakeraw(&raw);
        tcsetattr(slave, TCSANOW, &raw);
        // The slave stays open here too, so the pty survives until the
        // code under test opens it; closing it later is harmless.
        m_iSlave = slave;
        m_strName = QString::fromLocal8Bit(name);
        fcntl(m_iMaster, F_SETFL, fcntl(m_iMaster, F_GETFL) | O_NONBLOCK);
    }
    ~PtyPair()
    {
        closeMaster();
        if (m_iSlave >= 0)
            ::close(m_iSlave);
    }
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool ok() const { return m_iMaster >= 0 && !m_strName.isEmpty(); }
    QString name() const { return m_strName; }
    QByteArray name8() const { return m_strName.toLocal8Bit(); }

    bool write(const QByteArray &data) { return m_iMaster >= 0 && ::write(m_iMaster, data.constData(), data.size()) == data.size(); }

    // Everything the code under test wrote so far, waiting up to timeoutMs
    // (while processing events) for at least minBytes.
    QByteArray read(int minBytes, int timeoutMs = 3000)
    {
        QElapsedTimer t;
        t.start();
        do {
            char buf[4096];
            ssize_t n;
            while (m_iMaster >= 0 && (n = ::read(m_iMaster, buf, sizeof buf)) > 0)
                m_oRead.append(buf, int(n));
            if (m_oRead.size() >= minBytes)
                break;
            QTest::qWait(10);
        } while (t.elapsed() < timeoutMs);
        QByteArray out = m_oRead;
        m_oRead.clear();
        return out;
    }

    // The device goes away: its side of the line disappears.
    void closeMaster()
    {
        if (m_iMaster >= 0)
            ::close(m_iMaster);
        m_iMaster = -1;
    }

    // Drop the test's own slave descriptor so only the code under test holds it.
    void releaseSlave()
    {
        if (m_iSlave >= 0)
            ::close(m_iSlave);
        m_iSlave = -1;
    }

private:
    int m_iMaster = -1;
    int m_iSlave = -1;
    QString m_strName;
    QByteArray m_oRead;
};
