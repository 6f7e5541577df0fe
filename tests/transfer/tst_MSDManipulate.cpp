#include "TransferTestTools.h"

#include "sim/volume/SimBootloaderVolume.h"
#include "sim/volume/SimVolumeCatalog.h"
#include "platform/volume/VolumeCatalog.h"
#include "transfer/CBootloaderVolumeWatch.h"
#include "transfer/CMSDManipulate.h"
#include "tests/support/LogCapture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace TransferTestTools;

namespace {
const char kBinDir[] = "FirmwareBin-tst_msd";
const char kBinName[] = "App_470.Sbin";

QString packageDir()
{
    return QCoreApplication::applicationDirPath() + '/' + kBinDir;
}

VolumeInfo otherVolume(const char *name, const char *root)
{
    return VolumeInfo{name, root, ""};
}
}  // namespace

class TestMSDManipulate : public QObject {
    Q_OBJECT
private:
    SimVolumeCatalog m_oCatalog;
    QByteArray m_oFirmware = firmwareBytes(200000, 3);

    std::unique_ptr<SimBootloaderVolume> makeVolume(const QString &name, SimBootloaderVolume::Options options = {})
    {
        auto volume = std::make_unique<SimBootloaderVolume>(QDir::current().filePath(name), options);
        if (!volume->isValid())
            qWarning("%s", qPrintable(volume->errorText()));
        return volume;
    }
    // A worker set up as the workflow does before a copy.
    std::unique_ptr<CMSDManipulate> makeWorker()
    {
        auto worker = std::make_unique<CMSDManipulate>(nullptr, &m_oCatalog);
        worker->setMsdName("AIS B CS");
        worker->setBinName(kBinName);
        worker->setBinDir(kBinDir);
        return worker;
    }
    // Runs a whole copy and returns the reported result (or -1 without report).
    int copyAndWait(CMSDManipulate &worker, bool *onGuiThread = nullptr)
    {
        bool gui = false;
        const QMetaObject::Connection c = connect(&worker, &CMSDManipulate::signalTransResult, this,
                                                  [&gui] { gui = QThread::currentThread() == QCoreApplication::instance()->thread(); });
        QSignalSpy spy(&worker, SIGNAL(signalTransResult(bool)));
        worker.startCopy();
        const bool reported = spy.wait(20000);
        worker.wait();  // the thread has emitted its last signal
        disconnect(c);
        if (onGuiThread != nullptr)
            *onGuiThread = gui;
        return reported && spy.size() == 1 ? int(spy.at(0).at(0).toBool()) : -1;
    }

private slots:
    void initTestCase()
    {
        QDir(packageDir()).removeRecursively();
        QVERIFY(QDir().mkpath(packageDir()));
        QVERIFY(writeFile(packageDir() + '/' + kBinName, m_oFirmware));
    }
    void cleanupTestCase() { QDir(packageDir()).removeRecursively(); }
    void init() { m_oCatalog.clear(); }

