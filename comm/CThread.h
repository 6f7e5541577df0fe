#pragma once

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

// The program's thread: a QThread running the standard event loop, with a
// mutex its owner may borrow for short critical sections, a wait condition
// and two flags for worker loops. The destructor stops and waits for it.
class CThread : public QThread {
    Q_OBJECT
public:
    CThread(QObject *parent, bool running);
    ~CThread() override;

    void lock() { mutex.lock(); }
    void unlock() { mutex.unlock(); }
    QMutex *threadMutex() { return &mutex; }
    QWaitCondition &waitCondition() { return condition; }
    bool isRunningFlag();
    bool isStopRequested() const { return stopRequested; }

signals:
    void signalStart();
    void signal();

private:
    QMutex mutex;
    QWaitCondition condition;
    bool running = false;
    std::atomic<bool> stopRequested{false};
};
