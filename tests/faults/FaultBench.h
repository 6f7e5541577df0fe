#pragma once

#include "tests/e2e/UpgradeRig.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

// What every fault case checks, on top of the upgrade rig: the exact message
// boxes, the volume after the fault as fsck.fat and mtools see its image,
// and a clean upgrade afterwards in the same window. GUI thread only.
class FaultBench {
public:
    static const QString kOldVersion;  // running on the simulated device
    static const QString kNewVersion;  // in the package

    FaultBench();
    ~FaultBench();

    bool isReady() const { return m_poRig && m_poRig->isReady(); }
    UpgradeRig &rig() const { return *m_poRig; }

    // Around each case: a package beside the program, no armed volume fault,
    // empty box and log records; afterwards nothing left of the case.
    bool beginCase();
    void endCase();

    // Message box `n` (1-based): its kind, the title that goes with it and its
    // text; false, with what was shown on standard error, otherwise.
    bool boxIs(int n, int kind, const QString &text) const;
    bool isReportOffer(int n) const;
    // No box beyond the first `n`, even after another refresh tick.
    bool noFurtherBox(int n) const;

    // Power cycle of a device left in bootloader mode, and a fresh volume.
    bool deviceBackInNormalMode();
    // A whole upgrade from the welcome page: the image on the volume, the
    // volume sound afterwards.
    bool retrySucceeds(const QString &current);

    // What the mounted root may hold besides "READY.txt".
    enum class Root {
        Untouched,   // nothing else
        Upgraded,    // the package image, complete
        Abandoned,   // a temporary file of a copy cut off with the device gone, never a torn image
    };
    // What is wrong with the current volume: fsck.fat findings beyond the
    // one the firmware entry always causes (sized like the image, one cluster
    // long), entries in mtools' view of the image other than at most one
    // "123.567", and what the mounted root holds beyond `eRoot`. Empty when
    // the volume is sound.
    QStringList volumeProblems(Root eRoot) const;
    // Image bytes of the current volume, to prove that nothing touched it.
    QByteArray imageBytes() const;

    // Resident memory of this process, from /proc/self/status.
    static qint64 rssKiB();
    // A dosfstools or mtools program without the test's preloaded shims;
    // standard output and error together, exit code in `exitCode`.
    static QByteArray runTool(const QString &program, const QStringList &arguments, int *exitCode = nullptr);

private:
    std::unique_ptr<UpgradeRig> m_poRig;
};
