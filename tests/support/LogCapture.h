#pragma once

#include <QMutex>
#include <QString>
#include <QStringList>

// Collects the logger's debug-output echo while it lives, so tests can check
// the exact lines a component wrote. Only one may be active at a time.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    QStringList lines() const;
    // Lines whose text contains the given piece.
    QStringList matching(const QString &piece) const;
    bool contains(const QString &piece) const { return !matching(piece).isEmpty(); }
    int count(const QString &piece) const { return matching(piece).size(); }
    void clear();

private:
    friend void logCaptureHandler(QtMsgType, const QMessageLogContext &, const QString &);
    mutable QMutex m_oMutex;
    QStringList m_oLines;
};
