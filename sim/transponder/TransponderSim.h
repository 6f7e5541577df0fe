#pragma once

#include "sim/transponder/TransponderSettings.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <thread>

class QSocketNotifier;
class QTimer;
class UsbSerialTestbed;

// A simulated AIS-B-470 on a fake USB serial port.
//
// Normal mode: answers "$AIAIQ,VER*3C" with an "$AIVER" line (shaped by the
// settings), ignores "$PTST,,,,,16*28", and on "$PDBG,107,1,,,,,,*16" drops
// its serial port as an unplugged USB device does, then, bootloaderDelayMs
// later, emits bootloaderVolumeRequested() for whoever presents the
// "AIS B CS" volume. powerCycle() brings it back in normal mode with the
// version found in the copied image.
//
// A QObject of the caller's thread: it reads its port through a socket
// notifier and times answers with that thread's event loop, which must run.
class TransponderSim : public QObject {
    Q_OBJECT
public:
    enum class Mode { Off, Normal, Bootloader };

    TransponderSim(UsbSerialTestbed &oBed, const TransponderSettings &oSettings, QObject *parent = nullptr);
    ~TransponderSim() override;

    // Plugs the device in normal mode; false when the port could not be made.
    bool powerOn();
    // Pulls the cable, whatever the mode.
    void powerOff();
    // Off and on again. With an image path, the version in its header becomes
    // the running firmware when the image is for this machine type; false
    // (old firmware kept) when it cannot be read or is for another model.
    // settings().afterPowerCycle can make it keep its old firmware, come back
    // in bootloader mode or stay away instead (false in each case).
    bool powerCycle(const QString &strImagePath = QString());

    Mode mode() const { return m_eMode; }
    QString portName() const { return m_strPort; }
    const TransponderSettings &settings() const { return m_oSettings; }
    void setSettings(const TransponderSettings &oSettings) { m_oSettings = oSettings; }
    QString firmwareVersion() const { return m_oSettings.firmwareVersion; }

    // Every line received in normal mode, terminators stripped, oldest first.
    QList<QByteArray> receivedLines() const { return m_oLines; }
    int queryCount() const { return m_iQueries; }
    int answerCount() const { return m_iAnswers; }
    // Flood lines the line has taken so far, and whether the flood is still going.
    int floodLinesWritten() const { return m_iFloodWritten.load(); }
    bool isFlooding() const { return m_oFloodThread.joinable(); }
    // Flood line number `index` (CR LF included); they cycle through a
    // foreign sentence, another model's answer, a broken answer and noise.
    static QByteArray floodLine(int index);

    // The answer line as this device would send it for the settings given.
    static QByteArray answerLine(const TransponderSettings &oSettings);
    static QByteArray withChecksum(const QByteArray &body, bool bLowerCase = false);

signals:
    void lineReceived(const QByteArray &line);
    void answered();
    void bootloaderEntered();
    void bootloaderVolumeRequested();
    void poweredOn();
    void floodFinished();

private slots:
    void onReadable();

private:
    void handleLine(const QByteArray &line);
    void answerQuery(int iQuery);
    void startFlood();
    void stopFlood();
    void onFloodOut();
    void writeChunks(const QList<QByteArray> &chunks, int iGapMs);
    void writeNow(const QByteArray &bytes);
    void onChatter();
    void enterBootloader();
    void closePort();

    UsbSerialTestbed &m_oBed;
    TransponderSettings m_oSettings;
    Mode m_eMode = Mode::Off;
    QString m_strPort;
    QSocketNotifier *m_poNotifier = nullptr;  // child
    QTimer *m_poChatter = nullptr;            // child
    QByteArray m_oPending;
    QList<QByteArray> m_oLines;
    int m_iQueries = 0;
    int m_iAnswers = 0;
    // The flood has a writer thread of its own: as fast as the line takes
    // it, whatever the caller's event loop is doing.
    std::thread m_oFloodThread;
    std::atomic<bool> m_bFloodStop{false};
    std::atomic<int> m_iFloodWritten{0};
    bool m_bFlooded = false;  // once per power-on
    QList<int> m_oHeldQueries;  // answered once the flood is out
    // Bumped whenever the port goes away, so timers armed before are void.
    int m_iEpoch = 0;
};
