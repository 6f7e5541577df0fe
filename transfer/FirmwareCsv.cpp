#include "transfer/FirmwareCsv.h"

#include "platform/volume/Utf8File.h"

#include <cstdio>

namespace FirmwareCsv {

namespace {
void keepIfVersionToken(std::string &token, std::vector<std::string> &tokens)
{
    if (!token.empty() && token.front() == 'V') {
        if (token.back() == '\n')
            token.pop_back();
        tokens.push_back(token);
    }
    token.clear();
}
}  // namespace

bool readVersionTokens(const std::string &path, std::vector<std::string> &tokens)
{
    const Utf8File::Handle file = Utf8File::open(path, "rb");
    if (!file)
        return false;

    // The package is made on Windows, where the file is read in text mode:
    // a CR LF pair counts as one line feed on every platform.
    std::string token;
    bool pendingCr = false;
    int c;
    while ((c = std::fgetc(file.get())) != EOF) {
        if (pendingCr) {
            pendingCr = false;
            if (c != '\n')
                token.push_back('\r');
        }
        if (c == '\r') {
            pendingCr = true;
        } else if (c == ',') {
            keepIfVersionToken(token, tokens);
        } else {
            token.push_back(static_cast<char>(c));
        }
    }
    if (pendingCr)
        token.push_back('\r');
    keepIfVersionToken(token, tokens);
    return true;
}

}  // namespace FirmwareCsv
