#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A firmware version "V%d.%d.%d.%d-%s" as a block that orders by its bytes:
// the four numbers (low 8 bits each), then the suffix text.
struct FwVersion {
    static constexpr int kSuffixMax = 27;

    uint8_t major;
    uint8_t minor;
    uint8_t patch;
    uint8_t build;
    char suffix[kSuffixMax + 1];  // NUL-terminated, the rest zero
};
static_assert(sizeof(FwVersion) == 32, "FwVersion is compared as a 32-byte block");

// Downgrades to this version or below are refused.
constexpr const char CompatFloorVersion[] = "V1.2.8.07";

// Fills a zeroed record from the text; whatever does not match stays zero.
// A suffix longer than kSuffixMax characters is cut.
FwVersion parseVersion(const char *text);

// True when a orders after b (bytewise, unsigned, over all 32 bytes).
bool isVersionNewer(const FwVersion &a, const FwVersion &b);

// The longest version text the device reports (VerInfo::szFwVersion).
constexpr std::size_t kReportedVersionMax = 31;

// True when the device reports the package's version. Both texts are cut to
// what the device can report, then both must be in the full form "V" and four
// decimal numbers, with or without a "-" and a suffix (white space may
// follow); the numbers are equal as numbers, however long (leading zeros do
// not count), and the suffixes character for character. Text in any other
// form equals nothing, not even itself.
bool isSameReportedVersion(const std::string &strReported, const std::string &strPackage);
