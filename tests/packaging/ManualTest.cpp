// The operator manuals that the build puts beside the program, one per
// source TORV_FW_Manual_<LANG>.md, each read back with poppler's tools and
// qpdf: A4 pages numbered ("Page n of N" in its language's words), every
// picture of its source, every text of the program's own text table that
// the program shows, in that language (so no manual can drift from the
// program), each quoted exactly and explained in one place only, the About
// box's version, a bookmark for every chapter and section, contents and a
// look-up of the messages whose page numbers are right, references that are
// links, and no page that ends in a heading, a lead-in or a quoted message.
// The Help button of the real window must open the manual of the program's
// language, else the English one.
#include "app/AppConstants.h"
#include "app/CLanguageSwitch.h"
#include "app/CUpgradeTexts.h"
#include "app/MainWindow.h"
#include "tests/support/UrlCatcher.h"
#include "ui/CAboutForm.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

// A failure names the language under test.
void PrintTo(const QString &text, std::ostream *os)
{
    *os << text.toStdString();
}

namespace {
// The language under test ("EN", "DE", "PT_BR"): its manual, source and code.
QString g_strLang = QStringLiteral("EN");
QString manualPdf(const QString &lang)
{
    return QStringLiteral(AIS_PROGRAM_DIR "/Help/TORV_FW_Manual_%1.pdf").arg(lang);
}
QString currentManual()
{
    return manualPdf(g_strLang);
}
QString programCode(const QString &lang)
{
    const QString code = lang.section('_', 0, 0).toLower();
    return lang.contains('_') ? code + '_' + lang.section('_', 1) : code;
}

QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Line breaks, page feeds and runs of blanks all read as one blank.
QString normalised(const QString &text)
{
    return text.simplified().replace(QChar::LineSeparator, ' ').simplified();
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString manualSource()
{
    return readText(QStringLiteral(AIS_MANUAL_DIR "/TORV_FW_Manual_%1.md").arg(g_strLang));
}

// The footer's words around the page numbers, from the language's style
// sheet (manual-<code>.css) or the base one: "Page " and " of ".
QPair<QString, QString> pageWords()
{
    static const QRegularExpression footer("content:\\s*\"([^\"]*)\"\\s*counter\\(page\\)\\s*\"([^\"]*)\"\\s*counter\\(pages\\)");
    for (const QString &css : {QStringLiteral(AIS_MANUAL_DIR "/manual-%1.css").arg(programCode(g_strLang)),
                               QStringLiteral(AIS_MANUAL_DIR "/manual.css")}) {
        const auto match = footer.match(readText(css));
        if (match.hasMatch())
            return {match.captured(1), match.captured(2)};
    }
    return {};
}

QString pageLabel(int page, int count)
{
    const auto words = pageWords();
    return words.first + QString::number(page) + words.second + (count > 0 ? QString::number(count) : QString());
}

// The source's title of its contents (toc-title), "Contents" by default.
QString contentsTitle()
{
    const auto match = QRegularExpression("^toc-title:\\s*(.+)$", QRegularExpression::MultilineOption).match(manualSource());
    return match.hasMatch() ? normalised(match.captured(1)) : QStringLiteral("Contents");
}

// The manuals the build renders: one per source.
QStringList manualLanguages()
{
    QStringList langs;
    for (const QString &name : QDir(QStringLiteral(AIS_MANUAL_DIR)).entryList({"TORV_FW_Manual_*.md"}, QDir::Files))
        langs << name.mid(15).chopped(3);
    return langs;
}

// The table's entries that nothing in the program shows: the unused box
// title "Question" and four messages of an older workflow (a restart of
// Windows, among others).
const std::set<int> kNeverShown = {2, 19, 20, 23, 25};
// The Windows services' states (entries 32 to 39) appear only in the
// report, which stays English in every language: a manual quotes them as
// the report shows them, in English.
bool onlyInReport(int n)
{
    return n >= 32 && n <= 39;
}

class ManualInLanguage : public ::testing::TestWithParam<QString> {
protected:
    void SetUp() override
    {
        g_strLang = GetParam();
        ASSERT_TRUE(CLanguageSwitch::instance().apply(QStringLiteral("en")));
        const CUpgradeTexts english;
        // The program's texts in the manual's language.
        ASSERT_TRUE(CLanguageSwitch::instance().apply(programCode(g_strLang)))
            << "the program does not speak " << g_strLang.toStdString() << ": no manual in it can quote it";
        const CUpgradeTexts texts;
        for (int n = 0; n < CUpgradeTexts::Count; ++n) {
            if (kNeverShown.count(n))
                neverShown << texts.text(n);
            else
                shown << (onlyInReport(n) ? english : texts).text(n);
        }
    }

    QStringList shown;       // every text the program shows, as the operator sees it
    QStringList neverShown;  // the table's entries that nothing shows
};

// Text read from the manual as one line. A line that breaks after a
// hyphen ("Bootloader-" / "Modus") is joined again: pdftotext's own
// joining would drop the hyphen, and a blank would split the word.
QString flowed(const QString &text)
{
    return normalised(QString(text).replace(QRegularExpression("-\\n\\s*"), "-"));
}

// The whole text in the order it was written.
QString manualText()
{
    return flowed(run("pdftotext", {"-raw", currentManual(), "-"}));
}

// The text of each page as laid out, without the page feeds.
QStringList layoutPages()
{
    return run("pdftotext", {"-layout", currentManual(), "-"}).split(QChar('\f'), Qt::SkipEmptyParts);
}

struct Heading {
    int level = 0;
    QString title;
    QString id;
};

// Headings of the source ("# Title {#id}").
QList<Heading> sourceHeadings()
{
    QList<Heading> headings;
    static const QRegularExpression heading("^(#+) (.+?)(\\s*\\{#?([^}]*)\\})?$", QRegularExpression::MultilineOption);
    for (auto it = heading.globalMatch(manualSource()); it.hasNext();) {
        const auto match = it.next();
        headings.append({static_cast<int>(match.captured(1).size()), normalised(match.captured(2)), match.captured(4)});
    }
    return headings;
}

// The source's block quotes ("> ..." lines), each as one normalised text:
// the program's own words as the manual shows them.
QStringList sourceQuotes()
{
    QStringList quotes;
    QString current;
    for (const QString &line : manualSource().split('\n') + QStringList{QString()}) {
        if (line.startsWith('>')) {
            current += ' ' + line.mid(1);
            continue;
        }
        if (current.isEmpty())
            continue;
        // Without anchors ("[]{#id}") and escapes ("\\" a backslash, "\" at a line's end a break).
        current.remove(QRegularExpression("\\[\\]\\{[^}]*\\}")).replace(QRegularExpression("\\\\(.)"), "\\1");
        quotes << normalised(current);
        current.clear();
    }
    return quotes;
}

// A text of the program as a pattern: its arguments (%1: a path, a version)
// stand for the example the manual quotes.
QString textPattern(const QString &text)
{
    QStringList pieces = normalised(text).split(QRegularExpression("%\\d"));
    for (QString &piece : pieces)
        piece = QRegularExpression::escape(piece);
    return pieces.join(".{1,120}?");
}

struct Bookmark {
    QString title;
    int page = 0;
};

// The PDF outline, depth first, as qpdf reads it.
QList<Bookmark> bookmarks()
{
    const QJsonDocument json = QJsonDocument::fromJson(run("qpdf", {"--json=2", "--json-key=outlines", currentManual()}).toUtf8());
    QList<Bookmark> found;
    std::function<void(const QJsonArray &)> walk = [&](const QJsonArray &items) {
        for (const QJsonValue &item : items) {
            const QJsonObject outline = item.toObject();
            // Normalised as the page text is: qpdf keeps a no-break space
            // (French " :"), pdftotext gives a blank.
            found.append({normalised(outline["title"].toString()), outline["destpageposfrom1"].toInt()});
            walk(outline["kids"].toArray());
        }
    };
    walk(json.object()["outlines"].toArray());
    return found;
}
}  // namespace

TEST(Manual, HelpButtonOpensTheManualOfTheLanguageElseEnglish)
{
    ASSERT_EQ(QDir(QCoreApplication::applicationDirPath()), QDir(QStringLiteral(AIS_PROGRAM_DIR)));
    // A language without a manual of its own (the pseudo-language) opens the
    // English one; once its manual is beside the program, that one.
    const QString pseudoManual = manualPdf("EN_XA");
    QFile::remove(pseudoManual);
    for (const QString &language : {QStringLiteral("en"), QStringLiteral("en_XA"), QStringLiteral("en_XA")}) {
        SCOPED_TRACE(language.toStdString());
        ASSERT_TRUE(CLanguageSwitch::instance().apply(language));
        const bool own = QFileInfo::exists(pseudoManual);
        MainWindow window;
        window.show();
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "open");
        window.findChild<QToolButton *>("btnThemeFunHelp")->click();
        QDesktopServices::unsetUrlHandler("file");
        ASSERT_EQ(catcher.urls.size(), 1);
        const QString opened = catcher.urls[0].toLocalFile();
        EXPECT_EQ(QFileInfo(opened).canonicalFilePath(), QFileInfo(own ? pseudoManual : manualPdf("EN")).canonicalFilePath());
        QFile pdf(opened);
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << opened.toStdString();
        EXPECT_TRUE(pdf.read(5) == "%PDF-");
        if (language == "en_XA" && !own) {
            ASSERT_TRUE(QFile::copy(manualPdf("EN"), pseudoManual));
        }
    }
    QFile::remove(pseudoManual);
    CLanguageSwitch::instance().apply("en");
}

