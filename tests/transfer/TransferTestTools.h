#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

// Helpers shared by the transfer tests: files, FAT16 layout of an image,
// the dosfstools/mtools programs, and capture of standard output.
namespace TransferTestTools {

QByteArray readFile(const QString &path);
bool writeFile(const QString &path, const QByteArray &bytes);

// A firmware image as the simulator expects it: one "AISFW" line, then
// pseudo-random payload, `size` bytes in all.
QByteArray firmwareBytes(int size, uint32_t seed = 1);

struct Layout {
    uint32_t bytesPerSector = 0;
    uint32_t fatStart = 0;
    uint32_t fatCount = 0;
    uint32_t fatSize = 0;
    uint32_t rootDirSector = 0;
};
Layout layoutOf(const QByteArray &image);
QByteArray sectorOf(const QByteArray &image, uint32_t sector, uint32_t size);
uint16_t fatEntry(const QByteArray &image, const Layout &layout, int fatIndex, int cluster);

struct ToolResult {
    int exitCode = -1;
    QByteArray output;  // standard output and error together
};
// Runs a dosfstools or mtools program (found in PATH or /usr/sbin).
ToolResult runTool(const QString &program, const QStringList &arguments);

// The lines of `fsck.fat -n` that report a problem; empty for a clean image.
QStringList fsckFindings(const QString &imagePath, int *exitCode = nullptr);

// Redirects the process's standard output into a file while alive.
class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture &) = delete;
    StdoutCapture &operator=(const StdoutCapture &) = delete;
    // Ends the capture (once) and returns what was printed.
    QString take();

private:
    int m_iSavedFd = -1;
    QString m_strPath;
    QString m_strText;
};

}  // namespace TransferTestTools
