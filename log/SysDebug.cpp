#include "log/SysDebug.h"

#include "platform/file/PlainFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMessageLogger>
#include <QMutexLocker>
#include <QSettings>

#include <cctype>
#include <cstring>
#include <ctime>
#include <limits>

namespace {
const char *const kGroup = "Sys_Debug";
const char *const kLogFile = "logger.log";
const char *const kDecryptFile = "loggerDecrypt.log";

// Settings keys of the level flags, indexed by level; levels 0 and 2 have none.
const char *const kLevelKeys[SysLevel::Count] = {
    nullptr,         "/%s/MsgStake",     nullptr,           "/%s/MsgInfo",  "/%s/MsgWarning",
    "/%s/MsgError",  "/%s/MsgCritical",  "/%s/MsgException", "/%s/MsgLeave", "/%s/MsgProfile",
    "/%s/MsgControl", "/%s/MsgAction",   "/%s/MsgDeep",     "/%s/MsgDebug",
};
const char *const kFieldKeys[SysDebug::FieldCount] = {
    "/%s/FieldTag", "/%s/FieldTime", "/%s/FieldLevel", "/%s/FieldCode",
    "/%s/FieldThread", "/%s/FieldClassFun", "/%s/FieldNote",
};
const char *const kPad[3] = {"", " ", "  "};

QString key(const char *pattern)
{
    return QString::asprintf(pattern, kGroup);
}

// Whole-hour offset of local time from UTC, as the log shows it.
int displayOffsetHours()
{
    const int hours = QDateTime::currentDateTime().offsetFromUtc() / 3600;
    if ((hours >= -12 && hours <= -1) || (hours >= 1 && hours <= 13))
        return hours;
    return 0;
}

QDateTime displayTime(int64_t secs)
{
    return QDateTime::fromSecsSinceEpoch(secs, Qt::UTC).addSecs(displayOffsetHours() * 3600);
}
}  // namespace

SysDebug *SysDebug::instance()
{
    // Intentionally never destroyed: lines may be logged until the process ends.
    static SysDebug *const logger = new SysDebug();
    return logger;
}

SysDebug::SysDebug()
{
    for (int i = 0; i < SysLevel::Count; ++i)
        m_bLevels[i] = (i != SysLevel::Deep);
    setObjectName("SysDebug Thread");
    readControlLine();
}

SysDebug::~SysDebug()
{
    {
        QMutexLocker locker(&m_oMutex);
        m_bStop = true;
    }
    wakeWriter();
    wait();
    m_oPendingQueue.clear();
    m_oAutoLogRing.clear();
    closeFile();
}

void SysDebug::applyControlWordFields()
{
    for (int i = 0; i < FieldCount; ++i)
        m_bFields[i] = (m_uControlWord >> i) & 1u;
}

void SysDebug::applyTagWords(const std::string &text)
{
    if (text.find("record") != std::string::npos)
        m_bRecordTag = true;
    if (text.find("FC") != std::string::npos)
        m_bCloseTag = true;
    if (text.find("DL") != std::string::npos)
        m_bLevels[SysLevel::Deep] = true;
}

void SysDebug::readControlLine()
{
    const std::string path = m_strLogDir + kLogFile;
    // Missing, unreadable or not a plain file: the default fields, so lines
    // are not empty.
    FILE *file = openLogFile(path, false);
    if (file == nullptr) {
        applyControlWordFields();
        return;
    }
    unsigned int word = 0;
    if (std::fscanf(file, "%x", &word) == 1)
        m_uControlWord = word;
    char rest[64] = {};
    if (std::fgets(rest, sizeof rest, file) != nullptr) {
        rest[std::strcspn(rest, "\r\n")] = '\0';
        std::memcpy(m_szControlText, rest, sizeof m_szControlText);
    }
    std::fclose(file);
    m_poFile = openLogFile(path, true);
    applyControlWordFields();
    applyTagWords(m_szControlText);
}

void SysDebug::readSettings(const QString &configPath)
{
    if (!QFileInfo::exists(configPath))
        return;
    QSettings settings(configPath, QSettings::IniFormat);
    m_bEnable = settings.value(key("/%s/Enable"), m_bEnable).toBool();
    // Written with commas (record,FC) the value is read as a list.
    applyTagWords(
        settings.value(key("/%s/LogTag"), QString()).toStringList().join(QLatin1Char(',')).toStdString());

    bool fields[FieldCount];
    for (int i = 0; i < FieldCount; ++i)
        fields[i] = settings.value(key(kFieldKeys[i]), true).toBool();
    std::memcpy(m_bFields, fields, sizeof fields);

    bool levels[SysLevel::Count];
    for (int i = 0; i < SysLevel::Count; ++i)
        levels[i] = kLevelKeys[i] ? settings.value(key(kLevelKeys[i]), m_bLevels[i]).toBool() : m_bLevels[i];
    std::memcpy(m_bLevels, levels, sizeof levels);

    m_bAutoLogEnable = settings.value(key("/%s/AutoLogEnable"), m_bAutoLogEnable).toBool();
    m_iAutoLogKeepMax = settings.value(key("/%s/AutoLogKeepMax"), m_iAutoLogKeepMax).toInt();
    m_bEncryption = settings.value(key("/%s/EncryptionEnable"), m_bEncryption).toBool();
    m_bDecryption = settings.value(key("/%s/DecryptionEnable"), m_bDecryption).toBool();
}

