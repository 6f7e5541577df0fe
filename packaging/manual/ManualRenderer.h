#pragma once

#include <QString>

class QTextDocument;

// Renders the operator manual from its Markdown source to an A4 PDF with Qt
// alone: pictures are read from beside the source and scaled to the page,
// paragraphs and headings are kept on one page with what follows them, and
// each page gets its number.
class ManualRenderer {
public:
    // The Markdown file; its pictures are named relative to its folder.
    explicit ManualRenderer(QString strSourcePath);

    // False with errorText() when the source or a picture cannot be read or
    // the PDF cannot be written.
    bool render(const QString &strPdfPath);
    QString errorText() const { return m_strError; }
    int pageCount() const { return m_iPageCount; }

private:
    // bodyPixels: the text width in pixels of a 96 dpi screen, the unit of picture sizes.
    bool loadImages(QTextDocument &doc, double bodyPixels);
    static void styleBlocks(QTextDocument &doc);
    static void keepTogether(QTextDocument &doc, double pageHeight);

    QString m_strSourcePath;
    QString m_strError;
    int m_iPageCount = 0;
};
