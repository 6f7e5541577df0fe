#pragma once

#include "platform/volume/VolumeInfo.h"
#include "transfer/MsdVolume.h"

#include <QThread>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class IVolumeCatalog;

// Finds the bootloader's mass-storage volume by name, checks its ready mark
// and copies the firmware image onto it on its own thread. The object lives
// on the GUI thread; only run() executes on the copy thread.
class CMSDManipulate : public QThread {
    Q_OBJECT
public:
    // Volumes come from `poCatalog`, or from the process-wide catalog when
    // none is given; the catalog must outlive this object.
    explicit CMSDManipulate(QObject *parent = nullptr, IVolumeCatalog *poCatalog = nullptr);
    // Waits for a running copy: the thread must not outlive the object.
    ~CMSDManipulate() override;

    void setMsdName(std::string strName);
    void setBinName(std::string strName);
    void setBinDir(std::string strDir);
    void setOsVerCode(int iCode);

    void startFindTimer();
    // One search; true when the volume is mounted now.
    bool findDev();
    // Starts the copy thread if the volume is ready and no earlier copy still
    // runs; otherwise does nothing. True when the thread was started, so a
    // signalTransResult will follow.
    bool startCopy();
    MsdVolume getMsdVolume() const;
    // The volume the last started copy wrote to, as the catalog reported it
    // when it was found (with what identifies it).
    VolumeInfo copiedVolume() const { return m_stCopyJob.stVolume; }
    // The mounted volumes named `strName`, in the catalog's order.
    std::vector<VolumeInfo> volumesNamed(const std::string &strName) const;
    // Free space of the volume last found, asked of the system now; -1 when
    // it is not mounted or the system does not say.
    int64_t volumeBytesFree() const;
    // The package image that run() copies: `strBinName` in the folder
    // `strBinDir` beside the program.
    static QString sourcePath(const std::string &strBinDir, const std::string &strBinName);
    // Prepares a new run; the names, the volume and the OS code stay.
    void resetFlags();

    // Progress of the copy thread, readable from any thread: bytes of the
    // image on the volume so far, and the monotonic time (SysClock::steadyMs)
    // of the last progress, the copy's start counting as the first.
    int64_t bytesWritten() const { return m_llBytesWritten.load(); }
    int64_t lastProgressMs() const { return m_llLastProgressMs.load(); }

    // Written on the GUI thread, except m_bCopyOk (copy thread; atomic, as a
    // reset may come while a copy still runs). The workflow reads m_bMsdFound and m_bTransResult,
    // the upgrade report strMsdPath.
    MsdVolume m_stMsdVolume;
    std::string strMsdPath;
    std::string strMsdName;
    std::string strBinName;
    std::string strBinDir;
    QTimer m_oFindTimer;
    int m_iFindCount = 0;
    std::atomic<bool> m_bCopyOk{false};
    bool m_bMsdFound = false;
    bool m_bTransResult = false;
    int m_iOsVerCode = -1;

signals:
    void signalTransResult(bool bTransSuccess);
    void signalDevChecked();
    void signalDevCheckFail();

private slots:
    void onTimerFindMSD();
    void onCopyFinish();

protected:
    void run() override;

private:
    void checkReadyFile();
    IVolumeCatalog &catalog() const;
    bool plainCopy(const QString &source, const QString &target, const std::string &msdPath);
    // Copy thread: `llBytes` of the image are on the volume now.
    void noteProgress(int64_t llBytes);
#if defined(Q_OS_WIN)
    bool xcopy(const std::string &source, const std::string &msdPath, const QString &target);
#endif

    IVolumeCatalog *m_poCatalog = nullptr;
    VolumeInfo m_stFoundVolume;  // by the last findDev that found it

    // What run() works on, taken when the copy starts: the GUI thread may
    // search again (and so rewrite strMsdPath) while the copy runs.
    struct CopyJob {
        std::string strMsdPath;
        std::string strBinName;
        std::string strBinDir;
        int iOsVerCode = -1;
        VolumeInfo stVolume;
    };
    CopyJob m_stCopyJob;
    std::atomic<int64_t> m_llBytesWritten{0};
    std::atomic<int64_t> m_llLastProgressMs{0};
};
