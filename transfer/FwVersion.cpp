#include "transfer/FwVersion.h"

#include <cctype>
#include <cstring>
#include <string>

namespace {
bool isSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Reads a decimal number the way "%d" does (leading white space, optional
// sign) and keeps only its low 8 bits, so no input can overflow.
bool readNumber(const char *&p, uint8_t &out)
{
    const char *q = p;
    while (isSpace(*q))
        ++q;
    bool negative = false;
    if (*q == '+' || *q == '-') {
        negative = (*q == '-');
        ++q;
    }
    if (!std::isdigit(static_cast<unsigned char>(*q)))
        return false;
    unsigned value = 0;
    while (std::isdigit(static_cast<unsigned char>(*q))) {
        value = (value * 10u + static_cast<unsigned>(*q - '0')) & 0xffu;
        ++q;
    }
    out = static_cast<uint8_t>(negative ? (0u - value) & 0xffu : value);
    p = q;
    return true;
}

bool readLiteral(const char *&p, char c)
{
    if (*p != c)
        return false;
    ++p;
    return true;
}

// A version text in the full form, its numbers kept as digits without
// leading zeros, so that none can wrap or overflow.
struct ReleaseText {
    bool ok = false;
    std::string numbers;  // "1.3.0.1"
    std::string suffix;
};

ReleaseText releaseText(const std::string &text)
{
    ReleaseText release;
    std::size_t i = 0;
    if (text.empty() || text[0] != 'V')
        return release;
    ++i;
    for (int n = 0; n < 4; ++n) {
        if (n > 0) {
            if (i >= text.size() || text[i] != '.')
                return release;
            ++i;
        }
        const std::size_t first = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        if (i == first)
            return release;
        std::size_t lead = first;
        while (lead + 1 < i && text[lead] == '0')
            ++lead;
        release.numbers += (n > 0 ? "." : "") + text.substr(lead, i - lead);
    }
    if (i < text.size() && text[i] == '-') {
        ++i;
        while (i < text.size() && !isSpace(text[i]))
            release.suffix += text[i++];
        if (release.suffix.empty())
            return release;
    }
    while (i < text.size() && isSpace(text[i]))
        ++i;
    release.ok = i == text.size();
    return release;
}
}  // namespace

FwVersion parseVersion(const char *text)
{
    FwVersion version;
    std::memset(&version, 0, sizeof(version));
    if (text == nullptr)
        return version;

    const char *p = text;
    if (!readLiteral(p, 'V') || !readNumber(p, version.major) || !readLiteral(p, '.')
        || !readNumber(p, version.minor) || !readLiteral(p, '.') || !readNumber(p, version.patch)
        || !readLiteral(p, '.') || !readNumber(p, version.build) || !readLiteral(p, '-'))
        return version;

    // The suffix runs up to the first white space, like "%s".
    while (isSpace(*p))
        ++p;
    int n = 0;
    while (*p != '\0' && !isSpace(*p) && n < FwVersion::kSuffixMax)
        version.suffix[n++] = *p++;
    return version;
}

bool isVersionNewer(const FwVersion &a, const FwVersion &b)
{
    const auto *pa = reinterpret_cast<const unsigned char *>(&a);
    const auto *pb = reinterpret_cast<const unsigned char *>(&b);
    for (std::size_t i = 0; i < sizeof(FwVersion); ++i) {
        if (pa[i] != pb[i])
            return pa[i] > pb[i];
    }
    return false;
}

bool isSameReportedVersion(const std::string &strReported, const std::string &strPackage)
{
    const ReleaseText reported = releaseText(strReported.substr(0, kReportedVersionMax));
    const ReleaseText package = releaseText(strPackage.substr(0, kReportedVersionMax));
    return reported.ok && package.ok && reported.numbers == package.numbers && reported.suffix == package.suffix;
}
