#include "transfer/CMSDManipulate.h"

#include "log/SysLog.h"
#include "platform/clock/SysClock.h"
#include "platform/volume/FileSync.h"
#include "platform/volume/VolumeCatalog.h"
#include "transfer/Fat16RootDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#if defined(Q_OS_WIN)
#include "platform/host/SystemFolder.h"
#include "platform/volume/VolumeCommands.h"

#include <QElapsedTimer>
#include <QProcess>
#endif

#include <utility>

namespace {
constexpr int kFindIntervalMs = 1000;
constexpr int kFindAttempts = 3;
// Small enough that a slow volume still shows progress between two looks
// of the copy watch; the system's cache makes the size cost nothing.
constexpr qint64 kCopyChunkBytes = 16 * 1024;

QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

// The raw writer's messages belong in the log: the upgrade report is read
// from it, and a GUI program's standard output goes nowhere.
void logRootDirMessage(int iLevel, const char *classFun, const char *message)
{
    AIS_LOG(iLevel, classFun, "%s", message);
}
}  // namespace

CMSDManipulate::CMSDManipulate(QObject *parent, IVolumeCatalog *poCatalog) : QThread(parent), m_poCatalog(poCatalog)
{
    connect(&m_oFindTimer, SIGNAL(timeout()), this, SLOT(onTimerFindMSD()));
    connect(this, SIGNAL(finished()), this, SLOT(onCopyFinish()));
}

CMSDManipulate::~CMSDManipulate()
{
    AIS_LOG(SysLevel::Leave, "CMSDManipulate::~CMSDManipulate", "Name:%s Start", "CMSDManipulate");
    m_oFindTimer.stop();
    // A copy in progress is left to finish (a cut-off copy would leave a
    // broken image on the device); only the xcopy wait listens to this.
    requestInterruption();
    wait();
    AIS_LOG(SysLevel::Leave, "CMSDManipulate::~CMSDManipulate", "Name:%s End", "CMSDManipulate");
}

void CMSDManipulate::setMsdName(std::string strName)
{
    strMsdName = std::move(strName);
}

void CMSDManipulate::setBinName(std::string strName)
{
    strBinName = std::move(strName);
}

void CMSDManipulate::setBinDir(std::string strDir)
{
    strBinDir = std::move(strDir);
}

void CMSDManipulate::setOsVerCode(int iCode)
{
    m_iOsVerCode = iCode;
}

void CMSDManipulate::startFindTimer()
{
    m_oFindTimer.start(kFindIntervalMs);
}

IVolumeCatalog &CMSDManipulate::catalog() const
{
    return m_poCatalog != nullptr ? *m_poCatalog : VolumeCatalog::current();
}

bool CMSDManipulate::findDev()
{
    AIS_LOG(SysLevel::Info, "CMSDManipulate::findDev", "Start to find MSD Dev");
    for (const VolumeInfo &volume : catalog().mountedVolumes()) {
        if (volume.name != strMsdName)
            continue;
        m_bMsdFound = true;
        m_stFoundVolume = volume;
        strMsdPath = volume.rootPath;
        m_stMsdVolume.strRootPath = volume.rootPath;
        checkReadyFile();
        AIS_LOG(SysLevel::Info, "CMSDManipulate::findDev", "Find MSD success");
        AIS_LOG(SysLevel::Info, "CMSDManipulate::findDev", "MSD path = %s", volume.rootPath.c_str());
        AIS_LOG(SysLevel::Info, "CMSDManipulate::findDev", "MSD name = %s", volume.name.c_str());
        return true;
    }
    AIS_LOG(SysLevel::Info, "CMSDManipulate::findDev", "Find MSD fail");
    return false;
}

void CMSDManipulate::checkReadyFile()
{
    const QString root = fromStd(m_stMsdVolume.strRootPath);
    // Windows creates that folder once it has taken the volume over; the
    // bootloader's volume must be untouched.
    m_stMsdVolume.bReadyFile = QFileInfo::exists(root + QStringLiteral("READY.txt"))
                               && !QDir(root + QStringLiteral("System Volume Information")).exists();
}

