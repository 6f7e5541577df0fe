// Theme library: font scale from "profile.ini", colour table, image paths,
// fragment formats, and that every picture the program shows exists.
#include "ViewFixture.h"

#include "tests/support/TestDirs.h"
#include "ui/CAboutForm.h"
#include "ui/LibraryColor.h"
#include "ui/LibraryFont.h"
#include "ui/LibraryImage.h"
#include "ui/StyleFragment.h"
#include "ui/ThemeStyle.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace {
std::vector<int> sizes()
{
    std::vector<int> out;
    for (int i = 0; i < LibraryFont::SizeCount; ++i)
        out.push_back(LibraryFont::instance().size(i));
    return out;
}

QString writeProfile(const QString &name, const QByteArray &body)
{
    const QString path = TestDirs::fresh(name) + "/profile.ini";
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(body);
    return path;
}

struct FontScaleTest : ::testing::Test {
    void TearDown() override { LibraryFont::instance().init(QString(), "Tahoma", 16, 1.0); }
};
}  // namespace

TEST_F(FontScaleTest, DerivedSizesFromTheStartValues)
{
    LibraryFont::instance().init("no-such-dir/profile.ini", "Tahoma", 16, 1.0);
    EXPECT_EQ(sizes(), (std::vector<int>{8, 11, 13, 16, 18, 22, 27}));
    EXPECT_EQ(LibraryFont::instance().family(), "Tahoma");
}

TEST_F(FontScaleTest, ZoomFromProfile)
{
    const QString path = writeProfile("zoom", "[Palette_Font]\nEnable=true\nSizeZoom=1.25\n");
    LibraryFont::instance().init(path, "Tahoma", 16, 1.0);
    EXPECT_EQ(LibraryFont::instance().normalSize(), 16);
    EXPECT_EQ(sizes(), (std::vector<int>{10, 14, 16, 20, 23, 28, 34}));
}

TEST_F(FontScaleTest, ProfileKeysNeedEnableAndSaneValues)
{
    LibraryFont &font = LibraryFont::instance();

    font.init(writeProfile("disabled", "[Palette_Font]\nEnable=false\nSizeNormal=20\nSizeZoom=2\n"), "Tahoma", 16, 1.0);
    EXPECT_EQ(font.size(LibraryFont::Normal), 16);

    font.init(writeProfile("normal", "[Palette_Font]\nEnable=true\nSizeNormal=20\n"), "Tahoma", 16, 1.0);
    EXPECT_EQ(font.size(LibraryFont::Normal), 20);
    EXPECT_EQ(font.size(LibraryFont::Tiny), 10);

    // A negative zoom is ignored; zero sizes would make every text vanish.
    font.init(writeProfile("negative", "[Palette_Font]\nEnable=true\nSizeZoom=-1.5\nSizeNormal=0\n"), "Tahoma", 16, 1.0);
    EXPECT_DOUBLE_EQ(font.zoom(), 1.0);
    EXPECT_EQ(font.size(LibraryFont::Normal), 16);

    // Halves round up: 10 * 1.15 = 11.5.
    font.init(QString(), "Tahoma", 10, 1.0);
    EXPECT_EQ(font.size(LibraryFont::Large), 12);
    EXPECT_EQ(font.size(99), font.size(LibraryFont::Normal));
}

TEST_F(FontScaleTest, OutOfRangeProfileValuesGiveBoundedSizes)
{
    LibraryFont &font = LibraryFont::instance();

    // Found by fuzz_profile_ini: the product no longer fits an int.
    font.init(writeProfile("huge", "[Palette_Font]\nEnable=true\nSizeNormal=2147483647\nSizeZoom=1e308\n"), "Tahoma",
              16, 1.0);
    EXPECT_EQ(font.normalSize(), 2147483647);
    EXPECT_EQ(font.size(LibraryFont::Tiny), std::numeric_limits<int>::max());
    EXPECT_EQ(font.size(LibraryFont::Huge), std::numeric_limits<int>::max());

    // An infinite zoom is no zoom: the current one stays.
    font.init(writeProfile("infinite", "[Palette_Font]\nEnable=true\nSizeZoom=inf\n"), "Tahoma", 16, 1.0);
    EXPECT_DOUBLE_EQ(font.zoom(), 1.0);
    EXPECT_EQ(sizes(), (std::vector<int>{8, 11, 13, 16, 18, 22, 27}));

    // Large but finite: every size still grows with its factor.
    font.init(writeProfile("large", "[Palette_Font]\nEnable=true\nSizeNormal=1000000000\nSizeZoom=1.5\n"), "Tahoma",
              16, 1.0);
    const std::vector<int> large = sizes();
    EXPECT_EQ(large[LibraryFont::Tiny], 750000000);
    EXPECT_TRUE(std::is_sorted(large.begin(), large.end()));
    EXPECT_EQ(large[LibraryFont::Huge], std::numeric_limits<int>::max());
}

