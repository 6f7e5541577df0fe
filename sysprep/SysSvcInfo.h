#pragma once

// The watched services and start values at one moment. Registry values read
// 0 when absent; service states use the Windows numbering, 0 when unknown.
struct SysSvcInfo {
    int storageReg = 0;               // "Start" of StorSvc
    int wsearchReg = 0;               // "Start" of WSearch
    int storageService = 0;           // state of StorSvc
    int wsearchService = 0;           // state of WSearch
    int shellHWDetectionService = 0;  // state of ShellHWDetection
    int bitLockerService = 0;         // state of BDESVC

    bool operator==(const SysSvcInfo &o) const
    {
        return storageReg == o.storageReg && wsearchReg == o.wsearchReg && storageService == o.storageService &&
               wsearchService == o.wsearchService && shellHWDetectionService == o.shellHWDetectionService &&
               bitLockerService == o.bitLockerService;
    }
    bool operator!=(const SysSvcInfo &o) const { return !(*this == o); }
};
