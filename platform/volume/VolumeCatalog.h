#pragma once

#include "platform/volume/IVolumeCatalog.h"

// The process-wide catalog: the operating system's volumes unless a
// simulated catalog has been selected.
namespace VolumeCatalog {

IVolumeCatalog &current();

// Selects the catalog used from now on; nullptr returns to the system's.
// The caller keeps ownership and must keep it alive while it is selected.
void setCurrent(IVolumeCatalog *catalog);

}  // namespace VolumeCatalog
