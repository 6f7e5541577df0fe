#include "transfer/CBootloaderVolumeWatch.h"

#include "log/SysLog.h"

namespace {
const char *orNone(const std::string &text)
{
    return text.empty() ? "none known" : text.c_str();
}
}  // namespace

void CBootloaderVolumeWatch::start(const VolumeInfo &stCopied)
{
    m_stCopied = stCopied;
    m_strInstance = stCopied.instance;
    m_bGone = false;
    m_bUntellable = false;
    m_oOthersLogged.clear();
    AIS_LOG(SysLevel::Info, "CBootloaderVolumeWatch::start", "Bootloader volume %s at %s: location %s, instance %s",
            stCopied.name.c_str(), stCopied.rootPath.c_str(), orNone(stCopied.location), orNone(stCopied.instance));
}

CBootloaderVolumeWatch::Seen CBootloaderVolumeWatch::look(const std::vector<VolumeInfo> &oLabelled)
{
    const char *fun = "CBootloaderVolumeWatch::look";
    if (m_bUntellable)
        return Seen::Unchanged;
    const bool located = !m_stCopied.location.empty();
    if (!located && oLabelled.size() > 1) {
        // From now on any of them could be taken for the upgraded unit's.
        m_bUntellable = true;
        AIS_LOG(SysLevel::Warning, fun, "%d drives named %s and nothing tells the upgraded unit's apart: "
                "no decision on a drive", static_cast<int>(oLabelled.size()), m_stCopied.name.c_str());
        return Seen::Unchanged;
    }

    const VolumeInfo *mine = nullptr;
    for (const VolumeInfo &volume : oLabelled) {
        if (!located || volume.location == m_stCopied.location) {
            mine = &volume;
        } else if (m_oOthersLogged.insert(volume.location + '\n' + volume.instance).second) {
            AIS_LOG(SysLevel::Info, fun, "Drive %s at %s is another unit's (location %s): not the upgraded one",
                    volume.name.c_str(), volume.rootPath.c_str(), volume.location.c_str());
        }
    }

    if (!mine) {
        if (m_bGone)
            return Seen::Unchanged;
        m_bGone = true;
        AIS_LOG(SysLevel::Info, fun, "Bootloader volume gone");
        return Seen::Gone;
    }
    if (m_bGone)
        return Seen::Back;
    if (!mine->instance.empty() && mine->instance != m_strInstance) {
        AIS_LOG(SysLevel::Info, fun, "Bootloader volume came back between two looks (instance %s, was %s)",
                mine->instance.c_str(), orNone(m_strInstance));
        return Seen::Back;
    }
    return Seen::Unchanged;
}
