#pragma once

#include "ui/ResourceImage.h"

#include <QString>

// Process-wide image library: turns (family, entry, state) into the image's
// resource path. Read-only once built.
class LibraryImage : public ResourceImage {
public:
    static const LibraryImage &instance();

    // ":/<family>/<kind folder><family><sub-folder><name>[_Hover].png";
    // empty for an unknown family or entry.
    QString path(int iFamily, int iIndex, int iState = StateNormal) const;

private:
    LibraryImage() = default;
};
