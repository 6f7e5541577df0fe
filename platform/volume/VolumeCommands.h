#pragma once

#include <string>

// Texts the Windows side builds around the bootloader volume: the command
// lines run through "cmd.exe" on it, the reading of their output, and the
// volume device that the raw writer opens. Pure text functions, usable on
// every platform (the Windows build check compiles this unit without Qt).
namespace VolumeCommands {

// The command interpreter every volume command runs through: "cmd" names
// cmd.exe in the system folder (SystemFolder::program), by whose full path it
// is started, never by its bare name.
constexpr const char *kInterpreter = "cmd";

// What the interpreter gets after its name: "/C xcopy "<source>" "<msdPath>" /Y",
// every "/" in the two paths turned into "\". /Y: the image may already be
// on the volume (an earlier attempt, or the raw writer's entry under that
// name), and an overwrite prompt would wait for an answer that never comes.
std::string xcopyArguments(const std::string &source, const std::string &msdPath);
// The whole line as it runs: `interpreter` (the full path, quoted when it
// has a blank), a blank, then xcopyArguments().
std::string xcopyCommand(const std::string &interpreter, const std::string &source, const std::string &msdPath);

// "/C dir E: /S /ON /B" for the root path "E:/" (the character at index 2 is
// dropped), and the whole line, such as "C:\Windows\System32\cmd.exe /C dir E: /S /ON /B".
std::string dirArguments(const std::string &msdPath);
std::string dirCommand(const std::string &interpreter, const std::string &msdPath);

// True only when xcopy ended with code 0 and its closing summary counts
// exactly one file ("1 File(s) copied", or its translation).
bool xcopyCopiedOneFile(int exitCode, const std::string &output);

// The volume device of a drive given by its root path: "\\.\E:" for "E:/"
// (only the first character counts). "" when that is not a drive letter.
std::string volumeDevicePath(const std::string &drive);

}  // namespace VolumeCommands