bool SysDebug::start(const QString &logDir, const QString &configPath)
{
    QMutexLocker locker(&m_oMutex);
    m_strLogDir = logDir.toStdString();
    readSettings(configPath);

    if (m_bDecryption) {
        decodeLogFile();
        QMessageLogger().debug("%s", "log decryption");
        return false;
    }

    const QString plainBanner = bannerText() + QChar(13);
    echo(plainBanner.toStdString());
    std::string banner = plainBanner.toStdString();
    if (m_bEncryption)
        banner = encodeText(bannerText().toStdString());
    if (m_bRecordTag)
        writeToFile(banner, true);

    moveToThread(this);
    QThread::start(QThread::InheritPriority);
    return true;
}

QString SysDebug::bannerText() const
{
    const QDateTime now = displayTime(QDateTime::currentSecsSinceEpoch());
    const QString dateTime = now.date().toString(QLocale::system().dateFormat(QLocale::ShortFormat)) + " " +
                             now.time().toString("hh:mm:ss");
    return QString("============================== ") + (m_bRecordTag ? "Record Logging" : "Start Logging") + " " +
           dateTime + " ==============================";
}

void SysDebug::decodeLogFile() const
{
    QFile in(QString::fromStdString(m_strLogDir + kLogFile));
    QFile out(QString::fromStdString(m_strLogDir + kDecryptFile));
    if (!in.open(QIODevice::ReadOnly))
        return;
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    out.write(QByteArray::fromBase64(in.readAll()));
}

void SysDebug::lock()
{
    m_oMutex.lock();
}

void SysDebug::unlock()
{
    m_oMutex.unlock();
}

void SysDebug::wakeWriter()
{
    QMutexLocker locker(&m_oMutex);
    m_bWaiting = false;
    m_oWork.wakeAll();
}

void SysDebug::waitForWork()
{
    QMutexLocker locker(&m_oMutex);
    m_bWaiting = true;
    // Records that arrived while the writer was busy are taken at once.
    while (m_oPendingQueue.empty() && !m_bStop)
        m_oWork.wait(&m_oMutex);
}

void SysDebug::enqueue(const LogRecord &record)
{
    m_oPendingQueue.push_back(record);
}

void SysDebug::logv(int level, const char *classFun, const char *threadText, const char *format, va_list args)
{
    lock();
    std::vsnprintf(m_szNote, sizeof m_szNote, format, args);
    LogRecord record;
    record.classFun = classFun ? classFun : "";
    record.threadText = threadText ? threadText : "";
    record.level = level;
    record.startTicks = static_cast<int64_t>(clock());
    record.time = QDateTime::currentSecsSinceEpoch();
    record.note = m_szNote;
    record.missedFile = !processRecord(record);
    enqueue(record);
    unlock();
    wakeWriter();
}

void SysDebug::process(const LogRecord &record)
{
    processRecord(record);
}

bool SysDebug::processRecord(const LogRecord &record)
{
    if (!m_bEnable || !levelOn(record.level))
        return true;
    const std::string text = renderText(record);
    echo(text);
    const bool closeAfter = record.level == SysLevel::Error || record.level == SysLevel::Critical ||
                            record.level == SysLevel::Exception || m_bCloseTag;
    if (m_bRecordTag)
        return writeToFile(m_bEncryption ? encodeText(text) : text + "\n", closeAfter);
    return true;
}

std::string SysDebug::levelField(const LogRecord &record) const
{
    const char letter = (record.level >= 0 && record.level < SysLevel::Count) ? m_szLetters[record.level] : '?';
    switch (record.level) {
    case SysLevel::Info:
        return std::string();
    case SysLevel::Stake:
    case SysLevel::Finish: {
        std::string field = "[";
        if (m_bFields[FieldCode])
            field += std::to_string(record.code);
        field += letter;
        if (record.elapsedTicks > 0)
            field += std::to_string(record.elapsedTicks);
        return field + "]";
    }
    case SysLevel::Warning:
    case SysLevel::Error:
    case SysLevel::Critical:
    case SysLevel::Exception:
    case SysLevel::Leave:
        return std::string("[") + letter + "]";
    default:
        return std::string(1, letter) + ")";
    }
}

std::string SysDebug::renderText(const LogRecord &record) const
{
    std::string text;
    if (m_bFields[FieldTime])
        text += timeText(record.time).toStdString() + " ";
    if (m_bFields[FieldThread])
        text += record.threadText + "\t";
    if (m_bFields[FieldClassFun]) {
        std::string column = record.classFun;
        if (column.size() >= 40)
            column += "\t";
        if (column.size() < 40)
            column.append(40 - column.size(), ' ');
        text += column;
    }
    if (m_bFields[FieldTag] && record.tag != ' ')
        text += record.tag;
    if (m_bFields[FieldLevel])
        text += levelField(record);
    if (m_bFields[FieldNote])
        text += record.note;
    return text;
}

