#pragma once

#include "device/VerInfo.h"

#include <string>

// What tells one transponder from another of its model, as its "$AIVER"
// answer gives it: machine type, unique id and serial number.
struct UnitIdentity {
    std::string strMachineType;
    std::string strUniqueId;
    int iSerialNum = 0;

    static UnitIdentity of(const VerInfo &stInfo);
    // The answer named the unit: a unique id or a serial number was given.
    bool isKnown() const;
    // The answer is this unit's.
    bool matches(const VerInfo &stInfo) const;
};
