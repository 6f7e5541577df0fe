#include "device/UnitIdentity.h"

#include <cstring>

namespace {
std::string field(const char *text, std::size_t size)
{
    return std::string(text, strnlen(text, size));
}
}  // namespace

UnitIdentity UnitIdentity::of(const VerInfo &stInfo)
{
    UnitIdentity identity;
    identity.strMachineType = field(stInfo.szMachineType, sizeof stInfo.szMachineType);
    identity.strUniqueId = field(stInfo.szUniqueId, sizeof stInfo.szUniqueId);
    identity.iSerialNum = stInfo.iSerialNum;
    return identity;
}

bool UnitIdentity::isKnown() const
{
    return !strUniqueId.empty() || iSerialNum > 0;
}

bool UnitIdentity::matches(const VerInfo &stInfo) const
{
    const UnitIdentity other = of(stInfo);
    return isKnown() && other.strMachineType == strMachineType && other.strUniqueId == strUniqueId &&
           other.iSerialNum == iSerialNum;
}
