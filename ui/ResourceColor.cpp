#include "ui/ResourceColor.h"

namespace {
// Base colours by group; groups are laid out one after another in m_oEntries.
const quint32 kRed[] = {0xff0000, 0xb22222};
const quint32 kPink[] = {0xff0080, 0xdb7093};
const quint32 kOrange[] = {0xff8000, 0xff7f50};
const quint32 kYellow[] = {0xffff00, 0xffd700, 0xffdab9, 0xdaa520};
const quint32 kPurple[] = {0x800080, 0xff00ff, 0x6a5acd, 0x483d8b, 0x0a246a};
const quint32 kGreen[] = {0x008000, 0x00ff00, 0x556b2f};
const quint32 kBlue[] = {0x0000ff, 0x00ffff, 0xb0c4de, 0xa6caf0, 0x1e90ff, 0x6495ed, 0x4169e1, 0x000080, 0x191970};
const quint32 kBrown[] = {0xa52a2a, 0x800000};
const quint32 kWhite[] = {0xffffff, 0xfffbf0};
const quint32 kGray[] = {0x808080, 0x000000, 0x121212, 0x282828, 0x333333,
                         0x505050, 0x696969, 0xa9a9a9, 0xc0c0c0, 0xececec};

struct GroupTable {
    const quint32 *colours;
    int count;
};

template <size_t N>
constexpr GroupTable table(const quint32 (&colours)[N])
{
    return {colours, static_cast<int>(N)};
}

const GroupTable kGroups[ResourceColor::GroupCount] = {
    table(kRed), table(kPink), table(kOrange), table(kYellow), table(kPurple),
    table(kGreen), table(kBlue), table(kBrown), table(kWhite), table(kGray),
};

int groupStart(int iGroup)
{
    int start = 0;
    for (int g = 0; g < iGroup; ++g)
        start += kGroups[g].count;
    return start;
}
}  // namespace

int ResourceColor::groupSize(int iGroup)
{
    if (iGroup < 0 || iGroup >= GroupCount)
        return 0;
    return kGroups[iGroup].count;
}

ResourceColor::ResourceColor()
{
    size_t next = 0;
    for (const GroupTable &group : kGroups) {
        for (int i = 0; i < group.count; ++i) {
            Entry &e = m_oEntries[next++];
            e.rgb = group.colours[i];
            e.argb = 0xff000000u | group.colours[i];
        }
    }
    Q_ASSERT(next == m_oEntries.size());
}

const ResourceColor::Entry *ResourceColor::entry(int iGroup, int iIndex) const
{
    if (iIndex < 0 || iIndex >= groupSize(iGroup))
        return nullptr;
    return &m_oEntries[static_cast<size_t>(groupStart(iGroup) + iIndex)];
}
