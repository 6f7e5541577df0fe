#include "ui/LibraryFont.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
const char *const kGroup = "Palette_Font";
const double kFactors[LibraryFont::SizeCount] = {0.5, 0.7, 0.8, 1.0, 1.15, 1.4, 1.7};

QString key(const char *pattern)
{
    return QString::asprintf(pattern, kGroup);
}
}  // namespace

LibraryFont &LibraryFont::instance()
{
    static LibraryFont library;
    return library;
}

void LibraryFont::init(const QString &strProfilePath, const QString &strFamily, int iNormalSize, double dZoom)
{
    m_strFamily = strFamily;
    m_iNormalSize = iNormalSize;
    m_dZoom = dZoom;
    recompute();

    if (!QFileInfo::exists(strProfilePath))
        return;
    QSettings settings(strProfilePath, QSettings::IniFormat);
    if (!settings.value(key("/%s/Enable"), false).toBool())
        return;

    // A size or zoom of zero or less would make every text vanish; keep the
    // current value instead.
    const int normal = settings.value(key("/%s/SizeNormal"), m_iNormalSize).toInt();
    if (normal > 0)
        m_iNormalSize = normal;
    const double zoom = settings.value(key("/%s/SizeZoom"), m_dZoom).toDouble();
    if (zoom > 0.0 && std::isfinite(zoom))
        m_dZoom = zoom;
    recompute();
}

int LibraryFont::size(int iSize) const
{
    if (iSize < 0 || iSize >= SizeCount)
        iSize = Normal;
    return m_oSizes[static_cast<size_t>(iSize)];
}

void LibraryFont::recompute()
{
    for (int i = 0; i < SizeCount; ++i) {
        // Halves round up; the epsilon keeps 11.5 from landing on 11.4999...
        const double exact = m_dZoom * m_iNormalSize * kFactors[i];
        double rounded = std::floor(exact + 0.5 + 1e-9);
        // A size from the file that no int holds is capped: converting it
        // as it is would be undefined and typically gives a negative size.
        if (std::isnan(rounded))
            rounded = 0.0;
        rounded = std::clamp(rounded, static_cast<double>(std::numeric_limits<int>::min()),
                             static_cast<double>(std::numeric_limits<int>::max()));
        m_oSizes[static_cast<size_t>(i)] = static_cast<int>(rounded);
    }
}
