#pragma once

// Text measured the way it is drawn on report pages: on a fixed 96-dpi device, with
// fonts sized in page pixels (10 pt is 13 pixels), without hinting, kerning or
// ligatures (the layouts were measured that way on Windows), and with the Liberation faces,
// whose advances are those of Arial, Times New Roman and Courier New, standing in. The same
// text therefore breaks into the same lines in the preview, in a stored page and in a
// PDF, on any screen.

#include <QFont>
#include <QPointF>
#include <QString>
#include <QStringView>

class QPainter;
class QTextDocument;

namespace reportengine {

// The font that measures and draws text on pages for a layout font (sized in points,
// or in pixels when the layout set a pixel size).
QFont ReportTextFont(const QFont &layoutFont);

// Measures texts in one font, in page pixels. Cheap to copy; widths of recurring words
// are remembered across measures of the same font.
class TVRTextMeasure
{
public:
    explicit TVRTextMeasure(const QFont &layoutFont);

    const QFont &Font() const { return m_font; }
    // Advance width of the text.
    double Width(QStringView text) const;
    // Width of left followed by right, given the width of left: cheaper than measuring
    // the whole when a line grows word by word.
    double JoinedWidth(QStringView left, double leftWidth, QStringView right) const;
    // Height of a line ("W"): ascent plus descent, whole pixels.
    int LineHeight() const { return m_lineHeight; }
    double Ascent() const { return m_ascent; }
    // Draws one line with its baseline starting at `baseline`, in the painter's font
    // (which must be Font()).
    void DrawLine(QPainter &painter, const QPointF &baseline, const QString &text) const;

private:
    QFont m_font;
    int m_lineHeight = 0;
    double m_ascent = 0;
    struct Cache;
    Cache *m_cache = nullptr; // shared per font, lives until exit
};

// The text with every paragraph end (CR LF, LF CR, CR or LF) written as one LF.
QString UnifyLineBreaks(const QString &text);

// The layout a rich text uses: the text as plain paragraphs, wrapped at word
// boundaries (anywhere inside a word too long for a line) at `widthPixels` page
// pixels, no document margin. CR LF, LF CR, CR and LF all end a paragraph.
void SetUpRichTextDocument(QTextDocument &document, const QString &text, double widthPixels,
                           const QFont &layoutFont, Qt::Alignment alignment = Qt::AlignLeft);

// The number of lines `text` takes in a rich text `widthPixels` page pixels wide in
// `layoutFont`: the routine printouts size their table rows with, so that a row is
// exactly as high as its rich texts print. An empty text takes one line; a width
// below one pixel counts as one pixel.
int WrappedLineCount(const QString &text, double widthPixels, const QFont &layoutFont);

} // namespace reportengine
