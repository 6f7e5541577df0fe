#include "sim/transponder/TransponderSim.h"

#include "sim/transponder/FirmwareImage.h"
#include "sim/transponder/UsbSerialTestbed.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace {
const QByteArray kQuery = "$AIAIQ,VER*3C";
const QByteArray kBootloader = "$PDBG,107,1,,,,,,*16";
constexpr int kLineMax = 4096;  // a device buffer, not a store for endless noise
}  // namespace

TransponderSim::TransponderSim(UsbSerialTestbed &oBed, const TransponderSettings &oSettings, QObject *parent)
    : QObject(parent), m_oBed(oBed), m_oSettings(oSettings), m_poChatter(new QTimer(this))
{
    connect(m_poChatter, &QTimer::timeout, this, &TransponderSim::onChatter);
}

TransponderSim::~TransponderSim()
{
    closePort();
}

QByteArray TransponderSim::withChecksum(const QByteArray &body, bool bLowerCase)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    QByteArray hex = QByteArray::number(sum, 16).rightJustified(2, '0');
    hex = bLowerCase ? hex.toLower() : hex.toUpper();
    return '$' + body + '*' + hex;
}

QByteArray TransponderSim::answerLine(const TransponderSettings &oSettings)
{
    const unsigned flags = oSettings.misbehaviour;
    QByteArray model = "B470";
    if (flags & TransponderSettings::OverLongLine)
        model += QByteArray(200, 'M');
    const QByteArray machine = oSettings.machineType.toLatin1();
    const QByteArray version = oSettings.firmwareVersion.toLatin1();

    QByteArray line;
    // Without a unique id of its own, the id varies until a lower-case
    // checksum really differs from the upper-case one, i.e. holds a letter.
    for (int unique = 1; unique < 1000; ++unique) {
        const QByteArray id = oSettings.uniqueId.isEmpty() ? QByteArray::number(unique).rightJustified(9, '0')
                                                           : oSettings.uniqueId.toLatin1();
        const QByteArray body = "AIVER,1,1,AI,SIM," + id + "," + QByteArray::number(oSettings.serialNumber) + "," +
                                model + "," + machine + "," + version + ",1";
        line = withChecksum(body, flags & TransponderSettings::LowerCaseChecksum);
        if (!oSettings.uniqueId.isEmpty() || !(flags & TransponderSettings::LowerCaseChecksum) ||
            line != withChecksum(body))
            break;
    }
    if (flags & TransponderSettings::BadChecksum) {
        // Off by one in the last digit, kept a valid upper-case hex digit.
        const char last = line.at(line.size() - 1);
        line[line.size() - 1] = (last == 'F' || last == 'f') ? '0' : (last == '9' ? 'A' : char(last + 1));
    }
    if (!(flags & TransponderSettings::NoLineEnd))
        line += "\r\n";
    return line;
}

bool TransponderSim::powerOn()
{
    if (m_eMode == Mode::Normal)
        return true;
    closePort();
    const QString port = m_oBed.plug(m_oSettings.usb);
    const int fd = port.isEmpty() ? -1 : m_oBed.masterFd(port);
    if (fd < 0)
        return false;
    m_strPort = port;
    m_oPending.clear();
    m_bFlooded = false;
    m_poNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_poNotifier, SIGNAL(activated(int)), this, SLOT(onReadable()));
    m_eMode = Mode::Normal;
    if (m_oSettings.chatterIntervalMs > 0)
        m_poChatter->start(m_oSettings.chatterIntervalMs);
    emit poweredOn();
    return true;
}

void TransponderSim::powerOff()
{
    closePort();
    m_eMode = Mode::Off;
}

bool TransponderSim::powerCycle(const QString &strImagePath)
{
    powerOff();
    switch (m_oSettings.afterPowerCycle) {
    case TransponderSettings::AfterPowerCycle::StaysAway:
        return false;
    case TransponderSettings::AfterPowerCycle::InBootloader:
        enterBootloader();
        return false;
    case TransponderSettings::AfterPowerCycle::KeepsOldFirmware:
        powerOn();
        return false;
    case TransponderSettings::AfterPowerCycle::RunsImage:
        break;
    }
    bool ok = true;
    if (!strImagePath.isEmpty()) {
        QFile file(strImagePath);
        QString machine;
        QString version;
        ok = file.open(QIODevice::ReadOnly) && parseFirmwareImage(file.read(4096), &machine, &version) &&
             machine == m_oSettings.machineType;
        if (ok)
            m_oSettings.firmwareVersion = version;
    }
    return powerOn() && ok;
}

