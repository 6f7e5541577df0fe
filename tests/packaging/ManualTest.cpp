// The operator manual that the build puts beside the program, read back with
// poppler's tools and qpdf: A4 pages numbered "Page n of N", every picture of
// its source, every text of the program's own text table that the program
// shows (so the manual cannot drift from the program), each quoted exactly
// and explained in one place only, a bookmark for every chapter and section,
// contents and a look-up of the messages whose page numbers are right,
// references that are links, and no page that ends in a heading, a lead-in
// or a quoted message. The Help button of the real window must open it.
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

namespace {
const QString kManual = QStringLiteral(AIS_PROGRAM_DIR "/Help/TORV_FW_Manual_EN.pdf");
// The table's entries that nothing in the program shows: the unused box
// title "Question" and four messages of an older workflow (a restart of
// Windows, among others).
const std::set<int> kNeverShown = {2, 19, 20, 23, 25};
// The first entry of the texts still on their way into the table.
constexpr int kFirstComing = 49;

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

QString manualSource()
{
    QFile source(QStringLiteral(AIS_MANUAL_SOURCE));
    return source.open(QIODevice::ReadOnly) ? QString::fromUtf8(source.readAll()) : QString();
}

// The text of each page as laid out, without the page feeds.
QStringList layoutPages()
{
    return run("pdftotext", {"-layout", kManual, "-"}).split(QChar('\f'), Qt::SkipEmptyParts);
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
        headings.append({static_cast<int>(match.captured(1).size()), match.captured(2), match.captured(4)});
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

// The texts the program shows: its table but for the entries nothing shows,
// and the entries still on their way into the table (the copy time-out's),
// which the manual describes already; once the table holds one, its own
// text counts.
QStringList shownTexts()
{
    const CUpgradeTexts texts;
    QStringList shown;
    for (int n = 0; n < CUpgradeTexts::Count; ++n) {
        if (!kNeverShown.count(n))
            shown << texts.text(n);
    }
    const QStringList coming = {
        "The copy is taking longer than expected and is still running.\nDo not power Off the device or unplug the "
        "device yet: this page tells you when it is safe.",
        "Nothing has been written to the device for %1 seconds: the copy has stopped.\nPlease power Off the device "
        "and retry again.",
        "Upgrade completed successfully!\nYou can unplug the device and close the program.",
        "The firmware was copied to the device.",
    };
    for (int n = std::max(CUpgradeTexts::Count, kFirstComing); n < kFirstComing + coming.size(); ++n)
        shown << coming[n - kFirstComing];
    return shown;
}

struct Bookmark {
    QString title;
    int page = 0;
};

// The PDF outline, depth first, as qpdf reads it.
QList<Bookmark> bookmarks()
{
    const QJsonDocument json = QJsonDocument::fromJson(run("qpdf", {"--json=2", "--json-key=outlines", kManual}).toUtf8());
    QList<Bookmark> found;
    std::function<void(const QJsonArray &)> walk = [&](const QJsonArray &items) {
        for (const QJsonValue &item : items) {
            const QJsonObject outline = item.toObject();
            found.append({outline["title"].toString(), outline["destpageposfrom1"].toInt()});
            walk(outline["kids"].toArray());
        }
    };
    walk(json.object()["outlines"].toArray());
    return found;
}
}  // namespace

TEST(Manual, HelpButtonOpensTheManualBesideTheProgram)
{
    ASSERT_EQ(QDir(QCoreApplication::applicationDirPath()), QDir(QStringLiteral(AIS_PROGRAM_DIR)));
    MainWindow window;
    window.show();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    window.findChild<QToolButton *>("btnThemeFunHelp")->click();
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.urls.size(), 1);
    const QString opened = catcher.urls[0].toLocalFile();
    EXPECT_EQ(QFileInfo(opened).canonicalFilePath(), QFileInfo(kManual).canonicalFilePath());
    QFile pdf(opened);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << opened.toStdString();
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST(Manual, NumberedA4PagesWithEveryPictureOfItsSource)
{
    const QString info = run("pdfinfo", {kManual});
    ASSERT_FALSE(info.isEmpty()) << "pdfinfo (poppler-utils) cannot read " << kManual.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)")))
        << info.toStdString();
    const auto pages = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    ASSERT_TRUE(pages.hasMatch());
    const int count = pages.captured(1).toInt();
    // Fourteen chapters with a picture of every page: fewer means text was lost.
    EXPECT_GE(count, 16);
    EXPECT_LE(count, 30);  // room for longer languages