    void findByExactName()
    {
        auto volume = makeVolume("exact");
        m_oCatalog.present(otherVolume("DATA", "/media/data"));
        m_oCatalog.present(otherVolume("ais b cs", "/media/lower/"));
        m_oCatalog.present(otherVolume("AIS B CS ", "/media/trailing/"));
        auto worker = makeWorker();
        LogCapture capture;
        QVERIFY(!worker->findDev());
        QVERIFY(capture.contains("CMSDManipulate::findDev") && capture.contains("Find MSD fail"));
        QVERIFY(!worker->m_bMsdFound);
        QVERIFY(worker->strMsdPath.empty());

        capture.clear();
        m_oCatalog.present(volume->volumeInfo());
        m_oCatalog.present(otherVolume("AIS B CS", "/media/second/"));
        QVERIFY(worker->findDev());
        const std::string root = volume->volumeInfo().rootPath;
        QVERIFY(worker->m_bMsdFound);
        QCOMPARE(worker->strMsdPath, root);  // the first of two volumes of that name
        QCOMPARE(worker->getMsdVolume().strRootPath, root);
        QVERIFY(worker->getMsdVolume().bReadyFile);
        const QStringList lines = capture.lines();
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].endsWith("Start to find MSD Dev"));
        QVERIFY(lines[1].endsWith("Find MSD success"));
        QVERIFY(lines[2].endsWith("MSD path = " + QString::fromStdString(root)));
        QVERIFY(lines[3].endsWith("MSD name = AIS B CS"));
    }

    void readyMark_data()
    {
        QTest::addColumn<bool>("readyFile");
        QTest::addColumn<bool>("systemFolder");
        QTest::addColumn<bool>("ready");
        QTest::newRow("ready") << true << false << true;
        QTest::newRow("READY.txt missing") << false << false << false;
        QTest::newRow("System Volume Information") << true << true << false;
        QTest::newRow("both missing and touched") << false << true << false;
    }
    void readyMark()
    {
        QFETCH(bool, readyFile);
        QFETCH(bool, systemFolder);
        QFETCH(bool, ready);
        SimBootloaderVolume::Options options;
        options.readyFile = readyFile;
        options.systemVolumeInformation = systemFolder;
        options.makeImage = false;
        auto volume = makeVolume("ready", options);
        m_oCatalog.present(volume->volumeInfo());
        auto worker = makeWorker();
        QVERIFY(worker->findDev());
        QCOMPARE(worker->getMsdVolume().bReadyFile, ready);

        QSignalSpy result(worker.get(), SIGNAL(signalTransResult(bool)));
        LogCapture capture;
        worker->startCopy();
        if (ready) {
            QVERIFY(result.wait(20000));
            QVERIFY(capture.contains("Check ready file Success"));
        } else {
            // Refused: no thread, no report (the workflow's time-out covers it).
            QVERIFY(!worker->isRunning());
            QTest::qWait(300);
            QCOMPARE(result.size(), 0);
            QCOMPARE(capture.count("Check ready file fail"), 1);
            QVERIFY(!capture.contains("Start to copy file"));
            QVERIFY(!QFile::exists(volume->rootPath() + kBinName));
        }
    }

    void foundFlagStaysUntilReset()
    {
        auto volume = makeVolume("sticky");
        m_oCatalog.present(volume->volumeInfo());
        auto worker = makeWorker();
        QVERIFY(worker->findDev());
        m_oCatalog.remove(volume->volumeInfo().rootPath);
        QVERIFY(!worker->findDev());
        QVERIFY(worker->m_bMsdFound);
        QCOMPARE(worker->strMsdPath, volume->volumeInfo().rootPath);
        worker->resetFlags();
        QVERIFY(!worker->m_bMsdFound);
        QVERIFY(!worker->m_bTransResult);
        QCOMPARE(worker->m_iFindCount, 0);
        // The volume record and the names outlive a reset.
        QCOMPARE(worker->getMsdVolume().strRootPath, volume->volumeInfo().rootPath);
        QVERIFY(worker->getMsdVolume().bReadyFile);
        QCOMPARE(worker->strMsdName, std::string("AIS B CS"));
    }

    void findTimerGivesUpOnFourthTick()
    {
        auto worker = makeWorker();
        QSignalSpy checked(worker.get(), SIGNAL(signalDevChecked()));
        QSignalSpy failed(worker.get(), SIGNAL(signalDevCheckFail()));
        LogCapture capture;
        QElapsedTimer elapsed;
        elapsed.start();
        worker->startFindTimer();
        QVERIFY(failed.wait(10000));
        const qint64 ms = elapsed.elapsed();
        QVERIFY2(ms >= 3500 && ms < 8000, qPrintable(QString::number(ms)));
        QCOMPARE(capture.count("Find MSD fail"), 3);
        QVERIFY(!worker->m_oFindTimer.isActive());
        QCOMPARE(worker->m_iFindCount, 0);
        QTest::qWait(1300);
        QCOMPARE(failed.size(), 1);
        QCOMPARE(checked.size(), 0);
    }

    void findTimerFindsLateVolume()
    {
        auto volume = makeVolume("late");
        auto worker = makeWorker();
        QSignalSpy checked(worker.get(), SIGNAL(signalDevChecked()));
        QSignalSpy failed(worker.get(), SIGNAL(signalDevCheckFail()));
        LogCapture capture;
        worker->startFindTimer();
        // The volume shows up between the first and the second search.
        QTimer::singleShot(1400, this, [&] { m_oCatalog.present(volume->volumeInfo()); });
        QVERIFY(checked.wait(10000));
        QCOMPARE(capture.count("Find MSD fail"), 1);
        QCOMPARE(capture.count("Find MSD success"), 1);
        QVERIFY(!worker->m_oFindTimer.isActive());
        QCOMPARE(worker->m_iFindCount, 0);
        QTest::qWait(1300);
        QCOMPARE(checked.size(), 1);
        QCOMPARE(failed.size(), 0);
    }

    void copySucceeds()
    {
        auto volume = makeVolume("copy-ok");
        m_oCatalog.present(volume->volumeInfo());
        auto worker = makeWorker();
        QVERIFY(worker->findDev());
        LogCapture capture;
        bool onGui = false;
        QCOMPARE(copyAndWait(*worker, &onGui), 1);
        QVERIFY(onGui);
        QVERIFY(worker->m_bTransResult);
        QVERIFY(readFile(volume->rootPath() + kBinName) == m_oFirmware);
        // The writer ran on the volume's raw device first.
        const QByteArray img = readFile(volume->imagePath());
        const Layout layout = layoutOf(img);
        QVERIFY(sectorOf(img, layout.rootDirSector, layout.bytesPerSector).contains("123     567"));

        const QString source = packageDir() + '/' + kBinName;
        const int rootEntries = uint8_t(img[17]) | uint8_t(img[18]) << 8;
        const uint32_t dataStart = layout.rootDirSector + uint32_t(rootEntries * 32 + 511) / 512;
        const QStringList expected{"Check ready file Success", "Start to copy file",
                                   "Copy file source path = " + source,
                                   "MSD path = " + volume->rootPath() + kBinName, "Copying firmware file to MSD",
                                   // The raw writer's messages reach the log (and so the report) too.
                                   "Bytes Per Sector: 512",
                                   QStringLiteral("Root dir: %1, Data start: %2").arg(layout.rootDirSector).arg(dataStart),
                                   "Found free cluster: 2",
                                   "Copied " + source + " to root directory of drive " + volume->rootPath() + " ",
                                   "Copy bin file success"};
        const QStringList lines = capture.lines();
        QCOMPARE(lines.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(lines[i].endsWith(expected[i]), qPrintable(lines[i]));
        QVERIFY(lines[0].contains("CMSDManipulate::trasFileProcess"));
        for (int i = 5; i < 9; ++i)
            QVERIFY2(lines[i].contains("copyToRootDir") && !lines[i].contains("[W]"), qPrintable(lines[i]));
        QVERIFY(lines.last().contains("CMSDManipulate::onCopyFinish"));

        worker->resetFlags();
        QVERIFY(!worker->m_bTransResult);
        QVERIFY(!worker->m_bCopyOk);
    }

    void copyFails_data()
    {
        QTest::addColumn<QString>("why");
        QTest::newRow("file of that name already there") << "existing";
        QTest::newRow("read-only volume") << "readonly";
        QTest::newRow("full volume") << "full";
        QTest::newRow("package image missing") << "nosource";
    }
    void copyFails()
    {
        QFETCH(QString, why);
        SimBootloaderVolume::Options options;
        options.readOnly = why == "readonly";
        options.full = why == "full";
        auto volume = makeVolume("copy-fail", options);
        if (why == "existing")
            QVERIFY(writeFile(volume->rootPath() + kBinName, "old image"));
        m_oCatalog.present(volume->volumeInfo());
        auto worker = makeWorker();
        if (why == "nosource")
            worker->setBinName("Missing_470.Sbin");
        worker->setOsVerCode(7);
        QVERIFY(worker->findDev());
        LogCapture capture;
        QCOMPARE(copyAndWait(*worker), 0);
        QVERIFY(!worker->m_bTransResult);
        QVERIFY(capture.contains("Copy bin file fail"));
        if (why == "existing")
            QCOMPARE(readFile(volume->rootPath() + kBinName), QByteArray("old image"));
        else
            QVERIFY(!QFile::exists(volume->rootPath() + kBinName));
    }

    // Closing the window mid-copy: the object waits for its thread.
    void destroyedWhileCopying()
    {
        const QByteArray big = firmwareBytes(48 * 1024 * 1024, 9);
        QVERIFY(writeFile(packageDir() + "/Big_470.Sbin", big));
        auto volume = makeVolume("destroy");
        m_oCatalog.present(volume->volumeInfo());
        auto worker = makeWorker();
        worker->setBinName("Big_470.Sbin");
        QVERIFY(worker->findDev());
        QSignalSpy finished(worker.get(), SIGNAL(finished()));
        LogCapture capture;
        worker->startCopy();
        QVERIFY(worker->isRunning());
        worker.reset();
        QCOMPARE(finished.size(), 1);  // emitted before the destructor returned
        QCOMPARE(QFileInfo(volume->rootPath() + "Big_470.Sbin").size(), qint64(big.size()));
        QVERIFY(capture.contains("Name:CMSDManipulate Start"));
        QVERIFY(capture.contains("Name:CMSDManipulate End"));
        QFile::remove(packageDir() + "/Big_470.Sbin");
    }

    // The process-wide catalog is what a worker without its own uses.
    void processWideCatalog()
    {
        auto volume = makeVolume("global");
        SimVolumeCatalog global;
        global.present(volume->volumeInfo());
        VolumeCatalog::setCurrent(&global);
        CMSDManipulate worker;
        worker.setMsdName("AIS B CS");
        const bool found = worker.findDev();
        VolumeCatalog::setCurrent(nullptr);
        QVERIFY(found);
        QCOMPARE(worker.strMsdPath, volume->volumeInfo().rootPath);
    }

    // After the copy: the drive it wrote to is back only when it can be told
    // apart from other drives with its label. A drive is "location#instance";
    // per look U unchanged, G gone, B back.
    void bootloaderVolumeReturn_data()
    {
        QTest::addColumn<QString>("copied");
        QTest::addColumn<QStringList>("looks");  // the drives of each look, separated by blanks
        QTest::addColumn<QString>("seen");
        QTest::addColumn<bool>("untellable");  // logged once
        QTest::newRow("gone, then back at its place")
            << "usb1/1-2#m1" << QStringList{"usb1/1-2#m1", "", "usb1/1-2#m2"} << "UGB" << false;
        QTest::newRow("gone and back between two looks")
            << "usb1/1-2#m1" << QStringList{"usb1/1-2#m1", "usb1/1-2#m2"} << "UB" << false;
        QTest::newRow("another unit's drive never counts")
            << "usb1/1-2#m1"
            << QStringList{"usb1/1-2#m1 usb1/1-3#m5", "usb1/1-3#m5", "usb1/1-3#m6", "usb1/1-3#m6 usb1/1-2#m7"}
            << "UGUB" << false;
        QTest::newRow("no location, alone") << "#m1" << QStringList{"#m1", "", "#m3"} << "UGB" << false;
        QTest::newRow("no location, two drives: no decision")
            << "#m1" << QStringList{"#m1 #m4", "", "#m5", "#m5 #m6"} << "UUUU" << true;
    }
    void bootloaderVolumeReturn()
    {
        QFETCH(QString, copied);
        QFETCH(QStringList, looks);
        QFETCH(QString, seen);
        QFETCH(bool, untellable);
        const auto drive = [](const QString &text, int n) {
            const QStringList parts = text.split('#');
            VolumeInfo volume{"AIS B CS", "/media/ais/AIS B CS" + std::to_string(n) + "/", ""};
            volume.location = parts.value(0).toStdString();
            volume.instance = parts.value(1).toStdString();
            return volume;
        };
        LogCapture capture;
        CBootloaderVolumeWatch watch;
        watch.start(drive(copied, 0));
        QString got;
        for (const QString &look : looks) {
            std::vector<VolumeInfo> labelled;
            for (const QString &text : look.split(' ', Qt::SkipEmptyParts))
                labelled.push_back(drive(text, int(labelled.size()) + 1));
            got += "UGB"[int(watch.look(labelled))];
        }
        QCOMPARE(got, seen);
        QCOMPARE(capture.count("nothing tells the upgraded unit's apart: no decision on a drive"), untellable ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestMSDManipulate)
#include "tst_MSDManipulate.moc"
