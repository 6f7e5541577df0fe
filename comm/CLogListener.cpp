#include "comm/CLogListener.h"

namespace COMM {

CLogListener::CLogListener(const DevInfo &info, int mode, int kind) : CServiceComm(info, kind), listenerMode(mode)
{
    setCommType(0);
}

CLogListener::~CLogListener() = default;

void CLogListener::replay(const QByteArray &data)
{
    dataReceived(data, false);
}

void CLogListener::endSession()
{
    rawHandle()->clearAll();
}

void CLogListener::getConfig(CommConfig &out) const
{
    out = CommConfig();
    out.setDevInfo(deviceInfo());
    out.CommType = getCommType();
    out.listenerMode = listenerMode;
    out.DebugIsString = isDebugString();
    out.DebugMsgOut = debugMask();
}

}  // namespace COMM