bool CMSDManipulate::startCopy()
{
    if (!m_stMsdVolume.bReadyFile) {
        AIS_LOG(SysLevel::Info, "CMSDManipulate::trasFileProcess", "Check ready file fail");
        return false;
    }
    AIS_LOG(SysLevel::Info, "CMSDManipulate::trasFileProcess", "Check ready file Success");
    // The running copy's result would be taken for this one's.
    if (isRunning()) {
        AIS_LOG(SysLevel::Warning, "CMSDManipulate::startCopy", "Earlier copy still running");
        return false;
    }
    AIS_LOG(SysLevel::Info, "CMSDManipulate::startCopy", "Start to copy file");
    m_stCopyJob = CopyJob{strMsdPath, strBinName, strBinDir, m_iOsVerCode, m_stFoundVolume};
    m_llBytesWritten = 0;
    m_llLastProgressMs = SysClock::steadyMs();
    start(QThread::InheritPriority);
    return true;
}

MsdVolume CMSDManipulate::getMsdVolume() const
{
    return m_stMsdVolume;
}

std::vector<VolumeInfo> CMSDManipulate::volumesNamed(const std::string &strName) const
{
    std::vector<VolumeInfo> named;
    for (const VolumeInfo &volume : catalog().mountedVolumes()) {
        if (volume.name == strName)
            named.push_back(volume);
    }
    return named;
}

int64_t CMSDManipulate::volumeBytesFree() const
{
    if (strMsdPath.empty())
        return -1;
    for (const VolumeInfo &volume : catalog().mountedVolumes()) {
        if (volume.rootPath == strMsdPath)
            return volume.bytesFree;
    }
    return -1;
}

QString CMSDManipulate::sourcePath(const std::string &strBinDir, const std::string &strBinName)
{
    return QCoreApplication::applicationDirPath() + '/' + fromStd(strBinDir) + '/' + fromStd(strBinName);
}

void CMSDManipulate::resetFlags()
{
    m_iFindCount = 0;
    m_bCopyOk = false;
    m_bMsdFound = false;
    m_bTransResult = false;
}

void CMSDManipulate::onTimerFindMSD()
{
    if (m_iFindCount >= kFindAttempts) {
        m_iFindCount = 0;
        m_oFindTimer.stop();
        emit signalDevCheckFail();
        return;
    }
    ++m_iFindCount;
    if (findDev()) {
        m_iFindCount = 0;
        m_oFindTimer.stop();
        emit signalDevChecked();
    }
}

void CMSDManipulate::run()
{
    const CopyJob &job = m_stCopyJob;
    const QString source = sourcePath(job.strBinDir, job.strBinName);
    const QString target = fromStd(job.strMsdPath) + fromStd(job.strBinName);

    AIS_LOG(SysLevel::Info, "CMSDManipulate::run", "Copy file source path = %s", source.toLocal8Bit().constData());
    AIS_LOG(SysLevel::Info, "CMSDManipulate::run", "MSD path = %s", target.toLocal8Bit().constData());
    AIS_LOG(SysLevel::Info, "CMSDManipulate::run", "Copying firmware file to MSD");

    // The bootloader reads this entry; a failure here does not stop the copy.
    copyToRootDirOnDevice(source.toUtf8().constData(), job.strMsdPath.c_str(),
                          catalog().rawDevicePath(job.strMsdPath), logRootDirMessage);
    noteProgress(0);

#if defined(Q_OS_WIN)
    if (job.iOsVerCode <= 2) {
        if (xcopy(source.toLocal8Bit().toStdString(), job.strMsdPath, target))
            m_bCopyOk = true;
        return;
    }
#endif
    m_bCopyOk = plainCopy(source, target, job.strMsdPath);
}

void CMSDManipulate::noteProgress(int64_t llBytes)
{
    m_llBytesWritten = llBytes;
    m_llLastProgressMs = SysClock::steadyMs();
}

