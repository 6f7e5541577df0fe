// packageprobe.exe [drive root, such as X:/]
// Reads the firmware package beside the program the way the program does:
// the program's folder as the system names it (wide, like Qt's
// applicationDirPath), the version from FirmwareBin/Firmware.csv and, given a
// drive, the FAT16 writer's entry for FirmwareBin/App_470.Sbin on it. Paths go
// on in UTF-8, as the program passes them. Prints "package:" and "version:"
// lines, then the writer's messages. Exit code: 2 when the version cannot be
// read, else the writer's result (0 without a drive).
#include "transfer/Fat16RootDir.h"
#include "transfer/FirmwareCsv.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The program's folder in UTF-8 with forward slashes, "" when unknown.
std::string programDir()
{
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(length), nullptr, 0, nullptr,
                                         nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(length), &utf8[0], size, nullptr, nullptr);
    for (char &c : utf8) {
        if (c == '\\')
            c = '/';
    }
    const std::string::size_type slash = utf8.rfind('/');
    return slash == std::string::npos ? std::string() : utf8.substr(0, slash);
}

}  // namespace

int main(int argc, char **argv)
{
    const std::string package = programDir() + "/FirmwareBin/";
    std::printf("package: %s\n", package.c_str());
    std::vector<std::string> tokens;
    if (!FirmwareCsv::readVersionTokens(package + "Firmware.csv", tokens)) {
        std::printf("version: cannot open %sFirmware.csv\n", package.c_str());
        return 2;
    }
    std::printf("version: %s\n", tokens.empty() ? "" : tokens.back().c_str());
    std::fflush(stdout);
    if (argc < 2)
        return 0;
    const int result = copyToRootDir((package + "App_470.Sbin").c_str(), argv[1]);
    std::fflush(stdout);
    return result;
}
