#include "ui/LibraryColor.h"

const LibraryColor &LibraryColor::instance()
{
    static const LibraryColor library;
    return library;
}

qint64 LibraryColor::rgb(int iGroup, int iIndex) const
{
    const Entry *e = entry(iGroup, iIndex);
    return e ? static_cast<qint64>(e->rgb) : -1;
}

qint64 LibraryColor::argb(int iGroup, int iIndex) const
{
    const Entry *e = entry(iGroup, iIndex);
    return e ? static_cast<qint64>(e->argb) : -1;
}

QColor LibraryColor::color(int iGroup, int iIndex) const
{
    const Entry *e = entry(iGroup, iIndex);
    return e ? QColor::fromRgb(static_cast<QRgb>(e->argb)) : QColor();
}
