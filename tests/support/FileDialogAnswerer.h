#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <deque>

// Answers every file dialog that opens while it lives: with the next queued
// file name, or by cancelling when none is queued. Records what was asked.
class FileDialogAnswerer : public QObject {
    Q_OBJECT
public:
    struct Asked {
        QString caption;
        QString suggested;   // the file the dialog proposed
        QStringList filters;
        QString answer;      // empty when cancelled
    };

    explicit FileDialogAnswerer(QObject *parent = nullptr);

    void queueFile(const QString &path) { m_oQueued.push_back(path); }
    // Each dialog stays open this long before it is answered, as an
    // operator who looks for a folder keeps it open.
    void setHoldMs(int ms) { m_iHoldMs = ms; }
    const QVector<Asked> &asked() const { return m_oAsked; }
    int count() const { return m_oAsked.size(); }
    const Asked &last() const { return m_oAsked.last(); }
    // The most file dialogs that were open at the same time.
    int mostOpenAtOnce() const { return m_iMostOpen; }

private slots:
    void poll();

private:
    QTimer m_oTimer;
    QElapsedTimer m_oClock;
    int m_iHoldMs = 0;
    int m_iMostOpen = 0;
    std::deque<QString> m_oQueued;
    QVector<Asked> m_oAsked;
};
