// Draws the theme's PNG images into a resource folder. Run by hand when the
// artwork changes (target ais_theme_icons); the program itself only reads the
// committed PNGs through its resources.
#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <functional>

namespace {
const QColor kIcon(0xec, 0xec, 0xec);
const QColor kIconHover(0xff, 0xff, 0xff);
const QColor kAccent(0x1e, 0x90, 0xff);
const QColor kAccentDark(0x41, 0x69, 0xe1);
const QColor kNavy(0x19, 0x19, 0x70);
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kGreenLight(0x2e, 0xa8, 0x2e);

using Draw = std::function<void(QPainter &, qreal)>;

bool save(const QString &root, const QString &path, int size, const Draw &draw)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, true);
        draw(p, size);
    }
    const QString file = root + "/" + path;
    QDir().mkpath(QFileInfo(file).path());
    const bool ok = image.save(file, "PNG");
    QTextStream(stdout) << (ok ? "wrote " : "FAILED ") << file << "\n";
    return ok;
}

// The image and its twin for screens at twice the density ("name@2x.png",
// drawn at twice the size), which Qt picks for style sheets and icons there.
bool saveWithTwin(const QString &root, const QString &path, int size, const Draw &draw)
{
    QString twin = path;
    twin.insert(twin.lastIndexOf('.'), QStringLiteral("@2x"));
    const bool ok = save(root, path, size, draw);
    return save(root, twin, 2 * size, draw) && ok;
}

QPen stroke(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawClose(QPainter &p, qreal s, const QColor &c)
{
    p.setPen(stroke(c, s * 0.09));
    p.drawLine(QPointF(s * 0.28, s * 0.28), QPointF(s * 0.72, s * 0.72));
    p.drawLine(QPointF(s * 0.72, s * 0.28), QPointF(s * 0.28, s * 0.72));
}

void drawMini(QPainter &p, qreal s, const QColor &c)
{
    p.setPen(stroke(c, s * 0.09));
    p.drawLine(QPointF(s * 0.26, s * 0.62), QPointF(s * 0.74, s * 0.62));
}

// A lower-case "i" from shapes, so no font is needed.
void drawInfoGlyph(QPainter &p, qreal s, const QColor &c, qreal scale)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const qreal cx = s / 2;
    p.drawEllipse(QPointF(cx, s * (0.5 - 0.22 * scale)), s * 0.065 * scale, s * 0.065 * scale);
    p.drawRoundedRect(QRectF(cx - s * 0.055 * scale, s * (0.5 - 0.09 * scale), s * 0.11 * scale, s * 0.34 * scale),
                      s * 0.03, s * 0.03);
}

void drawAbout(QPainter &p, qreal s, const QColor &c)
{
    p.setPen(stroke(c, s * 0.07));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(s * 0.14, s * 0.14, s * 0.72, s * 0.72));
    drawInfoGlyph(p, s, c, 0.8);
}

void drawBook(QPainter &p, qreal s, const QColor &c)
{
    p.setPen(stroke(c, s * 0.06));
    p.setBrush(Qt::NoBrush);
    QPainterPath left;
    left.moveTo(s * 0.5, s * 0.3);
    left.cubicTo(s * 0.4, s * 0.22, s * 0.24, s * 0.22, s * 0.14, s * 0.26);
    left.lineTo(s * 0.14, s * 0.76);
    left.cubicTo(s * 0.24, s * 0.72, s * 0.4, s * 0.72, s * 0.5, s * 0.8);
    QPainterPath right;
    right.moveTo(s * 0.5, s * 0.3);
    right.cubicTo(s * 0.6, s * 0.22, s * 0.76, s * 0.22, s * 0.86, s * 0.26);
    right.lineTo(s * 0.86, s * 0.76);
    right.cubicTo(s * 0.76, s * 0.72, s * 0.6, s * 0.72, s * 0.5, s * 0.8);
    p.drawPath(left);
    p.drawPath(right);
    p.drawLine(QPointF(s * 0.5, s * 0.3), QPointF(s * 0.5, s * 0.8));
}

void drawLog(QPainter &p, qreal s, const QColor &c)
{
    p.setPen(stroke(c, s * 0.06));
    p.setBrush(Qt::NoBrush);
    QPainterPath sheet;
    sheet.moveTo(s * 0.24, s * 0.14);
    sheet.lineTo(s * 0.6, s * 0.14);
    sheet.lineTo(s * 0.78, s * 0.32);
    sheet.lineTo(s * 0.78, s * 0.86);
    sheet.lineTo(s * 0.24, s * 0.86);
    sheet.closeSubpath();
    p.drawPath(sheet);
    p.drawPolyline(QPolygonF({QPointF(s * 0.6, s * 0.14), QPointF(s * 0.6, s * 0.32), QPointF(s * 0.78, s * 0.32)}));
    for (qreal y : {0.48, 0.61, 0.74})
        p.drawLine(QPointF(s * 0.34, s * y), QPointF(s * 0.68, s * y));
}

void drawDisc(QPainter &p, qreal s, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(0, 0, 0, s);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92));
}

void drawCheckMark(QPainter &p, qreal s, const QColor &c, qreal width)
{
    p.setPen(stroke(c, s * width));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(s * 0.28, s * 0.52), QPointF(s * 0.44, s * 0.67), QPointF(s * 0.73, s * 0.36)}));
}

