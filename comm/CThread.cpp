#include "comm/CThread.h"

#include "log/SysLog.h"

#include <QMutexLocker>

CThread::CThread(QObject *parent, bool bRunning) : QThread(parent), running(bRunning) {}

CThread::~CThread()
{
    const QByteArray objName = objectName().toLocal8Bit();
    AIS_LOG(SysLevel::Leave, "CThread::~CThread", "Name:%s Start", objName.constData());
    stopRequested = true;
    {
        QMutexLocker locker(&mutex);
        running = false;
    }
    condition.wakeAll();
    // run() is the standard event loop: leave it too, or the wait below
    // would never return when the owner forgot to end the thread.
    quit();
    wait();
    AIS_LOG(SysLevel::Leave, "CThread::~CThread", "Name:%s End", objName.constData());
}

bool CThread::isRunningFlag()
{
    QMutexLocker locker(&mutex);
    return running;
}
