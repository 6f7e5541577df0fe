// Not Windows: no services, no registry, no tools. The version 0.0 keeps the
// system preparation from changing anything.
#include "platform/host/NativeWinHost.h"

namespace {
// ERROR_CALL_NOT_IMPLEMENTED, the number Windows gives for a missing facility.
constexpr unsigned long kNotImplemented = 120;
}  // namespace

bool NativeWinHost::osVersion(int &major, int &minor)
{
    major = 0;
    minor = 0;
    return false;
}

bool NativeWinHost::isUserAdmin()
{
    return false;
}

ServiceQuery NativeWinHost::queryServiceState(const std::string &)
{
    ServiceQuery result;
    result.failure = ServiceQuery::FailedOpenManager;
    result.error = kNotImplemented;
    return result;
}

int NativeWinHost::readRegistryInt(const std::string &, const std::string &)
{
    return 0;
}

std::string NativeWinHost::toolProgram(const std::string &)
{
    return {};
}
