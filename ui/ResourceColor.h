#pragma once

#include <QColor>

#include <array>

// The theme's fixed colour table: 41 entries in ten groups.
class ResourceColor {
public:
    enum Group { Red, Pink, Orange, Yellow, Purple, Green, Blue, Brown, White, Gray, GroupCount };

    struct Entry {
        quint32 rgb = 0;    // 0xRRGGBB
        quint32 argb = 0;   // same colour with an opaque alpha byte
    };

    static constexpr int EntryCount = 41;

    // Number of entries in a group, 0 for an unknown group.
    static int groupSize(int iGroup);

protected:
    ResourceColor();
    // Entry (group, index), or nullptr when there is no such entry.
    const Entry *entry(int iGroup, int iIndex) const;

private:
    std::array<Entry, EntryCount> m_oEntries{};
};
