#include "comm/CCommSpace.h"

#include "comm/CLogListener.h"
#include "comm/CNetworkSocket.h"
#include "comm/CPlainIniFormat.h"
#include "comm/CSerialPort.h"
#include "comm/CServiceComm.h"
#include "comm/CThread.h"
#include "log/AppPaths.h"
#include "log/SysLog.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QSettings>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>

using COMM::CCommData;
using COMM::CServiceComm;

namespace {
// Locks the communication thread's mutex; without a thread there is no
// other party and nothing to lock.
class RequestLock {
public:
    explicit RequestLock(CThread *thread) : m_poThread(thread)
    {
        if (m_poThread)
            m_poThread->lock();
    }
    ~RequestLock()
    {
        if (m_poThread)
            m_poThread->unlock();
    }
    RequestLock(const RequestLock &) = delete;
    RequestLock &operator=(const RequestLock &) = delete;

private:
    CThread *m_poThread;
};

bool validConfig(const CommConfig &c)
{
    if (static_cast<unsigned>(c.SensorType) > 31u)
        return false;
    if (c.DevPrimaryPos < -1 || c.DevPrimaryPos > 2)
        return false;
    if (static_cast<unsigned>(c.CommType) > 2u)
        return false;
    if (c.CommType == 1 && static_cast<unsigned>(c.serialParam.BaudIndex) > 7u)
        return false;
    if (c.CommType == 2 &&
        (static_cast<unsigned>(c.netParam.NetKind) > 3u || static_cast<unsigned>(c.netParam.Port) > 65535u))
        return false;
    return true;
}

// Numbers 1..total of the "Connect%d" groups the file holds, ascending. Only
// these are read: a Total far above them would keep the communication thread
// reading absent groups for hours before it gets ready.
std::vector<int> presentGroups(QSettings &settings, int total)
{
    std::vector<int> numbers;
    const QString prefix = QStringLiteral("Connect");
    for (const QString &name : settings.childGroups()) {
        if (!name.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        const QString digits = name.mid(prefix.size());
        bool ok = false;
        const int n = digits.toInt(&ok);
        if (ok && n >= 1 && n <= total && QString::number(n) == digits)
            numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}
}  // namespace

// The program folder, never the current directory: the program runs elevated,
// and a comm.ini an ordinary user put in the folder it was started from
// could open ports or listen on the network.
CCommSpace::CCommSpace(bool bWithR57Log, QObject *parent)
    : QObject(parent), configDir(AppPaths::appDir()), withR57Log(bWithR57Log)
{
    setObjectName("CommSpaces");
    qRegisterMetaType<COMM::CCommData *>("COMM::CCommData*");
    qRegisterMetaType<COMM::CLogListener *>("COMM::CLogListener*");
}

CCommSpace::~CCommSpace()
{
    AIS_LOG(SysLevel::Leave, "CCommSpace::~CCommSpace", "Start");
    disconnect();
    if (commThread) {
        if (!stopDone) {
            hooksLive = false;
            stopRequested = true;
            stopThread(false);
        }
        commThread->disconnect();
        commThread.reset();
    }
    logListener = nullptr;
    AIS_LOG(SysLevel::Leave, "CCommSpace::~CCommSpace", "End");
    for (CCommData *item : commList)
        delete item;
    commList.clear();
}

bool CCommSpace::onCommThread() const
{
    return commThread && QThread::currentThread() == commThread.get();
}

QThread *CCommSpace::commThreadObject() const
{
    return commThread.get();
}

bool CCommSpace::initCommSpaceTh()
{
    if (commThread) {
        AIS_LOG(SysLevel::Error, "CCommSpace::initCommSpaceTh", "The thread is already exist.");
        return false;
    }
    try {
        commThread = std::make_unique<CThread>(nullptr, true);
        commThread->setObjectName("CommSpaces Thread");
        timer.moveToThread(commThread.get());
        onCommThCreated(commThread.get());
        connect(commThread.get(), SIGNAL(started()), this, SLOT(onCommThStarted()), Qt::DirectConnection);
        commThread->start(QThread::InheritPriority);
    } catch (const std::exception &e) {
        AIS_LOG(SysLevel::Critical, "CCommSpace::initCommSpaceTh", "%s", e.what());
        return false;
    }
    return true;
}

void CCommSpace::onCommThStarted()
{
    const QByteArray spaceName = objectName().toLocal8Bit();
    const QByteArray threadName = QThread::currentThread()->objectName().toLocal8Bit();
    AIS_LOG(SysLevel::Info, "CCommSpace::onCommThStarted", "%s Thread Started, Thread:%s", spaceName.constData(),
            threadName.constData());
    initCommConnt();
    timer.setInterval(kTickMs);
    connect(&timer, SIGNAL(timeout()), this, SLOT(onTimerOne()), Qt::DirectConnection);
    timer.start();
}

void CCommSpace::initCommConnt()
{
    AIS_LOG(SysLevel::Info, "CCommSpace::initCommConnt", "%s", "");
    if (withR57Log)
        createLogConnect();
    readCommConnect();
    onCommConntRead();
    for (CCommData *item : commItems()) {
        if (!item)
            AIS_LOG(SysLevel::Error, "CCommSpace::connectSetup", "Communication is empty.");
        else
            onCommItemSetup(item);
    }
    onCommConntFinish();
    emit signalCommConntReady();
}

void CCommSpace::readCommConnect()
{
    readCommConfigs([this](const CommConfig &config) { acceptConfig(config); });
}

void CCommSpace::readCommConfigs(const std::function<void(const CommConfig &)> &accept)
{
    QSettings settings(configDir + "comm.ini", CPlainIniFormat::format());
    const int total = settings.value("/ConnectHead/Total", 0).toInt();
    for (int g : presentGroups(settings, total)) {
        char group[32];
        std::snprintf(group, sizeof group, "/Connect%d/", g);
        const QString key = QString::fromLatin1(group);
        CommConfig config;
        config.SensorType = settings.value(key + "SensorType", 0).toInt();
        const std::wstring name = settings.value(key + "DevName", QString()).toString().toStdWString();
        if (name.size() < sizeof config.DevName / sizeof config.DevName[0])
            std::copy(name.begin(), name.end(), config.DevName);
        config.DevPrimaryPos = settings.value(key + "DevPrimaryPos", 2).toInt();
        config.Active = settings.value(key + "Active", false).toBool();
        config.CommType = settings.value(key + "CommType", -1).toInt();
        if (config.CommType == 1) {
            const QByteArray port = settings.value(key + "Parm1", QString()).toString().toLocal8Bit();
            if (static_cast<size_t>(port.size()) < sizeof config.serialParam.PortName)
                std::copy(port.begin(), port.end(), config.serialParam.PortName);
            config.serialParam.BaudIndex = settings.value(key + "Parm2", 0).toInt();
        } else if (config.CommType == 2) {
            const QByteArray address = settings.value(key + "Parm1", QString()).toString().toLocal8Bit();
            if (static_cast<size_t>(address.size()) < sizeof config.netParam.Address)
                std::copy(address.begin(), address.end(), config.netParam.Address);
            config.netParam.Port = settings.value(key + "Parm2", 0).toInt();
            config.netParam.NetKind = settings.value(key + "Parm3", 0).toInt();
        }
        config.DebugIsString = settings.value(key + "DebugIsString", false).toBool();
        config.DebugMsgOut = settings.value(key + "DebugMsgOut", 0).toInt();

        if (!validConfig(config)) {
            AIS_LOG(SysLevel::Exception, "CCommSpace::readCommConnect", "Read the %s is failed.", group);
            continue;
        }
        if (config.SensorType == 4)
            continue;
        accept(config);
    }
}

void CCommSpace::acceptConfig(const CommConfig &config)
{
    CServiceComm *ch = createComm(config);
    if (!ch)
        return;
    ch->setEnabled(true);
    if (ch->isConnected())
        emit signalCommConnted(findCommData(ch));
}

void CCommSpace::createLogConnect()
{
    CommConfig config;
    config.SensorType = 2;
    const wchar_t name[] = L"R57Log";
    std::copy(std::begin(name), std::end(name), config.DevName);
    config.DevPrimaryPos = -1;
    config.Active = false;
    config.SplitLines = false;
    config.CommType = 0;
    config.listenerMode = 1;
    config.DebugIsString = true;
    config.DebugMsgOut = 0;
    acceptConfig(config);
}

CServiceComm *CCommSpace::createComm(const CommConfig &config)
{
    const int kind = dataKindFor(config.SensorType, config.CommType);
    switch (config.CommType) {
    case 1:
        return createCommData(config, kind);
    case 2:
        if (config.netParam.NetKind < 0 || config.netParam.NetKind > 3)
            return nullptr;
        return createCommData(config, kind);
    case 0: {
        if (logListener)
            return nullptr;
        CServiceComm *ch = createCommData(config, dataKindFor(config.SensorType, 2));
        if (CCommData *item = findCommData(ch)) {
            logListener = item->logListener();
            emit signalCommLogReady(logListener);
        }
        return nullptr;
    }
    default:
        return nullptr;
    }
}

CServiceComm *CCommSpace::createCommData(const CommConfig &config, int dataKind)
{
    auto *item = new CCommData();
    bool made = false;
    switch (config.CommType) {
    case 0:
        made = item->createLogListener(config, dataKind) != nullptr;
        break;
    case 1:
        made = item->createSerialPort(config, dataKind) != nullptr;
        break;
    case 2:
        made = item->createNetworkSocket(config, dataKind) != nullptr;
        break;
    default:
        break;
    }
    if (!made || !item->channel()) {
        delete item;
        return nullptr;
    }
    {
        QMutexLocker locker(&listMutex);
        commList.push_back(item);
    }
    return item->channel();
}

CServiceComm *CCommSpace::connectComm(const CommConfig &config)
{
    if (config.SensorType == 4)
        return nullptr;
    CServiceComm *ch = createComm(config);
    if (ch)
        ch->setEnabled(true);
    return ch;
}

void CCommSpace::connectSetup(const CommConfig *config)
{
    // Announced only after the hooks: a receiver that reacts to the
    // announcement at once (the device check sends its first query) must
    // find the channel already attached, or that query is lost.
    CServiceComm *ch = connectComm(*config);
    CCommData *item = nullptr;
    if (commCount() == 0) {
        AIS_LOG(SysLevel::Error, "CCommSpace::connectSetup", "Communication is empty.");
    } else if (ch) {
        item = findCommData(ch);
        if (item && hooks())
            onCommItemSetup(item);
    }
    if (hooks())
        onCommDataSaved(item);
    if (ch && ch->isConnected())
        emit signalCommConnted(findCommData(ch));
    emit signalCommDataSaved();
}

void CCommSpace::saveCommConnect(const CommConfig &config)
{
    emit signalCommDataSave();
    addCommConnect(config);
}

void CCommSpace::addCommConnect(const CommConfig &config)
{
    auto request = std::make_unique<CommConfig>(config);
    while (true) {
        {
            RequestLock lock(commThread.get());
            // Only the communication thread empties the slot; without a
            // running thread nobody would, so the newer request takes it.
            const bool noDrain = !commThread || !commThread->isRunning();
            if (!pendingConnect || noDrain) {
                pendingConnect = std::move(request);
                return;
            }
        }
        if (onCommThread())
            processPendingConnect();  // waiting here could never end
        else
            QThread::msleep(100);
    }
}

void CCommSpace::placeDelete(CCommData *poCommData)
{
    while (true) {
        {
            RequestLock lock(commThread.get());
            const bool noDrain = !commThread || !commThread->isRunning();
            if (pendingDelete == poCommData)
                return;
            if (!pendingDelete || noDrain) {
                pendingDelete = poCommData;
                return;
            }
        }
        if (onCommThread())
            processPendingDelete();  // waiting here could never end
        else
            QThread::msleep(100);
    }
}

void CCommSpace::deleteCommData(CCommData *poCommData)
{
    placeDelete(poCommData);
    emit signalCommDataDelete(poCommData);
}

bool CCommSpace::isCommDeleting() const
{
    RequestLock lock(commThread.get());
    return pendingDelete != nullptr || deleteInProgress != nullptr;
}

bool CCommSpace::isCommConnecting() const
{
    RequestLock lock(commThread.get());
    return pendingConnect != nullptr;
}

CCommData *CCommSpace::findCommData(QObject *channel) const
{
    if (!channel)
        return nullptr;
    QMutexLocker locker(&listMutex);
    for (CCommData *item : commList)
        if (item && item->channel() == channel)
            return item;
    return nullptr;
}

std::vector<CCommData *> CCommSpace::commItems() const
{
    QMutexLocker locker(&listMutex);
    return commList;
}

int CCommSpace::commCount() const
{
    QMutexLocker locker(&listMutex);
    return static_cast<int>(commList.size());
}

bool CCommSpace::inList(const CCommData *poCommData) const
{
    QMutexLocker locker(&listMutex);
    return std::find(commList.begin(), commList.end(), poCommData) != commList.end();
}

void CCommSpace::onTimerOne()
{
    checkSerialErrors();
    processPending();
    if (stopRequested) {
        timer.stop();
        timer.disconnect();
        if (hooks())
            onCommStop();
        clearCommList();
        // Hand the timer back so it is destroyed on the space's own thread.
        timer.moveToThread(thread());
        stopDone = true;
        return;
    }
    if (commCount() > 0) {
        reconntScan();
        if (hooks())
            onCommTimer();
    }
}

void CCommSpace::checkSerialErrors()
{
    for (CCommData *item : commItems()) {
        if (item->commType() != 1 || !item->serialPort() || !item->serialPort()->hasPortError())
            continue;
        {
            RequestLock lock(commThread.get());
            if (item == pendingDelete || item == deleteInProgress)
                continue;
        }
        placeDelete(item);
    }
}

void CCommSpace::processPending()
{
    processPendingDelete();
    processPendingConnect();
}

void CCommSpace::processPendingDelete()
{
    CCommData *item = nullptr;
    {
        RequestLock lock(commThread.get());
        item = pendingDelete;
        if (!item)
            return;
        pendingDelete = nullptr;
        deleteInProgress = item;
    }
    // A request may name an item that is already gone (for example removed
    // after its device vanished while the request waited for the slot).
    if (inList(item)) {
        if (item->isReconnect()) {
            const CommConfig config = item->getConfig();
            if (config.CommType != -1)
                addCommConnect(config);
        }
        removeCommData(item);
    }
    RequestLock lock(commThread.get());
    deleteInProgress = nullptr;
}

void CCommSpace::processPendingConnect()
{
    std::unique_ptr<CommConfig> request;
    {
        RequestLock lock(commThread.get());
        request = std::move(pendingConnect);
    }
    if (request)
        connectSetup(request.get());
}

void CCommSpace::removeCommData(CCommData *poCommData)
{
    if (CServiceComm *ch = poCommData->channel())
        ch->disconnect();
    if (hooks())
        onCommItemDeleting(poCommData);
    deleteCommItem(poCommData);
    if (hooks())
        onCommItemDeleted();
    emit signalCommDataDeleted();
}

void CCommSpace::deleteCommItem(CCommData *poCommData)
{
    {
        QMutexLocker locker(&listMutex);
        auto it = std::find(commList.begin(), commList.end(), poCommData);
        if (it == commList.end())
            return;
        commList.erase(it);
    }
    AIS_LOG(SysLevel::Info, "CCommSpace::deleteCommItem", "%s", poCommData->description().c_str());
    if (CServiceComm *ch = poCommData->channel())
        ch->disconnect();
    if (poCommData->logListener() == logListener)
        logListener = nullptr;
    poCommData->destroyChannels();
    delete poCommData;
}

void CCommSpace::clearCommList()
{
    std::vector<CCommData *> items;
    {
        QMutexLocker locker(&listMutex);
        items.swap(commList);
    }
    for (CCommData *item : items) {
        if (CServiceComm *ch = item->channel())
            ch->disconnect();
        item->destroyChannels();
        delete item;
    }
    logListener = nullptr;
}

bool CCommSpace::reconntComm(CCommData *poCommData)
{
    bool ok = false;
    if (poCommData->commType() == 1 && poCommData->serialPort())
        ok = poCommData->serialPort()->connectPort();
    else if (poCommData->commType() == 2 && poCommData->networkSocket())
        ok = poCommData->networkSocket()->enableSocket(false);
    if (ok) {
        AIS_LOG(SysLevel::Info, "CCommSpace::reconntComm", "%s", poCommData->description().c_str());
        emit signalCommConnted(poCommData);
    }
    return ok;
}

bool CCommSpace::isItemConnected(CCommData *poCommData) const
{
    if (poCommData->commType() == 2 && poCommData->netKind() == 0)
        return poCommData->networkSocket() && poCommData->networkSocket()->isServerListening();
    const CServiceComm *ch = poCommData->channel();
    return ch && ch->isConnected();
}

void CCommSpace::reconntScan()
{
    const std::vector<CCommData *> items = commItems();
    const int count = static_cast<int>(items.size());
    reconntTurn = reconntTurn < count ? reconntTurn + 1 : 1;
    int i = 0;
    for (CCommData *item : items) {
        ++i;
        if (item->skipReconnect(true, true, true)) {
            if (reconntTurn <= i)
                ++reconntTurn;
            continue;
        }
        if (i != reconntTurn)
            continue;
        // One item is examined per tick. A connected one also ends the tick,
        // so the next tick moves on to the following item and a connected
        // item never keeps the ones behind it from being retried.
        if (isItemConnected(item))
            return;
        if (reconntComm(item))
            item->resetReconntCount();
        else if (item->countFailedReconnt())
            deleteCommData(item);
        return;
    }
    reconntTurn = 0;
}

void CCommSpace::end()
{
    stopRequested = true;
    if (!commThread)
        return;
    stopThread(true);
}

void CCommSpace::stopThread(bool processEvents)
{
    while (!stopDone && commThread->isRunning()) {
        if (processEvents)
            QCoreApplication::processEvents();
        AIS_LOG(SysLevel::Info, "CCommSpace::end", "Waiting for stop timer and clear CommList");
        QThread::msleep(500);
    }
    // Ending the event loop and waiting, rather than terminating: a killed
    // thread may hold the logger's or a channel's mutex and hang the exit.
    commThread->quit();
    commThread->wait();
    // The thread may have ended before its stop tick ran; it is finished
    // now, so its objects can be tidied up here.
    if (commCount() > 0)
        clearCommList();
}
