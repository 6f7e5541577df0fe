#pragma once

#include "log/CAbstractSysDebug.h"
#include "log/LogRecord.h"
#include "log/SysLevel.h"

#include <QMutex>
#include <QString>
#include <QThread>
#include <QWaitCondition>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>

// The program's logger: renders each message once in the caller (so a line is
// in "logger.log" before sysLog returns), echoes it to the Qt debug output and
// hands the record to the writer thread, which keeps the recent-record ring.
class SysDebug : public QThread, public CAbstractSysDebug {
    Q_OBJECT
public:
    enum Field { FieldTag = 0, FieldTime, FieldLevel, FieldCode, FieldThread, FieldClassFun, FieldNote, FieldCount };
    static constexpr int kRingMax = 2000;
    static constexpr int kNoteMax = 2048;

    // The process-wide logger; created on first use and never destroyed.
    static SysDebug *instance();

    // Public so tests can run a private logger in their own working directory.
    SysDebug();
    ~SysDebug() override;

    // Reads the settings; false in decoding mode (the writer is then not started).
    bool start(const QString &logDir, const QString &configPath);

    // Every record of the ring, oldest first, rendered as log lines; empties the ring.
    QString takeRecentLog();
    // Why there is no "logger.log" (it is a link or not a regular file), as one
    // English line for the report; empty when nothing was refused.
    QString logFileProblem();

    // CAbstractSysDebug
    void lock() override;
    void unlock() override;
    void wakeWriter() override;
    void waitForWork() override;
    void enqueue(const LogRecord &record) override;
    void process(const LogRecord &record) override;

    // The body of sysLog.
    void logv(int level, const char *classFun, const char *threadText, const char *format, va_list args);

    // Rendering, exposed for tests: the text before its ending, and the full line.
    std::string renderText(const LogRecord &record) const;
    std::string renderLine(const LogRecord &record) const;
    static std::string encodeText(const std::string &text);
    static QString timeText(int64_t secsSinceEpoch);

    bool fieldOn(Field field) const { return m_bFields[field]; }
    bool levelOn(int level) const { return level >= 0 && level < SysLevel::Count && m_bLevels[level]; }
    bool isRecording() const { return m_bRecordTag; }
    bool isCloseEachLine() const { return m_bCloseTag; }
    bool isEncrypting() const { return m_bEncryption; }
    bool hasOpenLogFile() const { return m_poFile != nullptr; }
    uint32_t controlWord() const { return m_uControlWord; }
    int ringSize();
    QString bannerText() const;

protected:
    void run() override;

private:
    void applyTagWords(const std::string &text);
    void applyControlWordFields();
    void readControlLine();
    void readSettings(const QString &configPath);
    void decodeLogFile() const;
    std::string levelField(const LogRecord &record) const;
    void echo(const std::string &text) const;
    // process; false when recording is on and "logger.log" did not take the line.
    bool processRecord(const LogRecord &record);
    bool writeToFile(const std::string &line, bool closeAfter);
    // "logger.log" opened only as a plain regular file; a refusal is kept for the report.
    FILE *openLogFile(const std::string &path, bool append);
    void closeFile();

    bool m_bEnable = true;
    uint32_t m_uControlWord = 0xffff;
    bool m_bFields[FieldCount] = {};
    bool m_bLevels[SysLevel::Count] = {};
    bool m_bRecordTag = false;
    bool m_bCloseTag = false;
    char m_szControlText[64] = {};
    const char m_szLetters[SysLevel::Count + 1] = "NSFIWEX!LPCA#D";
    std::string m_strLogDir;
    FILE *m_poFile = nullptr;
    std::string m_strFileProblem;

    QMutex m_oMutex;
    QWaitCondition m_oWork;
    QWaitCondition m_oIdle;
    bool m_bWaiting = true;
    bool m_bStop = false;
    bool m_bBatchInFlight = false;
    std::deque<LogRecord> m_oPendingQueue;
    std::deque<LogRecord> m_oAutoLogRing;

    bool m_bAutoLogEnable = true;
    int m_iAutoLogKeepMax = kRingMax;
    bool m_bEncryption = true;
    bool m_bDecryption = false;

    char m_szNote[kNoteMax] = {};
};
