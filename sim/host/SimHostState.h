#pragma once

#include <QString>

#include <map>
#include <string>
#include <vector>

// One service of the simulated Windows host.
struct SimService {
    int state = 1;             // current state, Windows numbering (1 stopped, 4 running)
    int start = 3;             // registry "Start": 2 auto, 3 demand, 4 disabled, 0 absent
    bool netHangs = false;     // "net start/stop" never return
    bool scHangs = false;      // "sc config" never returns
    int stopRefusals = 0;      // "net stop" fails this many more times (-1: always)
    std::vector<std::string> dependsOn;  // services it needs running
    int netDelayMs = 0;        // "net start/stop" take this long before they act
};

// The simulated host's state as a small text file, shared between the test
// process and the fake "sc"/"net" programs it starts.
class SimHostState {
public:
    static constexpr const char *kFileName = "host-state.txt";
    static constexpr const char *kCommandLogName = "commands.log";

    bool admin = true;
    std::map<std::string, SimService> services;

    // False when the file is missing or malformed (the state is then empty).
    bool load(const QString &path);
    // Written to a temporary file and renamed, so a reader never sees half a state.
    bool save(const QString &path) const;
};
