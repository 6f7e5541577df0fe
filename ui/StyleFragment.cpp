#include "ui/StyleFragment.h"

namespace {
QString px(const char *property, int iValue)
{
    return iValue == -1 ? QString() : QString::asprintf("%s%dpx;", property, iValue);
}
}  // namespace

QString StyleFragment::colour(qint64 iColor, bool bAlpha)
{
    return bAlpha ? QString::asprintf("#%08x", static_cast<unsigned>(iColor & 0xffffffff))
                  : QString::asprintf("#%06x", static_cast<unsigned>(iColor & 0xffffff));
}

QString StyleFragment::colorBlock(qint64 iColor, qint64 iBackground, qint64 iSelectionColor,
                                  qint64 iSelectionBackground, qint64 iAlternateBackground, bool bAlpha)
{
    const std::pair<const char *, qint64> parts[] = {
        {"color:", iColor},
        {"background-color:", iBackground},
        {"selection-color:", iSelectionColor},
        {"selection-background-color:", iSelectionBackground},
        {"alternate-background-color:", iAlternateBackground},
    };
    QString result;
    for (const auto &part : parts) {
        if (part.second != -1)
            result += QString::fromLatin1(part.first) + colour(part.second, bAlpha) + ";";
    }
    return result;
}

QString StyleFragment::positionName(int iPosition)
{
    static const char *const names[] = {"left", "top", "right", "bottom", "center"};
    return iPosition >= Left && iPosition <= Center ? QString::fromLatin1(names[iPosition]) : QStringLiteral("center");
}

QString StyleFragment::borderStyleName(int iStyle)
{
    static const char *const names[] = {"solid", "dashed", "dot-dash", "dot-dot-dash", "dotted",
                                        "double", "groove", "inset", "outset", "ridge"};
    return iStyle >= Solid && iStyle <= Ridge ? QString::fromLatin1(names[iStyle]) : QStringLiteral("solid");
}

QString StyleFragment::backgroundImage(const QString &strPath, int iHorizontal, int iVertical)
{
    if (strPath.isEmpty())
        return QString();
    return "background-image: url(" + strPath + ");" + "background-position: " + positionName(iHorizontal) + " " +
           positionName(iVertical) + ";" + "background-origin: content;" + "background-repeat: none;";
}

QString StyleFragment::radius(int iRadius)
{
    return px("border-radius:", iRadius);
}

QString StyleFragment::radius(int iTopLeft, int iTopRight, int iBottomRight, int iBottomLeft)
{
    return px("border-top-left-radius:", iTopLeft) + px("border-top-right-radius:", iTopRight) +
           px("border-bottom-right-radius:", iBottomRight) + px("border-bottom-left-radius:", iBottomLeft);
}

QString StyleFragment::padding(int iLeft, int iTop, int iRight, int iBottom)
{
    return px("padding-left:", iLeft) + px("padding-top:", iTop) + px("padding-right:", iRight) +
           px("padding-bottom:", iBottom);
}

QString StyleFragment::border(int iWidth, int iStyle, qint64 iColor)
{
    if (iWidth < 1)
        return QStringLiteral("border: none;");
    return QString::asprintf("border:%dpx", iWidth) + " " + borderStyleName(iStyle) + " " + colour(iColor, false) +
           ";";
}

QString StyleFragment::outline(int iWidth, int iStyle, qint64 iColor)
{
    if (iWidth == -1)
        return QString();
    return QString::asprintf("outline-width:%dpx", iWidth) + " " + borderStyleName(iStyle) + " " +
           colour(iColor, false) + ";";
}

QString StyleFragment::gradient(double dX1, double dY1, double dX2, double dY2,
                                const std::vector<std::pair<double, qint64>> &oStops)
{
    QString result = "background: qlineargradient(" + QString::asprintf("x1:%.1f, y1:%.1f, x2:%.1f, y2:%.1f", dX1, dY1, dX2, dY2);
    for (const auto &stop : oStops)
        result += ", stop:" + QString::asprintf("%.1f ", stop.first) + colour(stop.second, false);
    return result + ");";
}

QString StyleFragment::image(const QString &strPath)
{
    return strPath.isEmpty() ? QString() : "image: url(" + strPath + ");";
}

QString StyleFragment::geometry(int iLeft, int iTop, int iRight, int iBottom, int iWidth, int iHeight, int iMinHeight)
{
    return px("left:", iLeft) + px("top:", iTop) + px("right:", iRight) + px("bottom:", iBottom) +
           px("width:", iWidth) + px("height:", iHeight) + px("min-height:", iMinHeight);
}

QString StyleFragment::font(const QString &strFamily, int iSize, const QString &strWeight)
{
    QString result;
    if (!strFamily.isEmpty())
        result += "font-family:\"" + strFamily + "\";";
    result += px("font-size:", iSize);
    if (!strWeight.isEmpty())
        result += "font-weight:" + strWeight + ";";
    return result;
}