bool CMSDManipulate::plainCopy(const QString &source, const QString &target, const std::string &msdPath)
{
    // As QFile::copy does it, in chunks the copy watch can see: an existing
    // file is not replaced, and the image gets its name only once it is
    // whole, so a cut-off copy never leaves a torn image under that name.
    QFile in(source);
    if (QFileInfo::exists(target) || !in.open(QIODevice::ReadOnly))
        return false;
    QTemporaryFile out(QFileInfo(target).absolutePath() + QStringLiteral("/qt_temp.XXXXXX"));
    if (!out.open())
        return false;
    QByteArray chunk;
    int64_t written = 0;
    while (!in.atEnd()) {
        chunk = in.read(kCopyChunkBytes);
        if (chunk.isEmpty() || out.write(chunk) != chunk.size() || !out.flush())
            return false;
        written += chunk.size();
        noteProgress(written);
    }
    if (in.error() != QFileDevice::NoError || !out.rename(target))
        return false;
    out.setAutoRemove(false);
    // The temporary file was private; a FAT volume ignores this anyway.
    QFile::setPermissions(target, in.permissions());
    // The operator powers the device off next: the data must be on it, not
    // in a write cache.
    const int error = FileSync::flushFileAndDir(QFile::encodeName(target).toStdString(),
                                                QFile::encodeName(fromStd(msdPath)).toStdString());
    if (error != 0) {
        AIS_LOG(SysLevel::Warning, "CMSDManipulate::run", "Flush copied file fail, error %d", error);
        return false;
    }
    noteProgress(written);
    return true;
}

#if defined(Q_OS_WIN)
bool CMSDManipulate::xcopy(const std::string &source, const std::string &msdPath, const QString &target)
{
    // A prompt of any kind would wait for an answer forever: xcopy gets /Y and
    // an input that is already closed, and the wait still has a limit.
    constexpr qint64 kXcopyLimitMs = 150000;
    const std::string interpreter = SystemFolder::program(VolumeCommands::kInterpreter);
    const std::string command = VolumeCommands::xcopyCommand(interpreter, source, msdPath);
    AIS_LOG(SysLevel::Info, "CMSDManipulate::run", "%s", command.c_str());
    if (interpreter.empty())
        return false;  // never by its bare name

    // The line runs exactly as built and logged, not as Qt would re-quote
    // split arguments.
    QProcess process;
    process.setProgram(QString::fromStdString(interpreter));
    process.setNativeArguments(QString::fromLocal8Bit(VolumeCommands::xcopyArguments(source, msdPath).c_str()));
    process.start(QIODevice::ReadWrite);
    process.closeWriteChannel();
    QElapsedTimer elapsed;
    elapsed.start();
    while (!process.waitForFinished(50)) {
        if (process.state() == QProcess::NotRunning)
            break;  // never started: waiting again would return at once, forever
        // xcopy tells nothing while it runs: the file growing on the volume is its progress.
        const qint64 size = QFileInfo(target).size();
        if (size > bytesWritten())
            noteProgress(size);
        QCoreApplication::processEvents();
        if (isInterruptionRequested() || elapsed.hasExpired(kXcopyLimitMs)) {
            process.kill();
            process.waitForFinished(1000);
            break;
        }
    }
    const QByteArray output = process.readAllStandardOutput();
    AIS_LOG(SysLevel::Info, "CMSDManipulate::run", "Cpy result: %s", output.constData());
    const int exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return VolumeCommands::xcopyCopiedOneFile(exitCode, output.toStdString());
}
#endif

void CMSDManipulate::onCopyFinish()
{
    exit(0);
    m_bTransResult = m_bCopyOk;
    emit signalTransResult(m_bTransResult);
    AIS_LOG(SysLevel::Info, "CMSDManipulate::onCopyFinish", m_bTransResult ? "Copy bin file success" : "Copy bin file fail");
}
