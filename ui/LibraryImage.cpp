#include "ui/LibraryImage.h"

const LibraryImage &LibraryImage::instance()
{
    static const LibraryImage library;
    return library;
}

QString LibraryImage::path(int iFamily, int iIndex, int iState) const
{
    const Entry *e = entry(iFamily, iIndex);
    if (!e)
        return QString();
    const QString family = familyName(iFamily);
    QString result = ":/" + family + "/" + kindFolder(iFamily) + family + subFolder(iFamily) + e->name;
    if (iState == StateHover)
        result += "_Hover";
    return result + ".png";
}
