// The "before" record on disk: what a crashed run leaves for the next start.
#include "log/AppPaths.h"
#include "sysprep/SysSnapshotFile.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestDirs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {
SysSvcInfo record(int a, int b, int c, int d, int e, int f)
{
    SysSvcInfo info;
    info.storageReg = a;
    info.wsearchReg = b;
    info.storageService = c;
    info.wsearchService = d;
    info.shellHWDetectionService = e;
    info.bitLockerService = f;
    return info;
}

const SysSvcInfo kStock = record(3, 2, 4, 4, 4, 1);
const QByteArray kStockText =
    "version=1\nstorageReg=3\nwsearchReg=2\nstorageService=4\nwsearchService=4\n"
    "shellHWDetectionService=4\nbitLockerService=1\n";

QString testDir()
{
    return TestDirs::fresh(QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()));
}

bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}
}  // namespace

TEST(SysSnapshotFile, SavedRecordReadsBackAndHasTheLineFormat)
{
    const SysSnapshotFile file(testDir() + "/" + SysSnapshotFile::kFileName);
    EXPECT_FALSE(file.exists());
    ASSERT_TRUE(file.save(kStock));
    EXPECT_TRUE(file.exists());

    QFile raw(file.path());
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_EQ(raw.readAll(), kStockText);

    const std::optional<SysSvcInfo> back = file.load();
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, kStock);

    // Every field travels on its own: no two swapped or lost.
    const SysSvcInfo odd = record(0, 4, 7, 1, 0, 3);
    ASSERT_TRUE(file.save(odd));
    ASSERT_TRUE(file.load().has_value());
    EXPECT_EQ(*file.load(), odd);

    EXPECT_TRUE(file.remove());
    EXPECT_FALSE(file.exists());
    EXPECT_FALSE(file.load().has_value());
}

TEST(SysSnapshotFile, MissingFileIsNoRecordAndNoComplaint)
{
    LogCapture log;
    const SysSnapshotFile file(testDir() + "/none/" + SysSnapshotFile::kFileName);
    EXPECT_FALSE(file.exists());
    EXPECT_FALSE(file.load().has_value());
    EXPECT_TRUE(file.remove());
    EXPECT_FALSE(log.contains("SysSnapshotFile"));
}

TEST(SysSnapshotFile, SaveIntoAMissingFolderFailsAndSaysSo)
{
    LogCapture log;
    const SysSnapshotFile file(testDir() + "/none/" + SysSnapshotFile::kFileName);
    EXPECT_FALSE(file.save(kStock));
    EXPECT_FALSE(file.exists());
    EXPECT_TRUE(log.contains("Save system status record")) << log.lines().join('\n').toStdString();
    EXPECT_TRUE(log.contains("fail"));
}

TEST(SysSnapshotFile, WindowsLineEndsAreRead)
{
    QByteArray text = kStockText;
    text.replace("\n", "\r\n");
    QString why;
    const std::optional<SysSvcInfo> info = SysSnapshotFile::fromText(text, why);
    ASSERT_TRUE(info.has_value()) << why.toStdString();
    EXPECT_EQ(*info, kStock);
    // Order of the value lines does not matter, only the version comes first.
    const std::optional<SysSvcInfo> shuffled = SysSnapshotFile::fromText(
        "version=1\nbitLockerService=1\nstorageReg=3\nshellHWDetectionService=4\nwsearchReg=2\n"
        "wsearchService=4\nstorageService=4",
        why);
    ASSERT_TRUE(shuffled.has_value()) << why.toStdString();
    EXPECT_EQ(*shuffled, kStock);
}

// Anything but a whole valid record is refused: handing the system back from
// a guess would change the user's services to values nobody recorded.
TEST(SysSnapshotFile, GarbageIsRefusedWithItsReason)
{
    auto without = [](const char *key) {
        QByteArray text;
        for (const QByteArray &line : kStockText.split('\n')) {
            if (!line.isEmpty() && !line.startsWith(QByteArray(key) + "="))
                text += line + "\n";
        }
        return text;
    };
    auto with = [](const char *from, const char *to) {
        QByteArray text = kStockText;
        return text.replace(from, to);
    };
    const struct {
        const char *name;
        QByteArray text;
        const char *why;
    } cases[] = {
        {"empty", "", "empty"},
        {"only blank lines", "\n\n", "version"},
        {"no version line", without("version"), "version"},
        {"another version", with("version=1", "version=2"), "version"},
        {"version not first", "storageReg=3\n" + without("storageReg"), "version"},
        {"a key missing", without("bitLockerService"), "bitLockerService missing"},
        {"a key twice", kStockText + "wsearchReg=2\n", "twice"},
        {"an unknown key", kStockText + "colour=2\n", "unknown key colour"},
        {"not key=value", kStockText + "storageReg\n", "not key=value"},
        {"blank line inside", with("wsearchReg=2\n", "wsearchReg=2\n\n"), "not key=value"},
        {"empty value", with("storageReg=3", "storageReg="), "storageReg"},
        {"negative", with("storageService=4", "storageService=-1"), "storageService"},
        {"start value too big", with("wsearchReg=2", "wsearchReg=5"), "wsearchReg"},
        {"state too big", with("bitLockerService=1", "bitLockerService=8"), "bitLockerService"},
        {"blank around the value", with("storageReg=3", "storageReg= 3"), "storageReg"},
        {"not a number", with("wsearchService=4", "wsearchService=four"), "wsearchService"},
        {"huge number", with("wsearchService=4", "wsearchService=4294967300"), "wsearchService"},
        {"cut short inside a line", kStockText.left(kStockText.size() - 12), "line 7 is not key=value"},
        {"binary", QByteArray("\x00\x01\xff\xfeversion=1", 13), "version"},
    };
    for (const auto &c : cases) {
        QString why;
        EXPECT_FALSE(SysSnapshotFile::fromText(c.text, why).has_value()) << c.name;
        EXPECT_TRUE(why.contains(QString::fromLatin1(c.why))) << c.name << ": " << why.toStdString();
    }
}

