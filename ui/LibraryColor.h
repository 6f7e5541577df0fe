#pragma once

#include "ui/ResourceColor.h"

#include <QColor>

// Process-wide colour library; read-only once built.
class LibraryColor : public ResourceColor {
public:
    static const LibraryColor &instance();

    // 0xRRGGBB of (group, index); -1 for an unknown entry, which the style
    // builders take as "leave the property out".
    qint64 rgb(int iGroup, int iIndex) const;
    // 0xAARRGGBB with an opaque alpha; -1 for an unknown entry.
    qint64 argb(int iGroup, int iIndex) const;
    // An invalid QColor for an unknown entry.
    QColor color(int iGroup, int iIndex) const;

private:
    LibraryColor() = default;
};
