#pragma once

#include "comm/CCommSpace.h"

#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QThread>

#include <functional>
#include <string>
#include <vector>

// A communication space for tests: every hook and every space signal is
// recorded (on the thread that runs it) into one ordered list; tests can add
// behaviour to the hooks.
class RecordingSpace : public CCommSpace {
    Q_OBJECT
public:
    explicit RecordingSpace(bool withR57Log = false) : CCommSpace(withR57Log, nullptr)
    {
        // Direct connections: recorded in emission order on the emitting thread.
        connect(this, &CCommSpace::signalCommConntReady, this, [this] { record("signalCommConntReady"); }, Qt::DirectConnection);
        connect(this, &CCommSpace::signalCommDataSaved, this, [this] { record("signalCommDataSaved"); }, Qt::DirectConnection);
        connect(this, &CCommSpace::signalCommDataDeleted, this, [this] { record("signalCommDataDeleted"); }, Qt::DirectConnection);
        connect(this, &CCommSpace::signalCommDataDelete, this, [this](COMM::CCommData *) { record("signalCommDataDelete"); }, Qt::DirectConnection);
        connect(this, &CCommSpace::signalCommLogReady, this, [this](COMM::CLogListener *) { record("signalCommLogReady"); }, Qt::DirectConnection);
        connect(this, &CCommSpace::signalCommConnted, this, [this](COMM::CCommData *item) {
            record("signalCommConnted");
            QMutexLocker locker(&m_oMutex);
            m_oConnted.append(item);
        }, Qt::DirectConnection);
    }
    // A derived space must stop the thread before its own members go: the
    // communication thread calls the hooks until end() returns.
    ~RecordingSpace() override { end(); }

    QStringList events() const
    {
        QMutexLocker locker(&m_oMutex);
        QStringList out;
        for (const std::string &e : m_oEvents)
            out.append(QString::fromStdString(e));
        return out;
    }
    int count(const QString &name) const { return events().count(name); }
    QList<COMM::CCommData *> connted() const
    {
        QMutexLocker locker(&m_oMutex);
        return m_oConnted;
    }
    void record(const QString &name)
    {
        QMutexLocker locker(&m_oMutex);
        m_oEvents.push_back(name.toStdString());
    }

    QThread *createdThread = nullptr;
    std::function<void(COMM::CCommData *)> itemSetup;
    std::function<void(COMM::CCommData *)> dataSaved;
    std::function<void()> timerHook;

protected:
    void onCommConntFinish() override { record("onCommConntFinish"); }
    void onCommThCreated(QThread *poThread) override
    {
        createdThread = poThread;
        record("onCommThCreated");
    }
    void onCommConntRead() override { record("onCommConntRead"); }
    void onCommReserved() override { record("onCommReserved"); }
    void onCommItemSetup(COMM::CCommData *item) override
    {
        record("onCommItemSetup");
        if (itemSetup)
            itemSetup(item);
    }
    void onCommStop() override { record("onCommStop"); }
    void onCommDataSaved(COMM::CCommData *item) override
    {
        record(item ? "onCommDataSaved" : "onCommDataSaved(null)");
        if (dataSaved)
            dataSaved(item);
    }
    void onCommItemDeleting(COMM::CCommData *) override { record("onCommItemDeleting"); }
    void onCommItemDeleted() override { record("onCommItemDeleted"); }
    void onCommTimer() override
    {
        record("onCommTimer");
        if (timerHook)
            timerHook();
    }

private:
    mutable QMutex m_oMutex;
    // Plain strings: Qt's implicitly shared containers handed between
    // threads look racy to ThreadSanitizer.
    std::vector<std::string> m_oEvents;
    QList<COMM::CCommData *> m_oConnted;
};
