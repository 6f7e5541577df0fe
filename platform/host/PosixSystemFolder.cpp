// Not Windows: no system folder, so no child process to start by it.
#include "platform/host/SystemFolder.h"

namespace SystemFolder {

std::string path()
{
    return {};
}

std::string program(const std::string &)
{
    return {};
}

}  // namespace SystemFolder
