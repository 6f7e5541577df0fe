#include "platform/host/UiLanguages.h"

#include <windows.h>

namespace {
std::string narrow(const wchar_t *text)
{
    std::string out;
    for (; *text; ++text)
        out += (*text < 0x80) ? static_cast<char>(*text) : '?';  // language tags are ASCII
    return out;
}
}  // namespace

std::vector<std::string> UiLanguages::userPreferred()
{
    std::vector<std::string> languages;
    ULONG count = 0;
    ULONG size = 0;
    // A list of NUL-terminated names ending with an empty one.
    if (GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) && size > 0) {
        std::vector<wchar_t> names(size);
        if (GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size)) {
            for (const wchar_t *name = names.data(); *name; name += wcslen(name) + 1)
                languages.push_back(narrow(name));
        }
    }
    if (languages.empty()) {
        wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
        if (LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0) > 0)
            languages.push_back(narrow(name));
    }
    return languages;
}
