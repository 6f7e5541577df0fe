#pragma once

#include <QString>

#include <array>

// The program's translated user texts, entries 0..39. Built once per holder
// so the texts follow whatever translator is installed at construction.
class CUpgradeTexts {
public:
    static constexpr int Count = 40;

    CUpgradeTexts();

    // Entry n; an index outside 0..39 gives an empty text rather than UB.
    const QString &text(int n) const;
    const QString &operator[](int n) const { return text(n); }

private:
    std::array<QString, Count> m_oTexts;
};
