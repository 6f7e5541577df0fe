#include "sim/transponder/TransponderSim.h"

#include "sim/transponder/FirmwareImage.h"
#include "sim/transponder/UsbSerialTestbed.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <unistd.h>

namespace {
const QByteArray kQuery = "$AIAIQ,VER*3C";
const QByteArray kBootloader = "$PDBG,107,1,,,,,,*16";
constexpr int kLineMax = 4096;  // a device buffer, not a store for endless noise
}  // namespace

TransponderSim::TransponderSim(UsbSerialTestbed &oBed, const TransponderSettings &oSettings, QObject *parent)
    : QObject(parent), m_oBed(oBed), m_oSettings(oSettings)
{
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
    // The unique id varies until a lower-case checksum really differs from
    // the upper-case one, i.e. holds a letter.
    for (int unique = 1; unique < 1000; ++unique) {
        const QByteArray body = "AIVER,1,1,AI,SIM," + QByteArray::number(unique).rightJustified(9, '0') +
                                ",7," + model + "," + machine + "," + version + ",1";
        line = withChecksum(body, flags & TransponderSettings::LowerCaseChecksum);
        if (!(flags & TransponderSettings::LowerCaseChecksum) || line != withChecksum(body))
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
    m_poNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_poNotifier, SIGNAL(activated(int)), this, SLOT(onReadable()));
    m_eMode = Mode::Normal;
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
        ++m_iQueries;
        const int epoch = m_iEpoch;
        QTimer::singleShot(qMax(0, m_oSettings.answerDelayMs), this, [this, epoch] {
            if (epoch == m_iEpoch)
                answerQuery();
        });
    } else if (line == kBootloader) {
        enterBootloader();
    }
}

void TransponderSim::answerQuery()
{
    if (m_eMode != Mode::Normal || (m_oSettings.misbehaviour & TransponderSettings::NoAnswer))
        return;
    if (m_oSettings.answerLimit >= 0 && m_iAnswers >= m_oSettings.answerLimit)
        return;
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
