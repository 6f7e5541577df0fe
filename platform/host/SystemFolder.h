#pragma once

#include <string>

// The system folder ("C:\Windows\System32") and the programs in it. The
// program runs elevated: every child process is started by its full path
// there, since Windows looks for a bare name in the program's folder and the
// current directory first, and either may hold a copy an ordinary user put there.
namespace SystemFolder {

// The folder, UTF-8; "" where there is none (not Windows) or the system does not tell it.
std::string path();
// `tool`'s program in it: "C:\Windows\System32\cmd.exe" for "cmd"; "" when path() is.
std::string program(const std::string &tool);

}  // namespace SystemFolder
