#pragma once

#include <QString>

#include <utility>
#include <vector>

// Builders of single style-sheet fragments. Colours are 0xRRGGBB values (or
// 0xAARRGGBB for the alpha form); -1, or an empty text, leaves a property out.
class StyleFragment {
public:
    enum Position { Left, Top, Right, Bottom, Center };
    enum BorderStyle { Solid, Dashed, DotDash, DotDotDash, Dotted, Double, Groove, Inset, Outset, Ridge };

    static QString colorBlock(qint64 iColor, qint64 iBackground = -1, qint64 iSelectionColor = -1,
                              qint64 iSelectionBackground = -1, qint64 iAlternateBackground = -1,
                              bool bAlpha = false);
    static QString backgroundImage(const QString &strPath, int iHorizontal = Center, int iVertical = Center);
    static QString radius(int iRadius);
    static QString radius(int iTopLeft, int iTopRight, int iBottomRight, int iBottomLeft);
    static QString padding(int iLeft, int iTop, int iRight, int iBottom);
    // A width below 1 gives "border: none;".
    static QString border(int iWidth, int iStyle = Solid, qint64 iColor = 0);
    static QString outline(int iWidth, int iStyle = Solid, qint64 iColor = 0);
    static QString gradient(double dX1, double dY1, double dX2, double dY2,
                            const std::vector<std::pair<double, qint64>> &oStops);
    static QString image(const QString &strPath);
    static QString geometry(int iLeft, int iTop, int iRight, int iBottom, int iWidth = -1, int iHeight = -1,
                            int iMinHeight = -1);
    // An empty weight or a size of -1 leaves that property out.
    static QString font(const QString &strFamily, int iSize, const QString &strWeight = QString());

    static QString positionName(int iPosition);
    static QString borderStyleName(int iStyle);

private:
    static QString colour(qint64 iColor, bool bAlpha);
};
