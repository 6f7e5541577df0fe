// The operator manual that the build puts beside the program, read back with
// poppler's tools: A4 pages numbered "Page n of N", every picture of its
// source, and every text the program shows in a message box or on its
// pages, taken from the program's own text table, so the manual cannot
// drift from the program. The Help button of the real window must open it.
#include "app/CUpgradeTexts.h"
#include "app/MainWindow.h"
#include "tests/support/UrlCatcher.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

namespace {
const QString kManual = QStringLiteral(AIS_PROGRAM_DIR "/Help/TORV_FW_Manual_EN.pdf");

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
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 842(\\.\\d+)? pts \\(A4\\)")))
        << info.toStdString();
    const auto pages = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    ASSERT_TRUE(pages.hasMatch());
    const int count = pages.captured(1).toInt();
    // Nine chapters with a picture of every page: fewer means text was lost.
    EXPECT_GE(count, 10);
    EXPECT_LE(count, 20);

    const QString text = run("pdftotext", {kManual, "-"});
    const QStringList pageTexts = text.split(QChar('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pageTexts.size(), count);
    for (int page = 1; page <= count; ++page)
        EXPECT_TRUE(pageTexts[page - 1].contains(QStringLiteral("Page %1 of %2").arg(page).arg(count))) << page;

    // A picture the renderer could not place would leave a hole, not an error.
    QFile source(QStringLiteral(AIS_MANUAL_SOURCE));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const int pictures = QString::fromUtf8(source.readAll()).count(QRegularExpression("!\\[[^\\]]*\\]\\(images/"));
    const QStringList images = run("pdfimages", {"-list", kManual}).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(images.size(), 2) << "pdfimages (poppler-utils) cannot read the manual";
    EXPECT_GE(pictures, 9);
    EXPECT_EQ(images.size() - 2, pictures);  // two header lines
}

TEST(Manual, QuotesEveryTextTheProgramShows)
{
    const QString manual = normalised(run("pdftotext", {kManual, "-"}));
    ASSERT_FALSE(manual.isEmpty()) << "pdftotext (poppler-utils) cannot read " << kManual.toStdString();
    const CUpgradeTexts texts;
    // Box titles; the message boxes; the pages: welcome, system
    // initialisation, device information ("Unknown", "Bootloader"), copy, success.
    const int shown[] = {1, 3, 4, 5, 7, 8, 21, 22, 24, 28, 29, 30, 31, 0, 6, 9, 10, 11, 12, 13, 14, 15, 16, 17, 26, 27};
    for (int n : shown) {
        const QString wanted = normalised(texts.text(n));
        ASSERT_FALSE(wanted.isEmpty());
        EXPECT_TRUE(manual.contains(wanted)) << "text " << n << " missing: " << wanted.toStdString();
    }
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

