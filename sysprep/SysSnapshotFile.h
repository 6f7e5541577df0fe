#pragma once

#include "sysprep/SysSvcInfo.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QLockFile;

// The "before" record of the watched services and start values, kept on disk
// while the host system is changed, so that a run that crashed or was killed
// before its hand-back can be undone by the next start.
//
// The file lives in the program's folder: the services and start values are
// the machine's, not a user's, and the program always runs elevated, so that
// folder is writable to it. A per-user folder would be missed when the next
// start is elevated with another administrator account.
//
// Format: lines "key=value", first "version=1", then the six values; a file
// that is anything else is refused whole.
//
// A second copy of the program started while the first still runs must
// neither hand back nor replace the first one's record: claim() takes a lock
// file beside the record that names this process; a lock whose process is
// gone (the crashed or killed run) does not count.
class SysSnapshotFile {
public:
    static constexpr const char *kFileName = "SysStatusBefore.txt";
    static constexpr int kVersion = 1;

    explicit SysSnapshotFile(QString strPath = defaultPath());
    ~SysSnapshotFile();
    SysSnapshotFile(const SysSnapshotFile &) = delete;
    SysSnapshotFile &operator=(const SysSnapshotFile &) = delete;

    // kFileName in the program's folder, or in the folder a test chose.
    static QString defaultPath();
    // For tests; an empty folder returns to the program's folder. GUI thread.
    static void setDefaultDir(const QString &strDir);

    const QString &path() const { return m_strPath; }
    bool exists() const;

    // Makes the record this process's until the object goes; false while a
    // running process holds it (logged).
    bool claim();
    bool isClaimed() const;

    // Replaces the file as a whole (temporary file, synced, then renamed), so
    // a reader finds the old record or the new one, never a part.
    bool save(const SysSvcInfo &stInfo) const;
    // The record, or nothing when the file is missing or not a valid record
    // (logged).
    std::optional<SysSvcInfo> load() const;
    // True when the file is gone afterwards.
    bool remove() const;

    static QByteArray toText(const SysSvcInfo &stInfo);
    // Nothing when the text is not a complete, valid record; the reason goes
    // to strWhy.
    static std::optional<SysSvcInfo> fromText(const QByteArray &oText, QString &strWhy);

private:
    QString m_strPath;
    std::unique_ptr<QLockFile> m_poLock;
};