TEST_P(ManualInLanguage, NumberedA4PagesWithEveryPictureOfItsSource)
{
    const QString info = run("pdfinfo", {currentManual()});
    ASSERT_FALSE(info.isEmpty()) << "pdfinfo (poppler-utils) cannot read " << currentManual().toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)")))
        << info.toStdString();
    const auto pages = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    ASSERT_TRUE(pages.hasMatch());
    const int count = pages.captured(1).toInt();
    // Fourteen chapters with a picture of every page: fewer means text was lost.
    EXPECT_GE(count, 16);
    EXPECT_LE(count, 30);  // room for longer languages

    const QString text = run("pdftotext", {currentManual(), "-"});
    const QStringList pageTexts = text.split(QChar('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pageTexts.size(), count);
    for (int page = 1; page <= count; ++page)
        EXPECT_TRUE(pageTexts[page - 1].contains(pageLabel(page, count))) << page;

    // A picture the renderer could not place would leave a hole, not an error.
    const int pictures = manualSource().count(QRegularExpression("!\\[[^\\]]*\\]\\(images/"));
    const QStringList images = run("pdfimages", {"-list", currentManual()}).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(images.size(), 2) << "pdfimages (poppler-utils) cannot read the manual";
    EXPECT_GE(pictures, 12);
    EXPECT_EQ(images.size() - 2, pictures);  // two header lines
}

TEST_P(ManualInLanguage, QuotesEveryTextTheProgramShows)
{
    const QString manual = manualText();
    ASSERT_FALSE(manual.isEmpty()) << "pdftotext (poppler-utils) cannot read " << currentManual().toStdString();
    // Every entry but the unused ones, including any added later, is on
    // screen or in the report, so the manual quotes it.
    for (const QString &text : shown) {
        ASSERT_FALSE(normalised(text).isEmpty());
        EXPECT_TRUE(manual.contains(QRegularExpression(textPattern(text)))) << "missing: " << text.toStdString();
    }
    for (const QString &text : neverShown)
        EXPECT_FALSE(manual.contains(QRegularExpression(textPattern(text)))) << "never shown: " << text.toStdString();
    // The edition it names is the program's.
    EXPECT_TRUE(manual.contains(QLatin1String(CAboutForm::versionText()))) << CAboutForm::versionText();
}

// A message explained in two places says two things: each quote is one of
// the program's texts, character for character, and no text is quoted twice.
TEST_P(ManualInLanguage, QuotesEachMessageExactlyAndOnce)
{
    const QStringList quotes = sourceQuotes();
    ASSERT_GE(quotes.size(), 10) << "no block quotes in TORV_FW_Manual_" << g_strLang.toStdString() << ".md";
    std::map<int, int> timesQuoted;
    for (const QString &quote : quotes) {
        int text = -1;
        for (int i = 0; i < shown.size() && text < 0; ++i) {
            if (QRegularExpression('^' + textPattern(shown[i]) + '$').match(quote).hasMatch())
                text = i;
        }
        EXPECT_GE(text, 0) << "a quote that is none of the program's texts: " << quote.toStdString();
        if (text >= 0 && ++timesQuoted[text] == 2)
            ADD_FAILURE() << "quoted twice: " << shown[text].toStdString();
    }
}

TEST_P(ManualInLanguage, BookmarkForEveryChapterAndSection)
{
    const QList<Bookmark> marks = bookmarks();
    const auto headings = sourceHeadings();
    ASSERT_GE(headings.size(), 8);
    // The contents, then every heading of the source, numbered, in order.
    ASSERT_EQ(marks.size(), headings.size() + 1) << "qpdf cannot read the outline, or headings have none";
    EXPECT_EQ(marks[0].title, contentsTitle());
    for (int i = 0; i < headings.size(); ++i)
        EXPECT_TRUE(marks[i + 1].title.endsWith(' ' + headings[i].title))
            << marks[i + 1].title.toStdString() << " / " << headings[i].title.toStdString();
}

TEST_P(ManualInLanguage, ContentsGiveTheRightPages)
{
    const QStringList pages = layoutPages();
    ASSERT_GE(pages.size(), 2);
    QMap<QString, int> bookmarked;
    for (const Bookmark &mark : bookmarks())
        bookmarked[mark.title] = mark.page;
    // "5.3 Check the device information ........ 7" on the first pages.
    static const QRegularExpression entry("^\\s*(\\d+(?:\\.\\d+)* .+?) ?\\.{3,} (\\d+)$", QRegularExpression::MultilineOption);
    int entries = 0;
    for (auto it = entry.globalMatch(pages[0] + pages[1]); it.hasNext();) {
        const auto match = it.next();
        const QString title = match.captured(1);
        const int page = match.captured(2).toInt();
        ++entries;
        ASSERT_TRUE(bookmarked.contains(title)) << title.toStdString();
        EXPECT_EQ(page, bookmarked[title]) << title.toStdString();
        // Where the heading really stands.
        ASSERT_GE(page, 1);
        ASSERT_LE(page, pages.size());
        EXPECT_TRUE(normalised(pages[page - 1]).contains(title)) << title.toStdString() << " not on page " << page;
    }
    int chaptersAndSections = 0;
    for (const auto &heading : sourceHeadings())
        chaptersAndSections += heading.level <= 2 ? 1 : 0;
    EXPECT_EQ(entries, chaptersAndSections);
}

// The look-up ({#lookup}): every message by its first words, an omission as
// "…", with the page that quotes it.
TEST_P(ManualInLanguage, LookUpGivesThePageThatQuotesEachMessage)
{
    const QStringList pages = layoutPages();
    const auto headings = sourceHeadings();
    const auto lookUp = std::find_if(headings.begin(), headings.end(), [](const Heading &h) { return h.id == "lookup"; });
    ASSERT_NE(lookUp, headings.end()) << "no chapter {#lookup}";
    int first = 0;
    for (const Bookmark &mark : bookmarks()) {
        if (mark.title.endsWith(' ' + lookUp->title))
            first = mark.page;
    }
    ASSERT_GE(first, 2) << "no bookmark for " << lookUp->title.toStdString();

    static const QRegularExpression entry("^\\s*(.+?) ?\\.{3,} (\\d+)$", QRegularExpression::MultilineOption);
    const QStringList quotes = sourceQuotes();
    QStringList firstWords;
    for (int page = first; page <= pages.size(); ++page) {
        for (auto it = entry.globalMatch(pages[page - 1]); it.hasNext();) {
            const auto match = it.next();
            const int quotedOn = match.captured(2).toInt();
            QStringList pieces = normalised(match.captured(1)).split(QChar(0x2026), Qt::SkipEmptyParts);
            for (QString &piece : pieces)
                piece = QRegularExpression::escape(piece.trimmed());
            firstWords << pieces[0];
            ASSERT_TRUE(quotedOn >= 1 && quotedOn < first) << match.captured(0).toStdString();
            // A message the manual quotes must stand there whole, not only be named.
            const QRegularExpression words('^' + pieces.join(".{0,200}?"));
            const auto quote = std::find_if(quotes.begin(), quotes.end(), [&](const QString &q) { return q.contains(words); });
            const QString onPage = quote != quotes.end() ? QRegularExpression::escape(*quote) : pieces.join(".{0,200}?");
            EXPECT_TRUE(flowed(pages[quotedOn - 1]).contains(QRegularExpression(onPage)))
                << match.captured(1).toStdString() << " not on page " << quotedOn;
        }
    }
    // Every quoted message is in it.
    for (const QString &quote : quotes) {
        EXPECT_TRUE(std::any_of(firstWords.begin(), firstWords.end(),
                                [&](const QString &words) { return quote.contains(QRegularExpression('^' + words)); }))
            << "not in the look-up: " << quote.toStdString();
    }
}

TEST_P(ManualInLanguage, ReferencesToChaptersAreLinks)
{
    std::set<QString> referenced;
    static const QRegularExpression reference("\\]\\(#([^)]+)\\)");
    for (auto it = reference.globalMatch(manualSource()); it.hasNext();)
        referenced.insert(it.next().captured(1));
    ASSERT_GE(referenced.size(), 8u);

    // Every link annotation that leads to a place in the manual itself.
    const QJsonDocument json = QJsonDocument::fromJson(run("qpdf", {"--json=2", "--json-key=qpdf", currentManual()}).toUtf8());
    const QJsonObject objects = json.object()["qpdf"].toArray().at(1).toObject();
    ASSERT_FALSE(objects.isEmpty()) << "qpdf cannot read " << currentManual().toStdString();
    std::set<QString> linked;
    for (const QJsonValue &object : objects) {
        const QJsonObject value = object.toObject()["value"].toObject();
        if (value["/Subtype"].toString() == QStringLiteral("/Link") && value["/Dest"].isString())
            linked.insert(value["/Dest"].toString().section(':', -1));
    }
    for (const QString &id : referenced)
        EXPECT_EQ(linked.count(id), 1u) << "no link to #" << id.toStdString();
    // The page a reference adds never runs into the next word ("(page 17)if").
    const auto joined = QRegularExpression("\\S*\\)\\p{L}\\S*").match(manualText());
    EXPECT_FALSE(joined.hasMatch()) << joined.captured().toStdString();
}

// Nor in a quoted message whose explanation is on the next page: a quote's
// lines stand indented (the box it comes from), and are the program's words.
TEST_P(ManualInLanguage, NoPageEndsInAHeadingALeadInOrAQuote)
{
    const QStringList pages = layoutPages();
    ASSERT_FALSE(pages.isEmpty());
    QStringList titles;
    for (const Bookmark &mark : bookmarks())
        titles << mark.title;
    const QStringList quotes = sourceQuotes();
    const auto indent = [](const QString &line) { return line.indexOf(QRegularExpression("\\S")); };
    for (int page = 1; page < pages.size(); ++page) {
        // The last line of the text, above the footer, and the text's left edge.
        QString last;
        int left = 1000;
        for (const QString &line : pages[page - 1].split('\n')) {
            if (line.contains(pageLabel(page, 0)))
                break;
            if (line.trimmed().isEmpty())
                continue;
            last = line;
            left = std::min(left, indent(line));
        }
        ASSERT_FALSE(last.isEmpty()) << "page " << page << " is empty";
        const QString text = normalised(last);
        const bool heading = std::any_of(titles.begin(), titles.end(),
                                         [&](const QString &title) { return title == text || title.endsWith(' ' + text); });
        EXPECT_FALSE(heading) << "page " << page << " ends in the heading " << text.toStdString();
        EXPECT_FALSE(text.endsWith(':')) << "page " << page << " ends in a lead-in: " << text.toStdString();
        const bool quoted = indent(last) >= left + 5 &&
                            std::any_of(quotes.begin(), quotes.end(), [&](const QString &q) { return q.contains(text); });
        EXPECT_FALSE(quoted) << "page " << page << " ends in a quoted message: " << text.toStdString();
    }
}

const QStringList kLanguages = manualLanguages();
INSTANTIATE_TEST_SUITE_P(EveryLanguage, ManualInLanguage, ::testing::ValuesIn(kLanguages.begin(), kLanguages.end()),
                         [](const ::testing::TestParamInfo<QString> &info) { return info.param.toStdString(); });

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

