#pragma once

// Log levels; the numbers are part of the log format and the settings keys.
namespace SysLevel {
enum Level : int {
    None = 0,
    Stake = 1,
    Finish = 2,
    Info = 3,
    Warning = 4,
    Error = 5,
    Critical = 6,
    Exception = 7,
    Leave = 8,
    Profile = 9,
    Control = 10,
    Action = 11,
    Deep = 12,
    Debug = 13,
};
constexpr int Count = 14;
}  // namespace SysLevel
