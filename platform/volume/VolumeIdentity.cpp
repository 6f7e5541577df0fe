#include "platform/volume/VolumeIdentity.h"

#include <cctype>
#include <sstream>

namespace VolumeIdentity {

namespace {
bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// mountinfo writes space, tab, line feed and backslash as \ooo.
std::string unescaped(const std::string &text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && isDigit(text[i + 1]) && isDigit(text[i + 2]) &&
            isDigit(text[i + 3])) {
            out += static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0'));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

// "1-2", "3-1.4": a USB device, as opposed to its interfaces ("1-2:1.0")
// or the root hub ("usb1").
bool isUsbDevice(const std::string &name)
{
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash == std::string::npos || dash + 1 == name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (i == dash)
            continue;
        if (!isDigit(c) && !(c == '.' && i > dash + 1 && isDigit(name[i - 1])))
            return false;
    }
    return isDigit(name.back());
}
}  // namespace

std::map<std::string, std::string> mountIds(const std::string &strMountInfo)
{
    std::map<std::string, std::string> ids;
    std::istringstream lines(strMountInfo);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, point;
        if (!(fields >> id >> parent >> device >> root >> point))
            continue;
        point = unescaped(point);
        while (point.size() > 1 && point.back() == '/')
            point.pop_back();
        ids[point] = id;
    }
    return ids;
}

std::string attachmentPath(const std::string &strDiskPath)
{
    std::size_t end = std::string::npos;
    std::size_t start = 0;
    while (start < strDiskPath.size()) {
        std::size_t slash = strDiskPath.find('/', start);
        if (slash == std::string::npos)
            slash = strDiskPath.size();
        if (isUsbDevice(strDiskPath.substr(start, slash - start)))
            end = slash;
        start = slash + 1;
    }
    return end == std::string::npos ? strDiskPath : strDiskPath.substr(0, end);
}

}  // namespace VolumeIdentity
