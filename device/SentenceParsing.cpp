#include "device/SentenceParsing.h"

#include <cstring>

namespace {
thread_local char *t_pcSaved = nullptr;

int hexDigit(char c)
{
    // Only upper-case letters decode to 10..15; anything else gives a value
    // that will not match, which is how lower-case checksums are refused.
    return (c >= '0' && c <= '9') ? c - '0' : c - 55;
}
}  // namespace

int checkSentenceSum(const char *text)
{
    if (!text)
        return 1;
    const int n = static_cast<int>(std::strlen(text));
    if (n <= 3)
        return 1;

    unsigned char sum = static_cast<unsigned char>(text[1]);
    int star = -1;
    // The last possible "*" leaves room for the two checksum digits.
    for (int i = 2; i <= n - 3; ++i) {
        if (text[i] == '*') {
            star = i;
            break;
        }
        sum ^= static_cast<unsigned char>(text[i]);
    }
    if (star < 0)
        return 9;

    const unsigned value = static_cast<unsigned>(hexDigit(text[star + 1]) * 16 + hexDigit(text[star + 2])) & 0xFFu;
    return value == sum ? 0 : 1;
}

char *nextField(char *text, const char *delim)
{
    char *start = text ? text : t_pcSaved;
    if (!start || !delim)
        return nullptr;

    char *found = std::strchr(start, delim[0]);
    if (!found || delim[0] == '\0') {
        t_pcSaved = nullptr;
        return nullptr;
    }
    *found = '\0';
    t_pcSaved = found + 1;

    char *field = start;
    while (*field == ' ')
        ++field;
    return *field == '\0' ? start : field;
}
