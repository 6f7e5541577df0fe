#include "tests/faults/FaultBench.h"

#include "sim/transponder/TransponderSim.h"
#include "sim/volume/VolumeFault.h"
#include "tests/e2e/ExpectedTexts.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using namespace ExpectedTexts;

const QString FaultBench::kOldVersion = QStringLiteral("V1.2.0.00-A");
const QString FaultBench::kNewVersion = QStringLiteral("V1.3.0.01-A");

namespace {
// More than one refresh tick on a loaded machine.
constexpr int kTickMs = 1600;

QString titleOf(int kind)
{
    switch (kind) {
    case 0:
        return kTitleInformation;
    case 2:
        return kTitleWarning;
    case 3:
        return kTitleError;
    default:
        return QString();
    }
}
}  // namespace

FaultBench::FaultBench() : m_poRig(std::make_unique<UpgradeRig>())
{
}

FaultBench::~FaultBench()
{
    VolumeFault::setVanishHook(nullptr);
    VolumeFault::disarm();
}

bool FaultBench::beginCase()
{
    VolumeFault::setVanishHook(nullptr);
    VolumeFault::disarm();
    return m_poRig->beginCase(kNewVersion);
}

void FaultBench::endCase()
{
    VolumeFault::setVanishHook(nullptr);
    VolumeFault::disarm();
    m_poRig->closeWindow();
    m_poRig->removeTransponder();
    m_poRig->removeVolume();
    // A package made unreadable must still go away.
    QFile::setPermissions(m_poRig->packageDir() + '/' + UpgradeRig::kImageName,
                          QFile::ReadOwner | QFile::WriteOwner);
    m_poRig->removePackage();
}

bool FaultBench::boxIs(int n, int kind, const QString &text) const
{
    if (m_poRig->boxes.count() < n) {
        UpgradeRig::note(QStringLiteral("box %1 was not shown").arg(n));
        return false;
    }
    const MessageBoxAnswerer::Shown &box = m_poRig->boxes.shown().at(n - 1);
    if (box.kind == kind && box.title == titleOf(kind) && box.text == text)
        return true;
    UpgradeRig::note(
        QStringLiteral("box %1: kind %2, title \"%3\", text \"%4\"").arg(n).arg(box.kind).arg(box.title, box.text));
    return false;
}

bool FaultBench::isReportOffer(int n) const
{
    return boxIs(n, 0, kReportOffer);
}

bool FaultBench::noFurtherBox(int n) const
{
    QTest::qWait(kTickMs);
    if (m_poRig->boxes.count() == n)
        return true;
    UpgradeRig::note(QStringLiteral("%1 boxes instead of %2, the last: %3")
                         .arg(m_poRig->boxes.count())
                         .arg(n)
                         .arg(m_poRig->boxes.last().text));
    return false;
}

bool FaultBench::deviceBackInNormalMode()
{
    m_poRig->unmountVolume();
    TransponderSim *sim = m_poRig->transponder();
    return sim && sim->powerCycle() && m_poRig->prepareVolume(UpgradeRig::Mount::OnBootloaderCommand);
}

bool FaultBench::retrySucceeds(const QString &current)
{
    VolumeFault::disarm();
    if (!m_poRig->completeUpgrade(current)) {
        UpgradeRig::note(QStringLiteral("retry failed at: ") + m_poRig->lastFailure());
        return false;
    }
    if (m_poRig->volumeFile(UpgradeRig::kImageName) != m_poRig->packageImage()) {
        UpgradeRig::note(QStringLiteral("retry: the image on the volume differs from the package"));
        return false;
    }
    const QStringList problems = volumeProblems(Root::Upgraded);
    if (!problems.isEmpty()) {
        UpgradeRig::note(QStringLiteral("retry: volume problems: ") + problems.join(QStringLiteral(" | ")));
        return false;
    }
    return true;
}

