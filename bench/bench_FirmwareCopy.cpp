// Firmware copy onto the simulated bootloader volume as the product does it
// (CMSDManipulate: copy thread, FAT16 root-directory writer on the volume's
// raw image, plain copy, flush of file and folder, result signal) against
// `cp` of the same file in the same run, and against `cp` followed by the
// same flush (fsync of the file and its folder), which gives the copy the
// durability the product needs before the operator powers the device off.
#include "bench/BenchSupport.h"
#include "log/SysDebug.h"
#include "sim/volume/SimBootloaderVolume.h"
#include "sim/volume/SimVolumeCatalog.h"
#include "transfer/CMSDManipulate.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <random>
#include <string>

extern char **environ;

namespace {
const char *const kBinDir = "FirmwareBin";
const char *const kBinName = "App_470.Sbin";

std::string sourcePath()
{
    return BenchSupport::binaryDir() + "/" + kBinDir + "/" + kBinName;
}

// The package image beside the binary, where the product looks for it.
bool writeImage(int64_t bytes)
{
    QDir().mkpath(QString::fromStdString(BenchSupport::binaryDir() + "/" + kBinDir));
    QFile file(QString::fromStdString(sourcePath()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray data("AISFW,AIS-B-470,V1.3.0.01-A\n");
    std::mt19937 random(470);
    data.reserve(static_cast<int>(bytes));
    while (data.size() < bytes)
        data.append(static_cast<char>(random()));
    data.truncate(static_cast<int>(bytes));
    return file.write(data) == data.size();
}

// A fresh volume per run: each iteration copies onto it anew.
struct Volume {
    explicit Volume(const std::string &name) : volume(QString::fromStdString(BenchSupport::scratchDir(name)))
    {
        catalog.present(volume.volumeInfo());
        // The writer touches only the boot sector, the FATs and the root
        // directory, all in the image's head.
        QFile image(volume.imagePath());
        if (image.open(QIODevice::ReadOnly))
            pristine = image.read(256 << 10);
    }
    std::string target() const { return volume.rootPath().toStdString() + kBinName; }
    // Back to the state the bootloader presents: no image file, untouched FAT.
    void reset()
    {
        QFile::remove(QString::fromStdString(target()));
        QFile image(volume.imagePath());
        if (image.open(QIODevice::ReadWrite))
            image.write(pristine);
    }

    SimBootloaderVolume volume;
    SimVolumeCatalog catalog;
    QByteArray pristine;
};

int run(const std::vector<std::string> &argv)
{
    std::vector<char *> args;
    for (const std::string &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int fsyncPath(const std::string &path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return -1;
    const int result = ::fsync(fd);
    ::close(fd);
    return result;
}

void BM_Copy_Product(benchmark::State &state)
{
    if (!writeImage(state.range(0))) {
        state.SkipWithError("cannot write the package image");
        return;
    }
    Volume volume("copy-product");
    if (!volume.volume.isValid()) {
        state.SkipWithError(volume.volume.errorText().toStdString().c_str());
        return;
    }
    CMSDManipulate msd(nullptr, &volume.catalog);
    msd.setMsdName("AIS B CS");
    msd.setBinName(kBinName);
    msd.setBinDir(kBinDir);
    msd.setOsVerCode(10);
    bool ok = true;
    for (auto _ : state) {
        state.PauseTiming();
        volume.reset();
        msd.resetFlags();
        state.ResumeTiming();
        // As the workflow does it: search, then copy and wait for the result.
        QEventLoop loop;
        bool result = false;
        QObject::connect(&msd, &CMSDManipulate::signalTransResult, &loop, [&](bool success) {
            result = success;
            loop.quit();
        });
        if (!msd.findDev()) {
            ok = false;
            break;
        }
        msd.startCopy();
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
        ok = ok && result;
    }
    if (!ok)
        state.SkipWithError("copy failed");
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.counters["bytes"] = static_cast<double>(state.range(0));
}

void BM_Copy_Cp(benchmark::State &state, bool flush)
{
    if (!writeImage(state.range(0))) {
        state.SkipWithError("cannot write the package image");
        return;
    }
    Volume volume(flush ? "copy-cp-flush" : "copy-cp");
    const std::string target = volume.target();
    const std::string dir = volume.volume.rootPath().toStdString();
    bool ok = true;
    for (auto _ : state) {
        state.PauseTiming();
        volume.reset();
        state.ResumeTiming();
        ok = ok && run({"cp", sourcePath(), target}) == 0;
        if (flush)
            ok = ok && fsyncPath(target, O_RDONLY) == 0 && fsyncPath(dir, O_RDONLY | O_DIRECTORY) == 0;
    }
    if (!ok)
        state.SkipWithError("cp failed");
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.counters["bytes"] = static_cast<double>(state.range(0));
}

void BM_Copy_CpOnly(benchmark::State &state) { BM_Copy_Cp(state, false); }
void BM_Copy_CpFlushed(benchmark::State &state) { BM_Copy_Cp(state, true); }

// Firmware images of this device are some hundred KiB; 4 MiB shows the
// per-byte cost.
void sizes(benchmark::internal::Benchmark *b)
{
    b->Arg(512 << 10)->Arg(4 << 20)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
    BenchSupport::withMin(b);
}
}  // namespace

BENCHMARK(BM_Copy_Product)->Apply(sizes);
BENCHMARK(BM_Copy_CpOnly)->Apply(sizes);
BENCHMARK(BM_Copy_CpFlushed)->Apply(sizes);

int main(int argc, char **argv)
{
    BenchSupport::silenceQtMessages();
    return BenchSupport::runBenchmarks(argc, argv, false, [] {
        const std::string dir = BenchSupport::scratchDir("copy-log");
        QDir::setCurrent(QString::fromStdString(dir));
        SysDebug::instance()->start(QString::fromStdString(dir + "/"), QString::fromStdString(dir + "/profile.ini"));
    });
}
