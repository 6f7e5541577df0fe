#pragma once

#include "comm/CCommSpace.h"
#include "device/CDeviceComm.h"

#include <string>
#include <vector>

// Finds the transponder among the serial ports, connects it through the
// communication space and gives the workflow the few device operations it
// needs. The public operations run on the GUI thread; the hooks run on the
// communication thread and attach or detach the channel of m_oDevComm.
class CCommSpacesManage : public CCommSpace {
    Q_OBJECT
public:
    explicit CCommSpacesManage(QObject *parent);
    ~CCommSpacesManage() override;

    bool pollingDevName();
    // Every matching port, in the order pollingDevName walks them.
    std::vector<std::string> matchingPorts();
    bool conntPolledDev();
    // conntPolledDev for the port of that name.
    bool conntPort(const std::string &strPortName);
    void checkPolledDev();
    void sendDevCommand(const std::string &sentence);
    void deletePolledDev();

    // The connection record conntPolledDev queues for a port name.
    static CommConfig transponderConfig(const std::string &strPortName);

    CDeviceComm m_oDevComm;
    std::string strPolledDev;

protected:
    void onCommConntFinish() override {}
    void onCommThCreated(QThread *poThread) override { Q_UNUSED(poThread); }
    void onCommConntRead() override {}
    void onCommReserved() override {}
    void onCommItemSetup(COMM::CCommData *poCommData) override { Q_UNUSED(poCommData); }
    void onCommStop() override;
    void onCommDataSaved(COMM::CCommData *poCommData) override;
    void onCommItemDeleting(COMM::CCommData *poCommData) override;
    void onCommItemDeleted() override {}
    void onCommTimer() override {}

private:
    // The matching ports, logged as they are walked: all of them, or only the first.
    std::vector<std::string> matchPorts(bool bAll);
};
