#include "platform/volume/VolumeCommands.h"

#include <algorithm>
#include <cctype>

namespace VolumeCommands {

namespace {
bool isSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string programText(const std::string &interpreter)
{
    return interpreter.find(' ') == std::string::npos ? interpreter : "\"" + interpreter + "\"";
}
}  // namespace

std::string xcopyArguments(const std::string &source, const std::string &msdPath)
{
    std::string paths = "\"" + source + "\" \"" + msdPath + "\"";
    std::replace(paths.begin(), paths.end(), '/', '\\');
    return "/C xcopy " + paths + " /Y";
}

std::string xcopyCommand(const std::string &interpreter, const std::string &source, const std::string &msdPath)
{
    return programText(interpreter) + " " + xcopyArguments(source, msdPath);
}

std::string dirArguments(const std::string &msdPath)
{
    std::string drive = msdPath;
    if (drive.size() > 2)
        drive.erase(2, 1);
    return "/C dir " + drive + " /S /ON /B";
}

std::string dirCommand(const std::string &interpreter, const std::string &msdPath)
{
    return programText(interpreter) + " " + dirArguments(msdPath);
}

bool xcopyCopiedOneFile(int exitCode, const std::string &output)
{
    if (exitCode != 0)
        return false;
    // xcopy echoes each copied path and ends with the count; an echoed path
    // may hold any digit, so only the last non-empty line is read.
    std::size_t end = output.size();
    while (end > 0 && isSpace(output[end - 1]))
        --end;
    if (end == 0)
        return false;
    const std::size_t lineStart = output.find_last_of("\r\n", end - 1);
    std::size_t p = lineStart == std::string::npos ? 0 : lineStart + 1;
    while (p < end && isSpace(output[p]))
        ++p;
    if (p >= end || output[p] != '1')
        return false;
    return p + 1 < end && !isDigit(output[p + 1]);
}

std::string volumeDevicePath(const std::string &drive)
{
    if (drive.empty())
        return {};
    const char letter = drive[0];
    // Anything else would name some other device, or none at all.
    if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')))
        return {};
    return std::string("\\\\.\\") + letter + ":";
}

}  // namespace VolumeCommands
