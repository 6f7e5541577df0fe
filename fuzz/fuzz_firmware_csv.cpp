// "Firmware.csv" contents through the package reader, and every version text
// it yields (and the whole input as one text) through the version parser and
// the ordering.
#include "fuzz/FuzzEnv.h"

#include "transfer/FirmwareCsv.h"
#include "transfer/FwVersion.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
void checkRecord(const FwVersion &v)
{
    // The suffix is terminated and the bytes after it are zero, so two
    // records of the same text compare equal as blocks.
    const size_t len = strnlen(v.suffix, sizeof v.suffix);
    FUZZ_CHECK(len <= static_cast<size_t>(FwVersion::kSuffixMax));
    for (size_t i = len; i < sizeof v.suffix; ++i)
        FUZZ_CHECK(v.suffix[i] == '\0');
}

void checkOrder(const FwVersion &a, const FwVersion &b)
{
    const bool ab = isVersionNewer(a, b);
    const bool ba = isVersionNewer(b, a);
    FUZZ_CHECK(!(ab && ba));
    const int cmp = std::memcmp(&a, &b, sizeof(FwVersion));
    FUZZ_CHECK(ab == (cmp > 0));
    FUZZ_CHECK(ba == (cmp < 0));
}

// A parsed version printed back in the package's form parses to itself.
void checkReprint(const FwVersion &v)
{
    char text[64];
    std::snprintf(text, sizeof text, "V%u.%u.%u.%u-%s", v.major, v.minor, v.patch, v.build, v.suffix);
    const FwVersion again = parseVersion(text);
    FUZZ_CHECK(std::memcmp(&again, &v, sizeof v) == 0);
}
}  // namespace

static int fuzzOne(const uint8_t *data, size_t size)
{
    FuzzEnv &env = FuzzEnv::instance();
    const QString path = env.writeFile(QStringLiteral("Firmware.csv"), data, size);
    if (path.isEmpty())
        return 0;

    std::vector<std::string> tokens;
    FUZZ_CHECK(FirmwareCsv::readVersionTokens(QFile::encodeName(path).toStdString(), tokens));
    const std::string whole(reinterpret_cast<const char *>(data), size);
    const size_t commas = static_cast<size_t>(std::count(whole.begin(), whole.end(), ','));
    FUZZ_CHECK(tokens.size() <= commas + 1);

    const FwVersion floor = parseVersion(CompatFloorVersion);
    FwVersion previous = parseVersion(nullptr);
    for (const std::string &token : tokens) {
        FUZZ_CHECK(!token.empty() && token.front() == 'V');
        FUZZ_CHECK(token.find(',') == std::string::npos);
        const FwVersion v = parseVersion(token.c_str());
        checkRecord(v);
        checkReprint(v);
        checkOrder(v, floor);
        checkOrder(v, previous);
        FUZZ_CHECK(!isVersionNewer(v, v));
        previous = v;
    }

    const FwVersion raw = parseVersion(whole.c_str());
    checkRecord(raw);
    checkReprint(raw);
    checkOrder(raw, previous);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzOne(data, size);
    FuzzEnv::settle();
    return 0;
}
