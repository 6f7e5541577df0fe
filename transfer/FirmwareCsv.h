#pragma once

#include <string>
#include <vector>

// Reading of the package's "Firmware.csv": the file is one stream of
// comma-separated tokens; line breaks do not end a token.
namespace FirmwareCsv {

// `path` is UTF-8. False when the file cannot be opened. Otherwise `tokens` receives every
// token whose first character is "V", in file order, each with one trailing
// line feed removed. The version is the last of them.
bool readVersionTokens(const std::string &path, std::vector<std::string> &tokens);

}  // namespace FirmwareCsv