void TransponderSim::closePort()
{
    ++m_iEpoch;
    m_poChatter->stop();
    stopFlood();
    delete m_poNotifier;
    m_poNotifier = nullptr;
    if (!m_strPort.isEmpty())
        m_oBed.unplug(m_strPort);
    m_strPort.clear();
    m_oPending.clear();
}

void TransponderSim::onReadable()
{
    const int fd = m_oBed.masterFd(m_strPort);
    if (fd < 0)
        return;
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof(buffer));
        if (n > 0) {
            m_oPending.append(buffer, static_cast<int>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }

    for (;;) {
        const int end = m_oPending.indexOf('\n');
        if (end < 0)
            break;
        QByteArray line = m_oPending.left(end);
        m_oPending.remove(0, end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        handleLine(line);
        if (m_eMode != Mode::Normal)
            return;
    }
    if (m_oPending.size() > kLineMax)
        m_oPending.clear();
}

void TransponderSim::handleLine(const QByteArray &line)
{
    m_oLines.append(line);
    emit lineReceived(line);
    if (line == kQuery) {
        const int query = ++m_iQueries;
        if (query == m_oSettings.unplugAtQuery && !m_oSettings.unplugMidAnswer) {
            powerOff();
            return;
        }
        if (m_oSettings.floodLines > 0 && !m_bFlooded)
            startFlood();
        if (isFlooding()) {
            m_oHeldQueries.append(query);
            return;
        }
        const int epoch = m_iEpoch;
        QTimer::singleShot(qMax(0, m_oSettings.answerDelayMs), this, [this, epoch, query] {
            if (epoch == m_iEpoch)
                answerQuery(query);
        });
    } else if (line == kBootloader) {
        enterBootloader();
    }
}

void TransponderSim::answerQuery(int iQuery)
{
    if (m_eMode != Mode::Normal || (m_oSettings.misbehaviour & TransponderSettings::NoAnswer))
        return;
    if (m_oSettings.answerLimit >= 0 && m_iAnswers >= m_oSettings.answerLimit)
        return;
    if (iQuery == m_oSettings.unplugAtQuery && m_oSettings.unplugMidAnswer) {
        // The cable goes while the answer is on the line: half of it is out,
        // given time to reach the reader before the line is hung up.
        const QByteArray line = answerLine(m_oSettings);
        writeNow(line.left(line.size() / 2));
        const int epoch = m_iEpoch;
        QTimer::singleShot(50, this, [this, epoch] {
            if (epoch == m_iEpoch)
                powerOff();
        });
        return;
    }
    ++m_iAnswers;

    QList<QByteArray> chunks;
    if (m_oSettings.misbehaviour & TransponderSettings::GarbageLines) {
        chunks << QByteArray("\x01\xfe noise \x7f\r\n", 12) << withChecksum("GPTXT,01,01,02,SIM") + "\r\n"
               << QByteArray("$AIVER,broken*00\r\n") << QByteArray("\r\n");
    }
    const QByteArray line = answerLine(m_oSettings);
    if (m_oSettings.misbehaviour & TransponderSettings::SplitAnswer) {
        const int third = line.size() / 3;
        chunks << line.left(third) << line.mid(third, third) << line.mid(2 * third);
    } else {
        chunks << line;
    }
    const bool split = m_oSettings.misbehaviour & TransponderSettings::SplitAnswer;
    writeChunks(split ? chunks : QList<QByteArray>{chunks.join()}, m_oSettings.splitChunkDelayMs);
    emit answered();
}

void TransponderSim::writeChunks(const QList<QByteArray> &chunks, int iGapMs)
{
    if (chunks.isEmpty())
        return;
    writeNow(chunks.first());
    const QList<QByteArray> rest = chunks.mid(1);
    if (rest.isEmpty())
        return;
    const int epoch = m_iEpoch;
    QTimer::singleShot(qMax(1, iGapMs), this, [this, rest, iGapMs, epoch] {
        if (epoch == m_iEpoch)
            writeChunks(rest, iGapMs);
    });
}

void TransponderSim::writeNow(const QByteArray &bytes)
{
    const int fd = m_oBed.masterFd(m_strPort);
    int done = 0;
    while (fd >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;  // a full line buffer drops the rest, as a device would
        done += static_cast<int>(n);
    }
}

void TransponderSim::onChatter()
{
    // Own-ship position report, as the transponder sends it unasked
    // (encapsulated sentences start with "!").
    QByteArray line = withChecksum("AIVDO,1,1,,A,15MgK45P3@G?fl0E`JbR0OwT0@MS,0") + "\r\n";
    line[0] = '!';
    if (m_eMode == Mode::Normal)
        writeNow(line);
}

void TransponderSim::enterBootloader()
{
    closePort();
    m_eMode = Mode::Bootloader;
    emit bootloaderEntered();
    const int epoch = m_iEpoch;
    QTimer::singleShot(qMax(0, m_oSettings.bootloaderDelayMs), this, [this, epoch] {
        if (epoch == m_iEpoch && m_eMode == Mode::Bootloader)
            emit bootloaderVolumeRequested();
    });
}

QByteArray TransponderSim::floodLine(int index)
{
    switch (index % 4) {
    case 0:
        return withChecksum("GPTXT,01,01,02,FLOOD " + QByteArray::number(index).rightJustified(6, '0') + ' ' +
                            QByteArray(60, 'x')) + "\r\n";
    case 1:
        return withChecksum("AIVER,1,1,AI,SIM," + QByteArray::number(index).rightJustified(9, '0') +
                            ",7,B600,AIS-B-600,V9.9.9.99-Z,1") + "\r\n";
    case 2:
        return QByteArrayLiteral("$AIVER,broken*00\r\n");
    default:
        return QByteArray("\x01\xfe\x7f noise ", 10) + QByteArray(40, '~') + "\r\n";
    }
}

void TransponderSim::startFlood()
{
    const int fd = m_oBed.masterFd(m_strPort);
    if (fd < 0)
        return;
    m_bFlooded = true;
    m_bFloodStop = false;
    m_iFloodWritten = 0;
    const int lines = m_oSettings.floodLines;
    const int epoch = m_iEpoch;
    m_oFloodThread = std::thread([this, fd, lines, epoch] {
        QByteArray out;
        int made = 0;
        while (!m_bFloodStop.load()) {
            if (out.isEmpty()) {
                if (made >= lines)
                    break;
                for (int i = 0; i < 256 && made < lines; ++i)
                    out += floodLine(made++);
            }
            // A full pty buffer holds the rest back rather than dropping it.
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, 20) <= 0 || !(p.revents & POLLOUT))
                continue;
            const ssize_t n = ::write(fd, out.constData(), static_cast<size_t>(out.size()));
            if (n <= 0)
                continue;
            out.remove(0, static_cast<int>(n));
            m_iFloodWritten = made - out.count('\n');
        }
        if (!m_bFloodStop.load()) {
            QMetaObject::invokeMethod(
                this, [this, epoch] {
                    if (epoch == m_iEpoch)
                        onFloodOut();
                },
                Qt::QueuedConnection);
        }
    });
}

void TransponderSim::stopFlood()
{
    // Before the port's descriptors are closed.
    m_bFloodStop = true;
    if (m_oFloodThread.joinable())
        m_oFloodThread.join();
    m_oHeldQueries.clear();
}

void TransponderSim::onFloodOut()
{
    if (m_oFloodThread.joinable())
        m_oFloodThread.join();
    const QList<int> held = m_oHeldQueries;
    m_oHeldQueries.clear();
    emit floodFinished();
    const int epoch = m_iEpoch;
    for (int query : held) {
        QTimer::singleShot(qMax(0, m_oSettings.answerDelayMs), this, [this, epoch, query] {
            if (epoch == m_iEpoch)
                answerQuery(query);
        });
    }
}
