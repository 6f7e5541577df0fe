#pragma once

#include <QString>

// How a simulated USB CDC ACM port presents itself to the serial port
// enumeration. A negative identifier means the device reports none.
struct UsbSerialIdentity {
    QString description = QStringLiteral("AIS Virtual Com");
    QString manufacturer = QStringLiteral("AIS");
    int vendorId = 0x2504;
    int productId = 0x3209;
    // Port name such as "ttyACM1"; empty takes a free ttyACMn (not
    // necessarily ttyACM0: lock files of other test processes are avoided).
    QString portName;
};
