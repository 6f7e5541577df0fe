#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVector>

#include <deque>

// Answers every message box that opens while it lives, as an operator would,
// and records what was shown. Runs on the GUI thread: the modal box's own
// event loop drives the polling timer.
class MessageBoxAnswerer : public QObject {
    Q_OBJECT
public:
    struct Shown {
        int kind;        // 0 information, 1 question, 2 warning, 3 critical, -1 other
        QString title;
        QString text;
        QMessageBox::StandardButton answeredWith;
    };

    explicit MessageBoxAnswerer(QMessageBox::StandardButton defaultAnswer = QMessageBox::Ok,
                                QObject *parent = nullptr);

    // Answers for the next boxes, in order; the default answer is used once they run out.
    void queueAnswer(QMessageBox::StandardButton answer) { m_oQueued.push_back({answer, 0}); }
    // The next box is answered with a key (Qt::Key_Return, Qt::Key_Escape):
    // whatever button the box gives that key is recorded as the answer.
    void queueKey(int key) { m_oQueued.push_back({QMessageBox::NoButton, key}); }
    void setDefaultAnswer(QMessageBox::StandardButton answer) { m_eDefault = answer; }

    const QVector<Shown> &shown() const { return m_oShown; }
    int count() const { return m_oShown.size(); }
    const Shown &last() const { return m_oShown.last(); }
    void clear() { m_oShown.clear(); }

    // Processes events until `n` boxes have been answered or `timeoutMs` passed.
    bool waitForCount(int n, int timeoutMs = 5000);

private slots:
    void poll();

private:
    struct Answer {
        QMessageBox::StandardButton button;
        int key;
    };

    QTimer m_oTimer;
    QMessageBox::StandardButton m_eDefault;
    std::deque<Answer> m_oQueued;
    QVector<Shown> m_oShown;
};
