#include "platform/volume/Utf8File.h"

namespace Utf8File {

// File names are bytes here; the program's are UTF-8.
Handle open(const std::string &path, const char *mode)
{
    return Handle(std::fopen(path.c_str(), mode));
}

}  // namespace Utf8File