    const QString text = run("pdftotext", {kManual, "-"});
    const QStringList pageTexts = text.split(QChar('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pageTexts.size(), count);
    for (int page = 1; page <= count; ++page)
        EXPECT_TRUE(pageTexts[page - 1].contains(QStringLiteral("Page %1 of %2").arg(page).arg(count))) << page;

    // A picture the renderer could not place would leave a hole, not an error.
    const int pictures = manualSource().count(QRegularExpression("!\\[[^\\]]*\\]\\(images/"));
    const QStringList images = run("pdfimages", {"-list", kManual}).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(images.size(), 2) << "pdfimages (poppler-utils) cannot read the manual";
    EXPECT_GE(pictures, 12);
    EXPECT_EQ(images.size() - 2, pictures);  // two header lines
}

TEST(Manual, QuotesEveryTextTheProgramShows)
{
    const QString manual = normalised(run("pdftotext", {kManual, "-"}));
    ASSERT_FALSE(manual.isEmpty()) << "pdftotext (poppler-utils) cannot read " << kManual.toStdString();
    // Every entry but the unused ones, including any added later, is on
    // screen or in the report, so the manual quotes it.
    for (const QString &text : shownTexts())
        EXPECT_TRUE(manual.contains(QRegularExpression(textPattern(text)))) << "missing: " << text.toStdString();
    const CUpgradeTexts texts;
    for (const int n : kNeverShown)
        EXPECT_FALSE(manual.contains(QRegularExpression(textPattern(texts.text(n)))))
            << "text " << n << " is never shown: " << texts.text(n).toStdString();
    // The edition it names is the program's.
    EXPECT_TRUE(manual.contains(QLatin1String(CAboutForm::versionText()))) << CAboutForm::versionText();
}

// A message explained in two places says two things: each quote is one of
// the program's texts, character for character, and no text is quoted twice.
TEST(Manual, QuotesEachMessageExactlyAndOnce)
{
    const QStringList shown = shownTexts();
    const QStringList quotes = sourceQuotes();
    ASSERT_GE(quotes.size(), 10) << "no block quotes in " << AIS_MANUAL_SOURCE;
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

TEST(Manual, BookmarkForEveryChapterAndSection)
{
    const QList<Bookmark> marks = bookmarks();
    const auto headings = sourceHeadings();
    ASSERT_GE(headings.size(), 8);
    // The contents, then every heading of the source, numbered, in order.
    ASSERT_EQ(marks.size(), headings.size() + 1) << "qpdf cannot read the outline, or headings have none";
    EXPECT_EQ(marks[0].title, QStringLiteral("Contents"));
    for (int i = 0; i < headings.size(); ++i)
        EXPECT_TRUE(marks[i + 1].title.endsWith(' ' + headings[i].title))
            << marks[i + 1].title.toStdString() << " / " << headings[i].title.toStdString();
}

TEST(Manual, ContentsGiveTheRightPages)
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

// The look-up at the end ({#lookup}): every message by its first words, an
// omission as "…", with the page that quotes it.
TEST(Manual, LookUpGivesThePageThatQuotesEachMessage)
{
    const QStringList pages = layoutPages();
    const auto headings = sourceHeadings();
    const auto lookUp = std::find_if(headings.begin(), headings.end(), [](const Heading &h) { return h.id == "lookup"; });
    ASSERT_NE(lookUp, headings.end()) << "no chapter {#lookup} in " << AIS_MANUAL_SOURCE;
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
            const QString shown = quote != quotes.end() ? QRegularExpression::escape(*quote) : pieces.join(".{0,200}?");
            EXPECT_TRUE(normalised(pages[quotedOn - 1]).contains(QRegularExpression(shown)))
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

TEST(Manual, ReferencesToChaptersAreLinks)
{
    std::set<QString> referenced;
    static const QRegularExpression reference("\\]\\(#([^)]+)\\)");
    for (auto it = reference.globalMatch(manualSource()); it.hasNext();)
        referenced.insert(it.next().captured(1));
    ASSERT_GE(referenced.size(), 8u);

    // Every link annotation that leads to a place in the manual itself.
    const QJsonDocument json = QJsonDocument::fromJson(run("qpdf", {"--json=2", "--json-key=qpdf", kManual}).toUtf8());
    const QJsonObject objects = json.object()["qpdf"].toArray().at(1).toObject();
    ASSERT_FALSE(objects.isEmpty()) << "qpdf cannot read " << kManual.toStdString();
    std::set<QString> linked;
    for (const QJsonValue &object : objects) {
        const QJsonObject value = object.toObject()["value"].toObject();
        if (value["/Subtype"].toString() == QStringLiteral("/Link") && value["/Dest"].isString())
            linked.insert(value["/Dest"].toString().section(':', -1));
    }
    for (const QString &id : referenced)
        EXPECT_EQ(linked.count(id), 1u) << "no link to #" << id.toStdString();
    // The page a reference adds never runs into the next word ("(page 17)if").
    const auto joined = QRegularExpression("\\S*\\)\\p{L}\\S*").match(normalised(run("pdftotext", {kManual, "-"})));
    EXPECT_FALSE(joined.hasMatch()) << joined.captured().toStdString();
}

// Nor in a quoted message whose explanation is on the next page: a quote's
// lines stand indented (the box it comes from), and are the program's words.
TEST(Manual, NoPageEndsInAHeadingALeadInOrAQuote)
{
    const QStringList pages = layoutPages();
    ASSERT_FALSE(pages.isEmpty());
    QStringList titles;
    for (const Bookmark &mark : bookmarks())
        titles << mark.title;
    const QStringList quotes = sourceQuotes();
    const auto indent = [](const QString &line) { return line.indexOf(QRegularExpression("\\S")); };
    for (int page = 1; page < pages.size(); ++page) {
        QStringList lines = pages[page - 1].split('\n');
        // The last line of the text, above the footer, and the text's left edge.
        QString last;
        int left = 1000;
        for (const QString &line : lines) {
            if (line.contains(QStringLiteral("Page %1 of").arg(page)))
                break;
            if (line.trimmed().isEmpty())
                continue;
            last = line;
            left = std::min(left, indent(line));
        }
        ASSERT_FALSE(last.isEmpty()) << "page " << page << " is empty";
        const QString text = last.trimmed();
        const bool heading = std::any_of(titles.begin(), titles.end(),
                                         [&](const QString &title) { return title == text || title.endsWith(' ' + text); });
        EXPECT_FALSE(heading) << "page " << page << " ends in the heading " << text.toStdString();
        EXPECT_FALSE(text.endsWith(':')) << "page " << page << " ends in a lead-in: " << text.toStdString();
        const bool quoted = indent(last) >= left + 5 &&
                            std::any_of(quotes.begin(), quotes.end(), [&](const QString &q) { return q.contains(normalised(text)); });
        EXPECT_FALSE(quoted) << "page " << page << " ends in a quoted message: " << text.toStdString();
    }
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