TEST(SysSnapshotFile, GarbageOnDiskIsRefusedAndLogged)
{
    const QString dir = testDir();
    const SysSnapshotFile file(dir + "/" + SysSnapshotFile::kFileName);
    LogCapture log;
    ASSERT_TRUE(writeRaw(file.path(), "version=1\nstorageReg=9\n"));
    EXPECT_FALSE(file.load().has_value());
    EXPECT_EQ(log.count("Refuse system status record"), 1) << log.lines().join('\n').toStdString();
    // The file stays for the operator to see; the next save replaces it.
    EXPECT_TRUE(file.exists());

    log.clear();
    ASSERT_TRUE(writeRaw(file.path(), QByteArray(8192, 'x')));
    EXPECT_FALSE(file.load().has_value());
    EXPECT_TRUE(log.contains("larger than 4096 bytes")) << log.lines().join('\n').toStdString();

    ASSERT_TRUE(file.save(kStock));
    ASSERT_TRUE(file.load().has_value());
    EXPECT_EQ(*file.load(), kStock);
}

// A reader (the next start, after a kill at any moment) finds the old record
// or the new one, never a mix or a torn file; no temporary file is left.
TEST(SysSnapshotFile, ReplacingIsAtomicForAConcurrentReader)
{
    const QString dir = testDir();
    const SysSnapshotFile file(dir + "/" + SysSnapshotFile::kFileName);
    const SysSvcInfo before = record(3, 2, 4, 4, 4, 1);
    const SysSvcInfo other = record(4, 4, 1, 1, 1, 1);
    ASSERT_TRUE(file.save(before));

    std::atomic<bool> done{false};
    std::atomic<int> reads{0};
    std::atomic<int> bad{0};
    std::thread reader([&] {
        while (!done.load()) {
            QFile raw(file.path());
            if (!raw.open(QIODevice::ReadOnly)) {
                ++bad;  // the file must exist at every moment
                continue;
            }
            QString why;
            const std::optional<SysSvcInfo> info = SysSnapshotFile::fromText(raw.readAll(), why);
            if (!info || (*info != before && *info != other))
                ++bad;
            ++reads;
        }
    });
    int saves = 0;
    for (int i = 0; i < 400; ++i)
        saves += file.save(i % 2 ? before : other) ? 1 : 0;
    done = true;
    reader.join();
    EXPECT_EQ(saves, 400);
    EXPECT_GT(reads.load(), 0);
    EXPECT_EQ(bad.load(), 0);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{QString::fromLatin1(SysSnapshotFile::kFileName)});
}

// One running process owns the record; a lock left by a process that is gone
// does not count.
TEST(SysSnapshotFile, OneLiveHolderAtATime)
{
    const QString path = testDir() + "/" + SysSnapshotFile::kFileName;
    LogCapture log;
    {
        SysSnapshotFile first(path);
        SysSnapshotFile second(path);
        EXPECT_FALSE(first.isClaimed());
        ASSERT_TRUE(first.claim());
        EXPECT_TRUE(first.claim());  // again: still ours
        EXPECT_TRUE(first.isClaimed());
        EXPECT_FALSE(second.claim());
        EXPECT_FALSE(second.isClaimed());
        EXPECT_TRUE(log.contains(QStringLiteral("held by process %1").arg(QCoreApplication::applicationPid())))
            << log.lines().join('\n').toStdString();
    }
    // Released with its holder.
    SysSnapshotFile third(path);
    EXPECT_TRUE(third.claim());
}

TEST(SysSnapshotFile, LockOfAProcessThatIsGoneIsTakenOver)
{
    const QString path = testDir() + "/" + SysSnapshotFile::kFileName;
    QProcess gone;
    gone.start(QStringLiteral("/bin/sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(gone.waitForStarted(10000));
    const qint64 pid = gone.processId();
    gone.kill();
    ASSERT_TRUE(gone.waitForFinished(10000));  // reaped: the pid names no process now
    // What a killed run leaves: its lock naming it, as QLockFile writes it.
    QFile lock(path + ".lock");
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(pid) + "\n" + QCoreApplication::applicationName().toUtf8() + "\n" +
               QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    SysSnapshotFile file(path);
    EXPECT_TRUE(file.claim());
}

TEST(SysSnapshotFile, DefaultPathIsTheProgramFolderUnlessATestChoseOne)
{
    EXPECT_EQ(SysSnapshotFile::defaultPath(), AppPaths::appDir() + SysSnapshotFile::kFileName);
    EXPECT_EQ(SysSnapshotFile().path(), SysSnapshotFile::defaultPath());
    const QString dir = testDir();
    SysSnapshotFile::setDefaultDir(dir);
    EXPECT_EQ(SysSnapshotFile::defaultPath(), dir + "/" + SysSnapshotFile::kFileName);
    EXPECT_EQ(SysSnapshotFile().path(), dir + "/" + SysSnapshotFile::kFileName);
    SysSnapshotFile::setDefaultDir(QString());
    EXPECT_EQ(SysSnapshotFile::defaultPath(), AppPaths::appDir() + SysSnapshotFile::kFileName);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
