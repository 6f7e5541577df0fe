#include "platform/host/IWinHost.h"

#include "platform/host/NativeWinHost.h"

#include <atomic>

namespace {
std::atomic<IWinHost *> g_poCurrent{nullptr};
}  // namespace

IWinHost &IWinHost::current()
{
    IWinHost *host = g_poCurrent.load();
    if (host != nullptr)
        return *host;
    static NativeWinHost native;
    return native;
}

void IWinHost::setCurrent(IWinHost *poHost)
{
    g_poCurrent.store(poHost);
}
