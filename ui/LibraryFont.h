#pragma once

#include <QString>

#include <array>

// Process-wide font scale: a family, a normal size N in pixels, a zoom z and
// seven sizes derived from them. Set up once by main before any window.
class LibraryFont {
public:
    enum Size { Tiny, Small, Smaller, Normal, Large, Larger, Huge, SizeCount };

    static LibraryFont &instance();

    // Sets family, N and z, then lets "Palette_Font" in the given settings
    // file (if it exists) override N and z.
    void init(const QString &strProfilePath, const QString &strFamily, int iNormalSize, double dZoom);

    QString family() const { return m_strFamily; }
    int normalSize() const { return m_iNormalSize; }
    double zoom() const { return m_dZoom; }
    // Derived size in pixels; Normal for an index out of range.
    int size(int iSize) const;

private:
    LibraryFont() = default;
    void recompute();

    QString m_strFamily = QStringLiteral("Tahoma");
    int m_iNormalSize = 16;
    double m_dZoom = 1.0;
    std::array<int, SizeCount> m_oSizes{{8, 11, 13, 16, 18, 22, 27}};
};