TEST(ColorLibrary, TableByGroupAndIndex)
{
    const LibraryColor &colors = LibraryColor::instance();
    int total = 0;
    for (int g = 0; g < ResourceColor::GroupCount; ++g)
        total += ResourceColor::groupSize(g);
    EXPECT_EQ(total, ResourceColor::EntryCount);

    EXPECT_EQ(colors.rgb(ResourceColor::Red, 1), 0xb22222);
    EXPECT_EQ(colors.rgb(ResourceColor::Yellow, 3), 0xdaa520);
    EXPECT_EQ(colors.rgb(ResourceColor::Purple, 4), 0x0a246a);
    EXPECT_EQ(colors.rgb(ResourceColor::Blue, 8), 0x191970);
    EXPECT_EQ(colors.rgb(ResourceColor::White, 1), 0xfffbf0);
    EXPECT_EQ(colors.rgb(ResourceColor::Gray, 1), 0x000000);
    EXPECT_EQ(colors.rgb(ResourceColor::Gray, 9), 0xececec);
    EXPECT_EQ(colors.argb(ResourceColor::Green, 2), 0xff556b2f);
    EXPECT_EQ(colors.color(ResourceColor::Orange, 1), QColor(0xff, 0x7f, 0x50));

    EXPECT_EQ(colors.rgb(ResourceColor::Red, 2), -1);
    EXPECT_EQ(colors.rgb(ResourceColor::Gray, 10), -1);
    EXPECT_EQ(colors.rgb(-1, 0), -1);
    EXPECT_FALSE(colors.color(ResourceColor::GroupCount, 0).isValid());
}

TEST(ImageLibrary, PathsFollowFamilyKindAndSubFolder)
{
    const LibraryImage &images = LibraryImage::instance();
    EXPECT_EQ(images.path(ResourceImage::WinCtrl, ResourceImage::WinCtrlClose, ResourceImage::StateHover),
              ":/WinCtrl/Widget/WinCtrl/A20/0.Close_Hover.png");
    EXPECT_EQ(images.path(ResourceImage::WinCtrl, ResourceImage::WinCtrlClose),
              ":/WinCtrl/Widget/WinCtrl/A20/0.Close.png");
    EXPECT_EQ(images.path(ResourceImage::ThemeFun, ResourceImage::ThemeFunAbout),
              ":/ThemeFun/Images/ThemeFun/1.About.png");
    EXPECT_EQ(images.path(ResourceImage::CheckBoxBlue, 0), ":/CheckBox/Widget/CheckBox/B32Blue/Checked.png");
    EXPECT_EQ(images.path(ResourceImage::SpinBox, 2), ":/SpinBox/Widget/SpinBox/A12Gray/Right.png");
    // Only state 4 is the hover state.
    EXPECT_EQ(images.path(ResourceImage::ThemeFun, 1, 3), ":/ThemeFun/Images/ThemeFun/2.Book.png");
    EXPECT_TRUE(images.path(ResourceImage::WinCtrl, 2).isEmpty());
    EXPECT_TRUE(images.path(ResourceImage::FamilyCount, 0).isEmpty());
}

