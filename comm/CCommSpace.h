#pragma once

#include "comm/CCommData.h"
#include "comm/CLogListener.h"
#include "comm/CommConfig.h"

#include <QMutex>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class CThread;
class QThread;

namespace COMM {
class CServiceComm;
}  // namespace COMM

// Owns every connection and the "CommSpaces Thread" they run on. Connections
// come from "comm.ini" at start-up and from connect requests; a one-second
// tick on the communication thread removes vanished serial devices, carries
// out the queued delete and connect requests and retries disconnected
// connections in turn. Other threads queue requests and learn results
// through signals. Derived classes implement the ten hooks, which run on the
// communication thread.
class CCommSpace : public QObject {
    Q_OBJECT
public:
    static constexpr int kTickMs = 1000;

    CCommSpace(bool withR57Log, QObject *parent);
    ~CCommSpace() override;

    bool initCommSpaceTh();
    // Stops the tick, deletes every connection and ends the thread.
    void end();
    void saveCommConnect(const CommConfig &config);
    void addCommConnect(const CommConfig &config);
    void deleteCommData(COMM::CCommData *poCommData);
    bool isCommDeleting() const;
    // A connect request waits for the next tick.
    bool isCommConnecting() const;
    COMM::CCommData *findCommData(QObject *channel) const;

    // Folder put in front of "comm.ini": the program's folder (AppPaths::appDir) unless set.
    void setConfigDir(const QString &dir) { configDir = dir; }
    QString getConfigDir() const { return configDir; }
    // Snapshot of the connections in creation order. The items belong to the
    // communication thread; dereference them there (hooks, direct slots).
    std::vector<COMM::CCommData *> commItems() const;
    int commCount() const;
    QThread *commThreadObject() const;

signals:
    void signalCommConntReady();
    void signalCommLogReady(COMM::CLogListener *poListener);
    void signalCommDataSave();
    void signalCommDataSaved();
    void signalCommDataDelete(COMM::CCommData *poCommData);
    void signalCommDataDeleted();
    void signalCommConnted(COMM::CCommData *poCommData);

private slots:
    void onTimerOne();
    void onCommThStarted();

protected:
    // Hooks, run on the communication thread.
    virtual void onCommConntFinish() = 0;
    virtual void onCommThCreated(QThread *poThread) = 0;
    virtual void onCommConntRead() = 0;
    virtual void onCommReserved() = 0;
    virtual void onCommItemSetup(COMM::CCommData *poCommData) = 0;
    virtual void onCommStop() = 0;
    virtual void onCommDataSaved(COMM::CCommData *poCommData) = 0;
    virtual void onCommItemDeleting(COMM::CCommData *poCommData) = 0;
    virtual void onCommItemDeleted() = 0;
    virtual void onCommTimer() = 0;

    void readCommConnect();
    // Reads comm.ini and hands every accepted group (SensorType 4 left out)
    // to `accept`, in group order; rejected groups are logged.
    void readCommConfigs(const std::function<void(const CommConfig &)> &accept);
    void initCommConnt();
    void connectSetup(const CommConfig *config);
    bool reconntComm(COMM::CCommData *poCommData);
    void deleteCommItem(COMM::CCommData *poCommData);

    COMM::CServiceComm *createCommData(const CommConfig &config, int dataKind);
    COMM::CServiceComm *createComm(const CommConfig &config);
    // Creates and enables; connectSetup announces the connection.
    COMM::CServiceComm *connectComm(const CommConfig &config);
    void createLogConnect();
    void checkSerialErrors();
    void processPending();
    void removeCommData(COMM::CCommData *poCommData);
    void clearCommList();
    void reconntScan();

private:
    bool onCommThread() const;
    bool inList(const COMM::CCommData *poCommData) const;
    bool isItemConnected(COMM::CCommData *poCommData) const;
    void acceptConfig(const CommConfig &config);
    void processPendingDelete();
    void processPendingConnect();
    void placeDelete(COMM::CCommData *poCommData);
    void stopThread(bool processEvents);
    bool hooks() const { return hooksLive; }

    QTimer timer;
    std::unique_ptr<CThread> commThread;
    QString configDir;
    bool withR57Log = false;
    std::unique_ptr<CommConfig> pendingConnect;
    COMM::CCommData *pendingDelete = nullptr;
    COMM::CCommData *deleteInProgress = nullptr;
    COMM::CLogListener *logListener = nullptr;
    // Changed only on the communication thread; listMutex lets other threads
    // take a consistent snapshot.
    std::vector<COMM::CCommData *> commList;
    mutable QMutex listMutex;
    std::atomic<bool> stopRequested{false};
    std::atomic<bool> stopDone{false};
    // Cleared when the space is destroyed without end(): the derived part is
    // gone, so the stop tick must not call hooks any more.
    std::atomic<bool> hooksLive{true};
    int reconntTurn = 0;
};
