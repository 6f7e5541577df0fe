// "comm.ini" contents through the communication space's reader, then every
// accepted group through the channel factory (closed: nothing is opened,
// bound or connected).
#include "fuzz/FuzzEnv.h"

#include "comm/CCommData.h"
#include "comm/CCommSpace.h"
#include "comm/CServiceComm.h"
#include "comm/CommConfig.h"

#include <cstring>
#include <cwchar>
#include <vector>

namespace {
class FuzzSpace : public CCommSpace {
public:
    FuzzSpace() : CCommSpace(false, nullptr) {}
    ~FuzzSpace() override { clearCommList(); }

    std::vector<CommConfig> read()
    {
        std::vector<CommConfig> accepted;
        readCommConfigs([&accepted](const CommConfig &config) { accepted.push_back(config); });
        return accepted;
    }
    COMM::CServiceComm *create(const CommConfig &config) { return createComm(config); }
    void clear() { clearCommList(); }

protected:
    void onCommConntFinish() override {}
    void onCommThCreated(QThread *) override {}
    void onCommConntRead() override {}
    void onCommReserved() override {}
    void onCommItemSetup(COMM::CCommData *) override {}
    void onCommStop() override {}
    void onCommDataSaved(COMM::CCommData *) override {}
    void onCommItemDeleting(COMM::CCommData *) override {}
    void onCommItemDeleted() override {}
    void onCommTimer() override {}
};

void checkAccepted(const CommConfig &c)
{
    FUZZ_CHECK(c.SensorType >= 0 && c.SensorType <= 31 && c.SensorType != 4);
    FUZZ_CHECK(c.DevPrimaryPos >= -1 && c.DevPrimaryPos <= 2);
    FUZZ_CHECK(c.CommType >= 0 && c.CommType <= 2);
    FUZZ_CHECK(wcsnlen(c.DevName, 32) < 32);
    FUZZ_CHECK(strnlen(c.serialParam.PortName, sizeof c.serialParam.PortName) < sizeof c.serialParam.PortName);
    FUZZ_CHECK(strnlen(c.netParam.Address, sizeof c.netParam.Address) < sizeof c.netParam.Address);
    FUZZ_CHECK(!c.SplitLines);
    if (c.CommType == 1)
        FUZZ_CHECK(c.serialParam.BaudIndex >= 0 && c.serialParam.BaudIndex <= 7);
    if (c.CommType == 2) {
        FUZZ_CHECK(c.netParam.NetKind >= 0 && c.netParam.NetKind <= 3);
        FUZZ_CHECK(c.netParam.Port >= 0 && c.netParam.Port <= 65535);
    }
}

// The channel gives back what it was made from.
void checkRoundTrip(const CommConfig &in, const CommConfig &out)
{
    FUZZ_CHECK(out.SensorType == in.SensorType);
    FUZZ_CHECK(std::wcscmp(out.DevName, in.DevName) == 0);
    FUZZ_CHECK(out.DevPrimaryPos == in.DevPrimaryPos);
    FUZZ_CHECK(out.CommType == in.CommType);
    FUZZ_CHECK(out.DebugIsString == in.DebugIsString);
    FUZZ_CHECK(out.DebugMsgOut == in.DebugMsgOut);
    if (in.CommType == 1) {
        FUZZ_CHECK(std::strcmp(out.serialParam.PortName, in.serialParam.PortName) == 0);
        FUZZ_CHECK(out.serialParam.BaudIndex == in.serialParam.BaudIndex);
    } else {
        FUZZ_CHECK(std::strcmp(out.netParam.Address, in.netParam.Address) == 0);
        FUZZ_CHECK(out.netParam.Port == in.netParam.Port);
        FUZZ_CHECK(out.netParam.NetKind == in.netParam.NetKind);
    }
}
}  // namespace

static int fuzzOne(const uint8_t *data, size_t size)
{
    FuzzEnv &env = FuzzEnv::instance();
    if (env.writeFile(QStringLiteral("comm.ini"), data, size).isEmpty())
        return 0;

    FuzzSpace space;
    space.setConfigDir(env.dir() + QStringLiteral("/"));
    const std::vector<CommConfig> accepted = space.read();
    for (const CommConfig &config : accepted) {
        checkAccepted(config);
        // Inactive, so the factory makes the channel without opening a port
        // or touching the network.
        CommConfig closed = config;
        closed.Active = false;
        const int before = space.commCount();
        COMM::CServiceComm *channel = space.create(closed);
        if (config.CommType == 0) {
            FUZZ_CHECK(channel == nullptr);
            continue;
        }
        FUZZ_CHECK(channel != nullptr);
        FUZZ_CHECK(space.commCount() == before + 1);
        COMM::CCommData *item = space.findCommData(channel);
        FUZZ_CHECK(item != nullptr);
        FUZZ_CHECK(!channel->isEnabled());
        checkRoundTrip(closed, item->getConfig());
    }
    space.clear();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzOne(data, size);
    FuzzEnv::settle();
    return 0;
}
