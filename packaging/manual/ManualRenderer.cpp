#include "packaging/manual/ManualRenderer.h"

#include <QAbstractTextDocumentLayout>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {
constexpr int kDpi = 300;
constexpr double kBodyPoints = 10.5;
constexpr double kFooterPoints = 8.5;
// A window picture (600 pixels wide) takes this share of the text width;
// every picture gets the same scale, never wider than the text.
constexpr double kWindowShare = 0.78;
constexpr int kWindowPixels = 600;
const QColor kHeadingColor(0x1a, 0x23, 0x7e);
const QColor kQuoteBackground(0xee, 0xf0, 0xf6);
const char *const kFooterTitle = "AIS Firmware Upgrade 1.5.3 \u2013 Operator manual";

bool isQuote(const QTextBlock &block)
{
    return block.isValid() && block.blockFormat().intProperty(QTextFormat::BlockQuoteLevel) > 0;
}

double mmToDots(double mm)
{
    return mm / 25.4 * kDpi;
}
}  // namespace

ManualRenderer::ManualRenderer(QString strSourcePath) : m_strSourcePath(std::move(strSourcePath)) {}

bool ManualRenderer::render(const QString &strPdfPath)
{
    QFile source(m_strSourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        m_strError = QStringLiteral("cannot read ") + m_strSourcePath;
        return false;
    }
    const QString markdown = QString::fromUtf8(source.readAll());

    QPdfWriter writer(strPdfPath);
    writer.setResolution(kDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 18, 20, 12),
                                     QPageLayout::Millimeter));
    writer.setTitle(QStringLiteral("AIS Firmware Upgrade \u2013 Operator manual"));
    writer.setCreator(QStringLiteral("AIS Firmware Upgrade 1.5.3"));

    const QRectF paintRect = writer.pageLayout().paintRectPixels(kDpi);
    const double footerHeight = mmToDots(9);
    const QSizeF body(paintRect.width(), paintRect.height() - footerHeight);

    QTextDocument doc;
    // Points become the writer's dots, and pictures are laid out in dots.
    doc.documentLayout()->setPaintDevice(&writer);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kBodyPoints);
    // Ligatures would reach a PDF reader's search and copy as other characters.
    font.setStyleStrategy(QFont::PreferNoShaping);
    doc.setDefaultFont(font);
    doc.setDocumentMargin(0);
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    doc.setPageSize(body);
    // Picture sizes are given in pixels of a 96 dpi screen, which the layout scales to the writer's dots.
    if (!loadImages(doc, body.width() * 96.0 / writer.logicalDpiX()))
        return false;
    styleBlocks(doc);
    // The incremental layout leaves some blocks unlaid after many format
    // changes: lay out everything afresh before measuring.
    doc.markContentsDirty(0, doc.characterCount());
    keepTogether(doc, body.height());

    m_iPageCount = doc.pageCount();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (!block.text().isEmpty() && block.layout()->lineCount() == 0) {
            m_strError = QStringLiteral("a paragraph was not laid out: ") + block.text().left(60);
            return false;
        }
    }
    QPainter painter;
    if (!painter.begin(&writer)) {
        m_strError = QStringLiteral("cannot write ") + strPdfPath;
        return false;
    }
    QFont footerFont = font;
    footerFont.setPointSizeF(kFooterPoints);
    for (int page = 0; page < m_iPageCount; ++page) {
        if (page > 0)
            writer.newPage();
        const QRectF area(0, page * body.height(), body.width(), body.height());
        painter.save();
        painter.translate(0, -area.top());
        painter.setClipRect(area);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = area;
        doc.documentLayout()->draw(&painter, context);
        painter.restore();

        painter.setFont(footerFont);
        painter.setPen(QColor(0x55, 0x55, 0x55));
        const QRectF footer(0, body.height(), body.width(), footerHeight);
        painter.drawLine(QPointF(footer.left(), footer.top() + footerHeight * 0.35),
                         QPointF(footer.right(), footer.top() + footerHeight * 0.35));
        painter.drawText(footer, Qt::AlignLeft | Qt::AlignBottom, QString::fromUtf8(kFooterTitle));
        painter.drawText(footer, Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("Page %1 of %2").arg(page + 1).arg(m_iPageCount));
    }
    if (!painter.end()) {
        m_strError = QStringLiteral("cannot finish ") + strPdfPath;
        return false;
    }
    return true;
}

bool ManualRenderer::loadImages(QTextDocument &doc, double bodyPixels)
{
    const QString baseDir = QFileInfo(m_strSourcePath).absolutePath();
    const double scale = bodyPixels * kWindowShare / kWindowPixels;
    // Collected first: changing a fragment's format while walking would
    // split the fragments under the walk.
    std::vector<std::pair<int, QTextImageFormat>> images;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid() && fragment.charFormat().isImageFormat())
                images.emplace_back(fragment.position(), fragment.charFormat().toImageFormat());
        }
    }
    for (auto &[position, format] : images) {
        const QString name = format.name();
        QImage image(QDir::cleanPath(baseDir + '/' + name));
        if (image.isNull()) {
            m_strError = QStringLiteral("cannot read the picture ") + name;
            return false;
        }
        doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
        const double width = std::min(bodyPixels, image.width() * scale);
        format.setWidth(width);
        format.setHeight(width * image.height() / image.width());
        QTextCursor cursor(&doc);
        cursor.setPosition(position);
        cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
    return true;
}

void ManualRenderer::styleBlocks(QTextDocument &doc)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        QTextBlockFormat blockFormat = block.blockFormat();
        if (blockFormat.headingLevel() > 0) {
            blockFormat.setTopMargin(blockFormat.headingLevel() == 1 ? 0 : 60);
            blockFormat.setBottomMargin(20);
            cursor.setBlockFormat(blockFormat);
            QTextCharFormat colour;
            colour.setForeground(kHeadingColor);
            cursor.select(QTextCursor::BlockUnderCursor);
            cursor.mergeCharFormat(colour);
        } else if (isQuote(block)) {
            // The program's own texts: set apart like the box they come from,
            // the lines of one text in one shaded box.
            blockFormat.setBackground(kQuoteBackground);
            blockFormat.setLeftMargin(80);
            blockFormat.setRightMargin(40);
            blockFormat.setTopMargin(isQuote(block.previous()) ? 0 : 30);
            blockFormat.setBottomMargin(isQuote(block.next()) ? 0 : 30);
            cursor.setBlockFormat(blockFormat);
        }
    }
}

void ManualRenderer::keepTogether(QTextDocument &doc, double pageHeight)
{
    // In document order: a page break set here moves only what follows.
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    auto pageOf = [pageHeight](double y) { return static_cast<int>(std::floor(y / pageHeight)); };
    // The lines of one quoted text form one unit.
    auto unitEnd = [](QTextBlock block) {
        while (isQuote(block) && isQuote(block.next()))
            block = block.next();
        return block;
    };
    for (QTextBlock block = doc.begin(); block.isValid();) {
        const QTextBlock last = unitEnd(block);
        // A heading goes with the unit after it.
        QTextBlock end = last;
        if (block.blockFormat().headingLevel() > 0 && last.next().isValid())
            end = unitEnd(last.next());
        const double top = layout->blockBoundingRect(block).top();
        const double bottom = layout->blockBoundingRect(end).bottom();
        const bool split = pageOf(top) != pageOf(bottom - 1);
        if (split && bottom - top < pageHeight / 2 && top > pageOf(top) * pageHeight && !QTextCursor(block).currentTable()) {
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
        }
        block = last.next();
    }
}
