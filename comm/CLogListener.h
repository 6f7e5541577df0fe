#pragma once

#include "comm/CServiceComm.h"

#include <QByteArray>

namespace COMM {

// Channel of CommType 0: no device; recorded traffic can be replayed through
// the ordinary receive path, so consumers see it like live data.
class CLogListener : public CServiceComm {
    Q_OBJECT
public:
    CLogListener(const DevInfo &devInfo, int mode, int dataKind);
    ~CLogListener() override;

    int mode() const { return listenerMode; }
    // Feeds one recorded chunk through the receive path.
    void replay(const QByteArray &data);
    // Ends a recording or replay: drops everything queued so far.
    void endSession();

    void getConfig(CommConfig &out) const override;

private:
    int listenerMode = 0;
};

}  // namespace COMM