TEST(StyleFragments, Formats)
{
    using F = StyleFragment;
    EXPECT_EQ(F::colorBlock(-1, 0x1e90ff), "background-color:#1e90ff;");
    EXPECT_EQ(F::colorBlock(0x000080, -1, -1, -1, 0xfffbf0),
              "color:#000080;alternate-background-color:#fffbf0;");
    EXPECT_EQ(F::colorBlock(0xff333333, -1, -1, -1, -1, true), "color:#ff333333;");
    EXPECT_EQ(F::colorBlock(-1), "");
    EXPECT_EQ(F::backgroundImage(":/a.png", F::Right, F::Bottom),
              "background-image: url(:/a.png);background-position: right bottom;"
              "background-origin: content;background-repeat: none;");
    EXPECT_EQ(F::backgroundImage(QString()), "");
    EXPECT_EQ(F::radius(6), "border-radius:6px;");
    EXPECT_EQ(F::radius(1, -1, 3, -1), "border-top-left-radius:1px;border-bottom-right-radius:3px;");
    EXPECT_EQ(F::padding(4, -1, -1, 2), "padding-left:4px;padding-bottom:2px;");
    EXPECT_EQ(F::border(2, F::DotDash, 0xa9a9a9), "border:2px dot-dash #a9a9a9;");
    EXPECT_EQ(F::border(0), "border: none;");
    EXPECT_EQ(F::outline(1, F::Ridge, 0x000000), "outline-width:1px ridge #000000;");
    EXPECT_EQ(F::gradient(0, 0, 0, 1, {{0.0, 0xffffff}, {1.0, 0x191970}}),
              "background: qlineargradient(x1:0.0, y1:0.0, x2:0.0, y2:1.0, stop:0.0 #ffffff, stop:1.0 #191970);");
    EXPECT_EQ(F::image(":/b.png"), "image: url(:/b.png);");
    EXPECT_EQ(F::geometry(1, -1, -1, -1, 30, -1, 20), "left:1px;width:30px;min-height:20px;");
    EXPECT_EQ(F::font("Tahoma", 16, "600"), "font-family:\"Tahoma\";font-size:16px;font-weight:600;");
    EXPECT_EQ(F::font(QString(), -1), "");
    EXPECT_EQ(ThemeStyle::pictureSheet(":/c.png"),
              "QWidget {background-image: url(:/c.png);background-position: center center;"
              "background-origin: content;background-repeat: none;border: none;}");
}

namespace {
// Every resource a widget tree refers to: style sheet urls, pixmaps, icons.
// A style sheet shows its image at the image's own size, so each one also
// needs its twin for screens at twice the density ("@2x", twice the size),
// or it is stretched and blurred there.
void checkResources(QWidget *root, int *checked)
{
    static const QRegularExpression url(QStringLiteral("url\\((:/[^)]*)\\)"));
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *w : widgets) {
        auto it = url.globalMatch(w->styleSheet());
        while (it.hasNext()) {
            const QString path = it.next().captured(1);
            EXPECT_TRUE(QFile::exists(path)) << w->objectName().toStdString() << ": " << path.toStdString();
            EXPECT_FALSE(QImage(path).isNull()) << path.toStdString();
            QString twin = path;
            twin.insert(twin.lastIndexOf('.'), QStringLiteral("@2x"));
            EXPECT_EQ(QImage(twin).size(), QImage(path).size() * 2) << twin.toStdString();
            ++*checked;
        }
    }
}
}  // namespace

TEST(Resources, EveryPictureTheProgramShowsExists)
{
    ViewFixture f;
    int checked = 0;
    checkResources(&f.window, &checked);
    CAboutForm about(&f.window);
    about.applyTheme();
    checkResources(&about, &checked);
    // Five title-bar buttons and the About close button (normal, hover and
    // pressed image each) and the About logo: proof the scan saw them all.
    EXPECT_EQ(checked, 6 * 3 + 1);

    for (QLabel *label : {f.ui.lblWelcomeMainNoteIcon, f.ui.lblWelcomeSubNoteTitleIcon1,
                          f.ui.lblWelcomeSubNoteTitleIcon2, f.ui.lblInfoIcon, f.ui.lblCopySuccessIcon}) {
        EXPECT_FALSE(label->pixmap(Qt::ReturnByValue).isNull()) << label->objectName().toStdString();
    }
    EXPECT_FALSE(f.ui.btnBorderTitleLogo->icon().isNull());
    EXPECT_FALSE(f.ui.btnBorderTitleLogo->icon().pixmap(26, 26).isNull());
    // The notices ship compiled into the resources too.
    EXPECT_TRUE(QFile::exists(":/Translations/Lang/CopyRight_en.qm"));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    LibraryFont::instance().init(QString(), "Tahoma", 16, 1.0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