// Brand mark: a sail over a wave on a blue disc.
void drawLogo(QPainter &p, qreal s)
{
    drawDisc(p, s, kAccent, kNavy);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    QPainterPath sail;
    sail.moveTo(s * 0.5, s * 0.18);
    sail.lineTo(s * 0.5, s * 0.62);
    sail.lineTo(s * 0.24, s * 0.62);
    sail.closeSubpath();
    QPainterPath jib;
    jib.moveTo(s * 0.55, s * 0.26);
    jib.quadTo(s * 0.74, s * 0.44, s * 0.76, s * 0.62);
    jib.lineTo(s * 0.55, s * 0.62);
    jib.closeSubpath();
    p.drawPath(sail);
    p.drawPath(jib);
    p.setPen(stroke(Qt::white, s * 0.06));
    p.setBrush(Qt::NoBrush);
    QPainterPath wave;
    wave.moveTo(s * 0.2, s * 0.74);
    wave.cubicTo(s * 0.32, s * 0.66, s * 0.4, s * 0.82, s * 0.5, s * 0.74);
    wave.cubicTo(s * 0.6, s * 0.66, s * 0.68, s * 0.82, s * 0.8, s * 0.74);
    p.drawPath(wave);
}

// A chip with an upward arrow: the firmware going onto the device.
void drawUpgrade(QPainter &p, qreal s)
{
    p.setPen(stroke(kNavy, s * 0.035));
    for (int i = 0; i < 4; ++i) {
        const qreal t = s * (0.32 + 0.12 * i);
        p.drawLine(QPointF(t, s * 0.08), QPointF(t, s * 0.2));
        p.drawLine(QPointF(t, s * 0.8), QPointF(t, s * 0.92));
        p.drawLine(QPointF(s * 0.08, t), QPointF(s * 0.2, t));
        p.drawLine(QPointF(s * 0.8, t), QPointF(s * 0.92, t));
    }
    QLinearGradient g(0, s * 0.2, 0, s * 0.8);
    g.setColorAt(0, QColor(0x64, 0x95, 0xed));
    g.setColorAt(1, kNavy);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(s * 0.2, s * 0.2, s * 0.6, s * 0.6), s * 0.08, s * 0.08);
    p.setBrush(Qt::white);
    QPainterPath arrow;
    arrow.moveTo(s * 0.5, s * 0.28);
    arrow.lineTo(s * 0.68, s * 0.48);
    arrow.lineTo(s * 0.57, s * 0.48);
    arrow.lineTo(s * 0.57, s * 0.7);
    arrow.lineTo(s * 0.43, s * 0.7);
    arrow.lineTo(s * 0.43, s * 0.48);
    arrow.lineTo(s * 0.32, s * 0.48);
    arrow.closeSubpath();
    p.drawPath(arrow);
}
}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        QTextStream(stderr) << "usage: ais_theme_icons <resource folder> [<hicolor icon folder>]\n";
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    bool ok = true;
    auto both = [&](const QString &base, const std::function<void(QPainter &, qreal, const QColor &)> &draw) {
        ok &= saveWithTwin(root, base + ".png", 40, [&](QPainter &p, qreal s) { draw(p, s, kIcon); });
        ok &= saveWithTwin(root, base + "_Hover.png", 40, [&](QPainter &p, qreal s) { draw(p, s, kIconHover); });
    };
    both("WinCtrl/Widget/WinCtrl/A20/0.Close", drawClose);
    both("WinCtrl/Widget/WinCtrl/A20/1.Mini", drawMini);
    both("ThemeFun/Images/ThemeFun/1.About", drawAbout);
    both("ThemeFun/Images/ThemeFun/2.Book", drawBook);
    both("ThemeFun/Images/ThemeFun/3.Log", drawLog);

    const QString wizard = "FirmwareUpgrade/Images/FirmwareUpgrade/";
    ok &= save(root, wizard + "Upgrade.png", 128, drawUpgrade);
    // Shown unscaled as a 36 px background picture and as the title bar icon.
    ok &= saveWithTwin(root, wizard + "TORV Logo_Firmware_Upgrade.png", 36, drawLogo);
    // The pictures below are shown scaled into labels of half their size, so
    // they are sharp at twice the density as they stand.
    ok &= save(root, wizard + "Checked.png", 48, [](QPainter &p, qreal s) {
        drawDisc(p, s, kGreenLight, kGreen);
        drawCheckMark(p, s, Qt::white, 0.11);
    });

    const QString status = "ReportStatus/Images/ReportStatus/";
    ok &= save(root, status + "Good.png", 128, [](QPainter &p, qreal s) {
        drawDisc(p, s, kGreenLight, kGreen);
        drawCheckMark(p, s, Qt::white, 0.1);
    });
    ok &= save(root, status + "Info.png", 96, [](QPainter &p, qreal s) {
        drawDisc(p, s, kAccent, kAccentDark);
        drawInfoGlyph(p, s, Qt::white, 1.0);
    });

    // The desktop's application icon: the same logo, drawn at each size of
    // the hicolor theme rather than scaled up from the 36 px picture.
    if (argc == 3) {
        const QString hicolor = QString::fromLocal8Bit(argv[2]);
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            ok &= save(hicolor, QString("%1x%1/apps/com.torv.AisFirmwareUpgrade.png").arg(size), size, drawLogo);
    }
    return ok ? 0 : 1;
}
