// Which language the program speaks, as a table: the operator's choice, the
// installer's, the user's display languages in order, and what comes out
// among the languages the release ships.
#include "app/CLanguageChoice.h"

#include <gtest/gtest.h>

namespace {
const QStringList kShipped = {"de", "fr", "es", "it", "nl", "nb", "sv", "da", "fi", "pl", "pt_BR", "zh_CN", "ja"};

struct Row {
    QString operatorChoice;
    QString installerChoice;
    QStringList display;
    QString expected;
};
}  // namespace

TEST(LanguageChoice, OperatorThenInstallerThenDisplayThenEnglish)
{
    const Row rows[] = {
        // The order of the sources.
        {"fr", "de", {"ja-JP"}, "fr"},
        {"", "de", {"ja-JP"}, "de"},
        {"", "", {"ja-JP", "de-DE"}, "ja"},
        {"", "", {}, "en"},
        // A stored choice the release no longer ships gives way to the next source.
        {"ko", "", {"sv-SE"}, "sv"},
        {"ko", "nl", {"sv-SE"}, "nl"},
        // Display languages: the first one served wins, a later one is a fallback.
        {"", "", {"ru-RU", "uk-UA", "pl-PL", "en-US"}, "pl"},
        {"", "", {"ru-RU", "en-US", "de-DE"}, "en"},
        {"", "", {"C"}, "en"},
        {"", "", {"POSIX"}, "en"},
        // Regions fall back to their language, never to another one.
        {"", "", {"de-AT"}, "de"},
        {"", "", {"de_CH.UTF-8"}, "de"},
        {"", "", {"fr_CA.UTF-8@euro"}, "fr"},
        {"", "", {"es-419"}, "es"},
        {"", "", {"en-GB"}, "en"},
        {"", "", {"pt-BR"}, "pt_BR"},
        {"", "", {"pt_PT"}, "pt_BR"},
        {"", "", {"pt"}, "pt_BR"},
        {"", "", {"it-CH"}, "it"},
        // Norwegian: Bokmål serves the macrolanguage and Nynorsk.
        {"", "", {"nb-NO"}, "nb"},
        {"", "", {"no_NO"}, "nb"},
        {"", "", {"nn-NO"}, "nb"},
        // Chinese: the simplified script only.
        {"", "", {"zh-Hans-CN"}, "zh_CN"},
        {"", "", {"zh_SG"}, "zh_CN"},
        {"", "", {"zh"}, "zh_CN"},
        {"", "", {"zh-TW", "ja-JP"}, "ja"},
        {"", "", {"zh-Hant-HK"}, "en"},
        {"", "", {"zh_HK.UTF-8"}, "en"},
        // Languages close to a shipped one still get English, not a neighbour.
        {"", "", {"sv-FI"}, "sv"},
        {"", "", {"fy-NL"}, "en"},
        {"", "", {"ca-ES"}, "en"},
        {"", "", {"gl-ES", "es-ES"}, "es"},
        {"", "", {"se-NO"}, "en"},
        // The installer's LANGID arrives as a tag.
        {"", CLanguageChoice::tagOfLangId(1046), {"de-DE"}, "pt_BR"},
        {"", CLanguageChoice::tagOfLangId(2052), {"de-DE"}, "zh_CN"},
        {"", CLanguageChoice::tagOfLangId(1044), {}, "nb"},
        {"", CLanguageChoice::tagOfLangId(9999), {"da-DK"}, "da"},
    };
    const CLanguageChoice choice(kShipped);
    for (const Row &row : rows) {
        EXPECT_EQ(choice.choose(row.operatorChoice, row.installerChoice, row.display), row.expected)
            << "operator \"" << row.operatorChoice.toStdString() << "\" installer \""
            << row.installerChoice.toStdString() << "\" display \"" << row.display.join(' ').toStdString() << "\"";
    }
}

TEST(LanguageChoice, TwoVariantsOfALanguageLeaveTheRegionToDecide)
{
    const CLanguageChoice choice({"pt_BR", "pt_PT", "zh_CN"});
    EXPECT_EQ(choice.match("pt-PT"), "pt_PT");
    EXPECT_EQ(choice.match("pt-BR"), "pt_BR");
    EXPECT_EQ(choice.match("pt-AO"), "");
    EXPECT_EQ(choice.choose("", "", {"pt-AO", "en-US"}), "en");
}

TEST(LanguageChoice, EveryInstallerLanguageIsShipped)
{
    // The installer's languages (packaging/windows): each id names a shipped language.
    for (int id : {1033, 1031, 1036, 1034, 1040, 1043, 1044, 1053, 1030, 1035, 1045, 1046, 2052, 1041}) {
        const QString tag = CLanguageChoice::tagOfLangId(id);
        EXPECT_TRUE(tag == "en" || kShipped.contains(tag)) << id;
        EXPECT_NE(CLanguageChoice::nativeName(tag), tag) << id;
    }
}
