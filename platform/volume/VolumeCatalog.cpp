#include "platform/volume/VolumeCatalog.h"

#include "platform/volume/StorageInfoVolumeCatalog.h"

#include <atomic>

namespace VolumeCatalog {

namespace {
std::atomic<IVolumeCatalog *> g_selected{nullptr};

IVolumeCatalog &systemCatalog()
{
    static StorageInfoVolumeCatalog catalog;
    return catalog;
}
}  // namespace

IVolumeCatalog &current()
{
    IVolumeCatalog *selected = g_selected.load(std::memory_order_acquire);
    return selected != nullptr ? *selected : systemCatalog();
}

void setCurrent(IVolumeCatalog *catalog)
{
    g_selected.store(catalog, std::memory_order_release);
}

}  // namespace VolumeCatalog
