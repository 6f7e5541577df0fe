#pragma once

#include <cstdint>
#include <string>

// The device part of a connection record; every channel keeps a copy.
struct DevInfo {
    int32_t SensorType = 0;          // 0..31; 4 = never set up
    wchar_t DevName[32] = {};        // NUL-terminated, at most 31 characters
    int32_t DevPrimaryPos = 2;       // -1..2
    bool Active = false;             // open or enable right after creation
    bool SplitLines = false;         // message kinds: cut received text into lines
};

// Serial parameters (CommType 1).
struct SerialParam {
    char PortName[256] = {};         // NUL-terminated, at most 255 characters
    int32_t BaudIndex = 0;           // 0..7, else -1
};

// Network parameters (CommType 2).
struct NetworkParam {
    int32_t NetKind = 0;             // 0 TCP server, 1 TCP client, 2 UDP server, 3 UDP client; else -1
    char Address[254] = {};          // NUL-terminated IP address text
    int32_t Port = 0;                // 0..65535, else -1
};

// One connection: what comm.ini holds per group and what a channel gives back
// with getConfig. A plain record copied by value. Only the parameter part that
// matches CommType is meaningful.
struct CommConfig : DevInfo {
    int32_t CommType = -1;           // -1 none, 0 log listener, 1 serial port, 2 network socket
    SerialParam serialParam;
    NetworkParam netParam;
    int32_t listenerMode = 0;        // CommType 0 (1 for the R57Log listener)
    bool DebugIsString = false;      // debug dumps as text instead of hexadecimal
    int32_t DebugMsgOut = 0;         // bit 0 log received data, bit 1 log sent data

    const DevInfo &devInfo() const { return *this; }
    void setDevInfo(const DevInfo &info) { static_cast<DevInfo &>(*this) = info; }
};

// Record builders. A name that does not fit its field is stored empty and
// *ok (when given) is set false; numbers out of range are stored as -1.
DevInfo makeDevInfo(int sensorType, const wchar_t *name, int primaryPos, bool active, bool *ok = nullptr);
SerialParam makeSerialParam(const char *portName, int baudIndex, bool *ok = nullptr);
NetworkParam makeNetworkParam(int netKind, const std::string &address, int port, bool *ok = nullptr);

// Data kind a channel gets for a sensor type and connection kind.
int dataKindFor(int sensorType, int commType);

// Baud rate of a BaudIndex (0 = 115200 ... 7 = 1200), -1 for any other index.
int baudRateFor(int baudIndex);

// DevName as 8-bit text, for log lines and object names.
std::string devNameText(const DevInfo &info);
