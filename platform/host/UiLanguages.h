#pragma once

#include <string>
#include <vector>

// The user's display languages, most preferred first, as the system names
// them ("de-DE", "en-US"). On Windows the languages Windows shows its own
// menus in (GetUserPreferredUILanguages), not the regional format; elsewhere
// LANGUAGE, LC_ALL, LC_MESSAGES and LANG as Qt's system locale reads them.
// Qt-free so the Windows backend can be compiled on its own.
class UiLanguages {
public:
    static std::vector<std::string> userPreferred();
};
