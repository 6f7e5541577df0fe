#pragma once

#include "sim/transponder/UsbSerialIdentity.h"

#include <QMap>
#include <QString>

struct _UMockdevTestbed;

// Fake USB serial ports for tests: a umockdev testbed whose tty devices are
// backed by pseudo-terminals owned here. The process must run with
// umockdev's preload library (see sim/transponder/CMakeLists.txt for the
// launcher); real QSerialPortInfo and QSerialPort then see the ports.
//
// Only one testbed may exist per process (umockdev selects it through the
// environment), and it must be created before other threads start. Use it
// from one thread.
class UsbSerialTestbed {
public:
    UsbSerialTestbed();
    ~UsbSerialTestbed();
    UsbSerialTestbed(const UsbSerialTestbed &) = delete;
    UsbSerialTestbed &operator=(const UsbSerialTestbed &) = delete;

    // True when umockdev's preload library is active in this process.
    static bool preloadActive();
    QString rootDir() const;

    // Adds a device; returns its port name ("ttyACM0") or "" on failure.
    QString plug(const UsbSerialIdentity &identity);
    // Removes the device and hangs up its line, as pulling the cable does.
    void unplug(const QString &portName);
    void unplugAll();
    bool isPlugged(const QString &portName) const { return m_oPorts.contains(portName); }

    // The controlling (device) end of a plugged port, -1 when not plugged.
    // Owned by the testbed; closed by unplug.
    int masterFd(const QString &portName) const;

private:
    struct Port {
        QString sysPath;
        int masterFd = -1;
        int slaveFd = -1;  // kept open so the line settings stay raw between users
    };
    QString freePortName() const;
    void removeDanglingLinks();

    _UMockdevTestbed *m_poBed = nullptr;
    QMap<QString, Port> m_oPorts;
    int m_iNextUsbPort = 1;
};
