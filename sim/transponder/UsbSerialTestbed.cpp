#include "sim/transponder/UsbSerialTestbed.h"

#include <umockdev.h>

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>

#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {
QByteArray udevText(const QString &text)
{
    // udev writes blanks in model and vendor strings as underscores; the
    // serial port enumeration turns them back into spaces.
    QByteArray bytes = text.toLatin1();
    bytes.replace(' ', '_');
    return bytes;
}

QByteArray hex4(int value)
{
    return QByteArray::number(value, 16).rightJustified(4, '0');
}

bool openPty(int *master, int *slave, QByteArray *slavePath)
{
    const int m = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m < 0)
        return false;
    if (::grantpt(m) != 0 || ::unlockpt(m) != 0) {
        ::close(m);
        return false;
    }
    const char *name = ::ptsname(m);
    const int s = name ? ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC) : -1;
    if (s < 0) {
        ::close(m);
        return false;
    }
    // Raw from the start: echo would send the device's own output back to it
    // before the program under test has configured the line.
    termios tio{};
    if (::tcgetattr(s, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(s, TCSANOW, &tio);
    }
    ::fcntl(m, F_SETFL, ::fcntl(m, F_GETFL) | O_NONBLOCK);
    *master = m;
    *slave = s;
    *slavePath = name;
    return true;
}
}  // namespace

UsbSerialTestbed::UsbSerialTestbed()
    : m_poBed(umockdev_testbed_new())
{
}

UsbSerialTestbed::~UsbSerialTestbed()
{
    unplugAll();
    if (m_poBed)
        g_object_unref(m_poBed);
}

bool UsbSerialTestbed::preloadActive()
{
    const char *preload = std::getenv("LD_PRELOAD");
    return preload && QByteArray(preload).contains("libumockdev-preload");
}

QString UsbSerialTestbed::rootDir() const
{
    gchar *dir = m_poBed ? umockdev_testbed_get_root_dir(m_poBed) : nullptr;
    const QString text = dir ? QString::fromUtf8(dir) : QString();
    g_free(dir);
    return text;
}

QString UsbSerialTestbed::freePortName() const
{
    // Serial port lock files ("/var/lock/LCK..<name>") are shared by the whole
    // machine while each test process has its own fake /dev: start from a
    // range of this process's own (no two live processes share a pid; a
    // remainder of it did, and tests side by side then took each other's
    // lock) and skip names another process holds.
    const int base = static_cast<int>(::getpid()) * 16;
    for (int i = base;; ++i) {
        const QString name = QStringLiteral("ttyACM%1").arg(i);
        if (!m_oPorts.contains(name) && !QFile::exists(QStringLiteral("/var/lock/LCK..") + name))
            return name;
    }
}

QString UsbSerialTestbed::plug(const UsbSerialIdentity &identity)
{
    if (!m_poBed)
        return QString();
    const QString name = identity.portName.isEmpty() ? freePortName() : identity.portName;
    if (m_oPorts.contains(name))
        return QString();

    // Every plug gets a new USB port path: umockdev leaves bus links of a
    // removed device behind, and a real re-enumeration moves on as well.
    const QByteArray usb = "/devices/pci0000:00/0000:00:14.0/usb1/1-" + QByteArray::number(m_iNextUsbPort++);
    const QByteArray iface = usb + "/" + usb.mid(usb.lastIndexOf('/') + 1) + ":1.0";
    const QByteArray tty = name.toLatin1();

    QByteArray text;
    text += "P: " + usb + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DRIVER=usb\n";
    if (identity.vendorId >= 0)
        text += "A: idVendor=" + hex4(identity.vendorId) + "\n";
    if (identity.productId >= 0)
        text += "A: idProduct=" + hex4(identity.productId) + "\n";
    text += "\nP: " + iface + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nE: DRIVER=cdc_acm\n";
    text += "\nP: " + iface + "/tty/" + tty + "\nE: DEVNAME=/dev/" + tty +
            "\nE: SUBSYSTEM=tty\nE: ID_BUS=usb\nE: ID_USB_DRIVER=cdc_acm\n";
    if (!identity.description.isEmpty())
        text += "E: ID_MODEL=" + udevText(identity.description) + "\n";
    if (!identity.manufacturer.isEmpty())
        text += "E: ID_VENDOR=" + udevText(identity.manufacturer) + "\n";
    if (identity.vendorId >= 0)
        text += "E: ID_VENDOR_ID=" + hex4(identity.vendorId) + "\n";
    if (identity.productId >= 0)
        text += "E: ID_MODEL_ID=" + hex4(identity.productId) + "\n";

    Port port;
    QByteArray slavePath;
    if (!openPty(&port.masterFd, &port.slaveFd, &slavePath))
        return QString();

    GError *error = nullptr;
    if (!umockdev_testbed_add_from_string(m_poBed, text.constData(), &error)) {
        if (error)
            g_error_free(error);
        ::close(port.masterFd);
        ::close(port.slaveFd);
        return QString();
    }
    // The node is ours rather than umockdev's, whose pty master it would keep
    // open: unplugging must be able to hang the line up.
    const QString node = rootDir() + "/dev/" + name;
    QDir().mkpath(rootDir() + "/dev");
    QFile::remove(node);
    if (!QFile::link(QString::fromLatin1(slavePath), node)) {
        umockdev_testbed_remove_device(m_poBed, ("/sys" + usb).constData());
        ::close(port.masterFd);
        ::close(port.slaveFd);
        return QString();
    }
    port.sysPath = QString::fromLatin1("/sys" + usb);
    m_oPorts.insert(name, port);
    return name;
}

void UsbSerialTestbed::unplug(const QString &portName)
{
    const auto it = m_oPorts.find(portName);
    if (it == m_oPorts.end())
        return;
    umockdev_testbed_remove_device(m_poBed, it->sysPath.toUtf8().constData());
    QFile::remove(rootDir() + "/dev/" + portName);
    removeDanglingLinks();
    // With the last device-side descriptor gone the line is hung up: the
    // program's open port sees the end of the device.
    ::close(it->slaveFd);
    ::close(it->masterFd);
    m_oPorts.erase(it);
}

void UsbSerialTestbed::removeDanglingLinks()
{
    // umockdev keeps the class and bus links of a removed device; a device
    // plugged later under the same name could not be added.
    const QString sys = rootDir() + "/sys";
    for (const QString &top : {sys + "/class", sys + "/bus"}) {
        QDirIterator it(top, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            if (info.isSymLink() && !info.exists())
                QFile::remove(info.filePath());
        }
    }
}

void UsbSerialTestbed::unplugAll()
{
    const QStringList names = m_oPorts.keys();
    for (const QString &name : names)
        unplug(name);
}

int UsbSerialTestbed::masterFd(const QString &portName) const
{
    const auto it = m_oPorts.constFind(portName);
    return it == m_oPorts.constEnd() ? -1 : it->masterFd;
}
