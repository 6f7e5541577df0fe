#include "bench/NmeaStream.h"

#include <cstdio>
#include <random>

namespace NmeaStream {

namespace {
// AIS six-bit payload armouring alphabet.
const char kArmour[] = "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVW`abcdefghijklmnopqrstuvw";

std::string withChecksum(const std::string &body)
{
    unsigned sum = 0;
    for (size_t i = 1; i < body.size(); ++i)
        sum ^= static_cast<unsigned char>(body[i]);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum & 0xffu);
    return body + tail;
}

class Generator {
public:
    explicit Generator(uint32_t seed) : m_oRandom(seed) {}

    // Appends one report (two lines for a two-part message); returns the lines added.
    int append(std::string &out)
    {
        const int kind = pick(100);
        if (kind < 60) {
            out += withChecksum("!AIVDM,1,1,," + channel() + "," + static_cast<char>('1' + pick(3)) + payload(27) + ",0");
            return 1;
        }
        if (kind < 70) {
            const std::string seq = std::to_string(pick(10));
            const std::string ch = channel();
            out += withChecksum("!AIVDM,2,1," + seq + "," + ch + ",5" + payload(59) + ",0");
            out += withChecksum("!AIVDM,2,2," + seq + "," + ch + "," + payload(11) + ",2");
            return 2;
        }
        if (kind < 80) {
            out += withChecksum("!AIVDM,1,1,,B,B" + payload(27) + ",0");
            return 1;
        }
        if (kind < 90) {
            char body[96];
            std::snprintf(body, sizeof body, "$GPRMC,%02d%02d%02d.00,A,48%02d.%04d,N,011%02d.%04d,E,%d.%02d,%d.%02d,230394,,,A",
                          pick(24), pick(60), pick(60), pick(60), pick(10000), pick(60), pick(10000), pick(20), pick(100),
                          pick(360), pick(100));
            out += withChecksum(body);
            return 1;
        }
        if (kind < 95) {
            char body[96];
            std::snprintf(body, sizeof body, "$GPGGA,%02d%02d%02d,48%02d.%03d,N,011%02d.%03d,E,1,%02d,0.%d,%d.%d,M,46.9,M,,",
                          pick(24), pick(60), pick(60), pick(60), pick(1000), pick(60), pick(1000), 4 + pick(8), 1 + pick(9),
                          pick(600), pick(10));
            out += withChecksum(body);
            return 1;
        }
        out += withChecksum("$AIVER,1,1,AI,X,Y," + std::to_string(pick(100000)) + ",Z,AIS-B-470,V1.3.0.01-A,1");
        return 1;
    }

private:
    int pick(int n) { return static_cast<int>(m_oRandom() % static_cast<uint32_t>(n)); }
    std::string channel() { return pick(2) ? "A" : "B"; }
    std::string payload(int n)
    {
        std::string text;
        text.reserve(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            text += kArmour[pick(64)];
        return text;
    }

    std::mt19937 m_oRandom;
};
}  // namespace

std::string ofSize(size_t bytes, uint32_t seed)
{
    Generator generator(seed);
    std::string out;
    out.reserve(bytes + 256);
    while (out.size() < bytes)
        generator.append(out);
    return out;
}

std::string ofLines(size_t lines, uint32_t seed)
{
    Generator generator(seed);
    std::string out;
    size_t count = 0;
    while (count < lines) {
        std::string report;
        const int added = generator.append(report);
        if (count + static_cast<size_t>(added) > lines)
            continue;  // a two-part report would overshoot
        out += report;
        count += static_cast<size_t>(added);
    }
    return out;
}

}  // namespace NmeaStream
