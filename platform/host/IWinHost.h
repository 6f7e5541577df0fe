#pragma once

#include <string>

// What a service-state query yields: the state (Windows numbering, 0 when it
// could not be read) and, on failure, the step that failed with its error.
struct ServiceQuery {
    // Not "OpenService": windows.h defines that name as a macro.
    enum Failure { None = 0, FailedOpenManager, FailedOpenService };
    int state = 0;
    Failure failure = None;
    unsigned long error = 0;
};

// The few Windows host facilities the system preparation needs: OS version,
// administrator test, service states, registry integers and the programs
// behind the "sc" and "net" command lines. Qt-free so the Windows backend can
// be compiled on its own.
class IWinHost {
public:
    virtual ~IWinHost() = default;

    // Version as the system reports it; false (and 0.0) when it cannot be read.
    virtual bool osVersion(int &major, int &minor) = 0;
    // Whether the current user belongs to the administrators.
    virtual bool isUserAdmin() = 0;
    virtual ServiceQuery queryServiceState(const std::string &name) = 0;
    // An integer registry value; 0 when the value is absent or not numeric.
    virtual int readRegistryInt(const std::string &keyPath, const std::string &valueName) = 0;
    // Full path of the program to run for a system tool ("sc", "net");
    // empty when the host has none.
    virtual std::string toolProgram(const std::string &tool) = 0;

    // The host the program talks to: the native one unless a test chose another.
    static IWinHost &current();
    // Not owned; nullptr returns to the native host.
    static void setCurrent(IWinHost *poHost);
};