QStringList FaultBench::volumeProblems(Root eRoot) const
{
    QStringList problems;
    SimBootloaderVolume *volume = m_poRig->volume();
    if (!volume)
        return {QStringLiteral("no volume")};
    const QString image = volume->imagePath();

    int exitCode = -1;
    const QStringList fsck =
        QString::fromLocal8Bit(runTool(QStringLiteral("fsck.fat"), {QStringLiteral("-n"), image}, &exitCode))
            .split('\n', Qt::SkipEmptyParts);
    QStringList findings;
    for (const QString &raw : fsck) {
        const QString line = raw.trimmed();
        // Banner and summary lines are not findings.
        if (line.startsWith(QStringLiteral("fsck.fat ")) || line.startsWith(image + ':') ||
            line == QStringLiteral("Leaving filesystem unchanged."))
            continue;
        findings << line;
    }
    for (int i = 0; i < findings.size(); ++i) {
        // The firmware entry is sized like the image and owns one cluster.
        if (findings[i] == QStringLiteral("/123.567") && i + 2 < findings.size() &&
            findings[i + 1].startsWith(QStringLiteral("File size is ")) &&
            findings[i + 2].startsWith(QStringLiteral("Truncating file to "))) {
            i += 2;
            continue;
        }
        problems << QStringLiteral("fsck.fat: ") + findings[i];
    }
    if (exitCode < 0 || exitCode > 1)
        problems << QStringLiteral("fsck.fat exit code %1").arg(exitCode);

    int mdirExit = -1;
    runTool(QStringLiteral("mdir"), {QStringLiteral("-i"), image, QStringLiteral("::/")}, &mdirExit);
    if (mdirExit != 0)
        problems << QStringLiteral("mdir cannot read the image (exit %1)").arg(mdirExit);
    const QStringList entries = m_poRig->imageRootEntries();
    if (entries.count(QStringLiteral("123.567")) > 1)
        problems << QStringLiteral("mtools: more than one 123.567");
    for (const QString &entry : entries) {
        if (entry != QStringLiteral("123.567"))
            problems << QStringLiteral("mtools: unexpected root entry ") + entry;
    }

    const QStringList rootFiles =
        QDir(volume->rootPath()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : rootFiles) {
        if (name == QStringLiteral("READY.txt"))
            continue;
        if (name == QLatin1String(UpgradeRig::kImageName) && eRoot == Root::Upgraded &&
            m_poRig->volumeFile(name) == m_poRig->packageImage())
            continue;
        if (name.startsWith(QStringLiteral("qt_temp.")) && eRoot == Root::Abandoned)
            continue;
        problems << QStringLiteral("root holds %1 (%2 bytes)").arg(name).arg(QFileInfo(volume->rootPath() + name).size());
    }
    if (!rootFiles.contains(QStringLiteral("READY.txt")))
        problems << QStringLiteral("READY.txt is gone");
    if (eRoot == Root::Upgraded && !rootFiles.contains(QLatin1String(UpgradeRig::kImageName)))
        problems << QStringLiteral("no image in the root");
    return problems;
}

QByteArray FaultBench::imageBytes() const
{
    SimBootloaderVolume *volume = m_poRig->volume();
    QFile file(volume ? volume->imagePath() : QString());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint64 FaultBench::rssKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

QByteArray FaultBench::runTool(const QString &program, const QStringList &arguments, int *exitCode)
{
    QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(program, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    if (exitCode)
        *exitCode = -1;
    if (path.isEmpty())
        return program.toLocal8Bit() + " not found";
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Images made by mkfs.fat have no disk geometry mtools would accept.
    env.insert(QStringLiteral("MTOOLS_SKIP_CHECK"), QStringLiteral("1"));
    env.remove(QStringLiteral("LD_PRELOAD"));  // plain tools: no fake devices, no faults
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return "timed out";
    }
    if (exitCode && process.exitStatus() == QProcess::NormalExit)
        *exitCode = process.exitCode();
    return process.readAll();
}
