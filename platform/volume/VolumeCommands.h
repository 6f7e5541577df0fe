#pragma once

#include <string>

// Command lines run through "cmd.exe" on the bootloader volume, and the
// reading of their output. Pure text functions, usable on every platform.
namespace VolumeCommands {

// "cmd.exe /C xcopy "<source>" "<msdPath>"" with every "/" turned into "\".
std::string xcopyCommand(const std::string &source, const std::string &msdPath);

// "cmd.exe /C dir E: /S /ON /B" for the root path "E:/" (the character at
// index 2 is dropped).
std::string dirCommand(const std::string &msdPath);

// True only when xcopy ended with code 0 and its closing summary counts
// exactly one file ("1 File(s) copied", or its translation).
bool xcopyCopiedOneFile(int exitCode, const std::string &output);

}  // namespace VolumeCommands
