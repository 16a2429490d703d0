#include "reportengine/vr_richtext.h"

#include "reportengine/vr_export_filter.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_text_metrics.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>

#include <cmath>

namespace reportengine {

namespace {

Qt::Alignment QtAlignment(TAlignment a)
{
    switch (a) {
    case TAlignment::taRightJustify:
        return Qt::AlignRight;
    case TAlignment::taCenter:
        return Qt::AlignHCenter;
    case TAlignment::taLeftJustify:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

TVRCustomRichText::TVRCustomRichText(QObject *parent) : TVRPrintable(parent)
{
    SetBounds(PixelLeft(), PixelTop(), 100, 100);
}

TVRCustomRichText::~TVRCustomRichText() = default;

void TVRCustomRichText::SetText(const QString &text)
{
    m_text = text;
    m_layoutWidth = -1;
}

void TVRCustomRichText::SetFont(const QFont &font)
{
    TVRPrintable::SetFont(font);
    m_layoutWidth = -1;
}

void TVRCustomRichText::SetAlignment(TAlignment alignment)
{
    TVRPrintable::SetAlignment(alignment);
    m_layoutWidth = -1;
}

const std::vector<TVRCustomRichText::Line> &TVRCustomRichText::Layout()
{
    const double width = Size().NativeWidth() * kPageFactor;
    if (width == m_layoutWidth)
        return m_lines;
    m_layoutWidth = width;
    m_lines.clear();
    SetUpRichTextDocument(m_document, m_text, width, Font(), QtAlignment(Alignment()));
    QAbstractTextDocumentLayout *layout = m_document.documentLayout();
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout *lines = block.layout();
        const QPointF origin = layout->blockBoundingRect(block).topLeft();
        for (int i = 0; lines && i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            m_lines.push_back({origin.y() + line.y(), line.height(), line.ascent(), origin.x() + line.x(),
                               block.position() + line.textStart(), block.text().mid(line.textStart(), line.textLength())});
        }
    }
    m_contentHeight = m_lines.empty() ? 0 : m_lines.back().top + m_lines.back().height;
    return m_lines;
}

int TVRCustomRichText::TextLength() const
{
    return std::max(0, m_document.characterCount() - 1);
}

int TVRCustomRichText::LinesThatFit(int first, double height)
{
    const std::vector<Line> &lines = Layout();
    if (first >= int(lines.size()))
        return 0;
    const double top = lines[first].top;
    int n = 0;
    while (first + n < int(lines.size()) && lines[first + n].top + lines[first + n].height - top <= height + 1e-6)
        ++n;
    return n;
}

double TVRCustomRichText::ExpandedHeight()
{
    Layout();
    const double height = Size().NativeHeight();
    const double needed = m_contentHeight / kPageFactor;
    double extra = 0;
    if (needed > height + 1e-6)
        extra = std::ceil((needed - height) / kStretchStep - 1e-9) * kStretchStep;
    return (height + extra) * kPageFactor;
}

void TVRCustomRichText::Prepare()
{
    TVRPrintable::Prepare();
    m_nextPosition = 0;
    m_layoutWidth = -1;
}

void TVRCustomRichText::ExportLines(int first, int count, double width, double height, double left, double top)
{
    TVRExportFilter *filter = ExportFilter();
    if (!filter || width < 1 || height < 1)
        return;
    QImage image(int(std::ceil(width)), int(std::ceil(height)), QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setFont(ReportTextFont(Font()));
    p.setPen(FontColor());
    const std::vector<Line> &lines = Layout();
    const double y0 = lines[first].top;
    for (int i = first; i < first + count; ++i)
        p.drawText(QPointF(lines[i].x, lines[i].top - y0 + lines[i].ascent), lines[i].text);
    p.end();
    filter->ImageOut(QRectF(left, top, width / kPageFactor, height / kPageFactor), image);
}

void TVRCustomRichText::Print(double offsetX, double offsetY)
{
    TVRPrinter *printer = VRPrinter();
    if (!printer || !printer->Canvas())
        return;
    const std::vector<Line> &lines = Layout();
    const bool continuing = !Finished();
    const int start = continuing ? m_nextPosition : 0;
    int first = 0;
    while (first + 1 < int(lines.size()) && lines[first + 1].position <= start)
        ++first;
    if (start >= TextLength() && start > 0)
        first = int(lines.size());

    const double width = Size().NativeWidth() * kPageFactor;
    double height = Size().NativeHeight() * kPageFactor;
    int count = LinesThatFit(first, height);
    TVRBandHost *band = ParentBand();
    const bool stretching = m_autoStretch && band;
    if (stretching) {
        while (first + count < int(lines.size()) && band->HostExpand(kStretchStep)) {
            height += kStretchStep * kPageFactor;
            count = LinesThatFit(first, height);
        }
    }
    // A continuation prints at least one line (clipped), so reprinting it on fresh
    // pages always ends.
    if (continuing && count == 0 && first < int(lines.size()))
        count = 1;

    const double left = offsetX + Size().NativeLeft();
    const double top = offsetY + Size().NativeTop();
    if (count > 0 && width > 0 && height > 0) {
        QPainter &canvas = *printer->Canvas();
        BeginPagePixels(canvas, *printer, left, top);
        canvas.setClipRect(QRectF(0, 0, width, height), Qt::IntersectClip);
        canvas.setFont(ReportTextFont(Font()));
        canvas.setPen(FontColor());
        const double y0 = lines[first].top;
        for (int i = first; i < first + count; ++i)
            canvas.drawText(QPointF(lines[i].x, lines[i].top - y0 + lines[i].ascent), lines[i].text);
        canvas.restore();
        ExportLines(first, count, width, height, left, top);
    }
    if (first + count >= int(lines.size()) || !stretching) {
        m_nextPosition = TextLength();
        SetFinished(true);
    } else {
        m_nextPosition = lines[first + count].position;
        SetFinished(false);
    }
    QRect area = DeviceRect(*printer, offsetX, offsetY);
    area.setBottom(printer->YPos(top + height / kPageFactor) - 1);
    PaintFrame(*printer, area);
}

QStringList TVRRichText::Lines() const
{
    QString t = Text();
    return t.isEmpty() ? QStringList() : t.split(QLatin1Char('\n'));
}

void TVRRichText::SetLines(const QStringList &lines)
{
    SetText(lines.join(QLatin1Char('\n')));
    if (m_parentRichEdit)
        m_parentRichEdit->setPlainText(Text());
}

void TVRRichText::SetParentRichEdit(QTextDocument *document)
{
    m_parentRichEdit = document;
    if (document)
        SetText(document->toPlainText());
}

} // namespace reportengine