std::string SysDebug::renderLine(const LogRecord &record) const
{
    const std::string text = renderText(record);
    return m_bEncryption ? encodeText(text) : text + "\n";
}

std::string SysDebug::encodeText(const std::string &text)
{
    QString padded = QString::fromUtf8(text.data(), static_cast<int>(text.size()));
    padded += kPad[(padded.size() + 1) % 3 == 1 ? 2 : ((padded.size() + 1) % 3 == 2 ? 1 : 0)];
    padded += QChar('\n');
    return padded.toLatin1().toBase64().toStdString();
}

QString SysDebug::timeText(int64_t secsSinceEpoch)
{
    // Working out the local offset costs the C library a look at the zone
    // file on every call; lines of the same second share one text, kept per
    // thread. Plain characters only: MinGW frees a thread's emulated TLS
    // before it runs the thread_local destructors, so a QString here would
    // be destroyed in freed memory when each logging thread ends.
    thread_local int64_t cachedSecs = std::numeric_limits<int64_t>::min();
    thread_local char cachedText[sizeof "hh:mm:ss"] = {};
    if (secsSinceEpoch != cachedSecs) {
        qstrncpy(cachedText, displayTime(secsSinceEpoch).toString("hh:mm:ss").toLatin1().constData(),
                 sizeof cachedText);
        cachedSecs = secsSinceEpoch;
    }
    return QString::fromLatin1(cachedText);
}

void SysDebug::echo(const std::string &text) const
{
    QMessageLogger().debug("%s", QString::fromStdString(text).toLocal8Bit().constData());
}

bool SysDebug::writeToFile(const std::string &line, bool closeAfter)
{
    if (m_poFile == nullptr)
        m_poFile = openLogFile(kLogFile, true);
    if (m_poFile == nullptr)
        return false;
    bool written = std::fwrite(line.data(), 1, line.size(), m_poFile) == line.size();
    if (closeAfter || m_bCloseTag)
        closeFile();
    else
        written = std::fflush(m_poFile) == 0 && written;
    return written;
}

FILE *SysDebug::openLogFile(const std::string &path, bool append)
{
    // The current directory may be an ordinary user's while the program runs
    // elevated: a link planted under the log's name must not send the lines,
    // or the control line, to or from another file.
    std::string refusal;
    FILE *file = PlainFile::open(path, append ? PlainFile::Mode::Append : PlainFile::Mode::Read, refusal);
    if (!refusal.empty())
        m_strFileProblem = "No log file: " + std::string(kLogFile) + " is " + refusal + ", not a regular file";
    else if (file != nullptr)
        m_strFileProblem.clear();
    return file;
}

QString SysDebug::logFileProblem()
{
    QMutexLocker locker(&m_oMutex);
    return QString::fromStdString(m_strFileProblem);
}

void SysDebug::closeFile()
{
    if (m_poFile != nullptr) {
        std::fclose(m_poFile);
        m_poFile = nullptr;
    }
}

void SysDebug::run()
{
    for (;;) {
        std::deque<LogRecord> taken;
        {
            QMutexLocker locker(&m_oMutex);
            if (m_bStop)
                break;
            taken.swap(m_oPendingQueue);
            m_bBatchInFlight = !taken.empty();
        }
        for (const LogRecord &record : taken) {
            QMutexLocker locker(&m_oMutex);
            // A line the file did not take is kept for the report instead.
            if ((!m_bRecordTag || record.missedFile) && m_bAutoLogEnable) {
                m_oAutoLogRing.push_back(record);
                if (m_oAutoLogRing.size() > static_cast<size_t>(kRingMax))
                    m_oAutoLogRing.pop_front();
            }
        }
        {
            QMutexLocker locker(&m_oMutex);
            m_bBatchInFlight = false;
            m_oIdle.wakeAll();
        }
        waitForWork();
    }
    QMutexLocker locker(&m_oMutex);
    m_bBatchInFlight = false;
    m_oIdle.wakeAll();
}

int SysDebug::ringSize()
{
    QMutexLocker locker(&m_oMutex);
    while (isRunning() && !m_bStop && (!m_oPendingQueue.empty() || m_bBatchInFlight))
        m_oIdle.wait(&m_oMutex);
    return static_cast<int>(m_oAutoLogRing.size());
}

QString SysDebug::takeRecentLog()
{
    wakeWriter();
    QMutexLocker locker(&m_oMutex);
    // The ring is filled by the writer; let it catch up so the report holds the latest lines.
    while (isRunning() && !m_bStop && (!m_oPendingQueue.empty() || m_bBatchInFlight))
        m_oIdle.wait(&m_oMutex);
    std::string text;
    for (const LogRecord &record : m_oAutoLogRing) {
        const std::string rendered = renderText(record);
        echo(rendered);
        text += m_bEncryption ? encodeText(rendered) : rendered + "\n";
    }
    m_oAutoLogRing.clear();
    return QString::fromStdString(text);
}
