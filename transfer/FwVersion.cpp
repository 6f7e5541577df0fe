#include "transfer/FwVersion.h"

#include <cctype>
#include <cstring>

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
    const FwVersion a = parseVersion(strReported.c_str());
    const FwVersion b = parseVersion(strPackage.c_str());
    return !strReported.empty() && !isVersionNewer(a, b) && !isVersionNewer(b, a);
}
