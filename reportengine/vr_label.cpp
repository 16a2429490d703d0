#include "reportengine/vr_label.h"

#include "reportengine/vr_export_filter.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_text_metrics.h"

#include <QPainter>

#include <cmath>
#include <memory>
#include <vector>

namespace reportengine {

namespace {

// Line feeds beside a carriage return (CR LF, LF CR) are dropped and a lone line feed
// becomes one, so texts from Qt editors break where they show a break.
QString NormaliseBreaks(const QString &text)
{
    if (!text.contains(QLatin1Char('\n')))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\n')) {
            out += text[i];
            continue;
        }
        const bool besideCr = (i > 0 && text[i - 1] == QLatin1Char('\r')) ||
                              (i + 1 < text.size() && text[i + 1] == QLatin1Char('\r'));
        if (!besideCr)
            out += QLatin1Char('\r');
    }
    return out;
}

bool EndsWord(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char('\r');
}

// The longest prefix of text (in characters) whose width fits, widths growing with the
// prefix: found by doubling, then halving, so a huge word costs a few measures of about
// a line's length.
qsizetype LongestPrefix(const TVRTextMeasure &m, QStringView text, const std::function<bool(double)> &fits)
{
    const qsizetype n = text.size();
    qsizetype good = 0;
    qsizetype bad = -1;
    for (qsizetype step = 1; good < n; step *= 2) {
        const qsizetype k = std::min(n, good + step);
        if (!fits(m.Width(text.left(k)))) {
            bad = k;
            break;
        }
        good = k;
    }
    if (bad < 0)
        return good;
    while (bad - good > 1) {
        const qsizetype k = good + (bad - good) / 2;
        if (fits(m.Width(text.left(k))))
            good = k;
        else
            bad = k;
    }
    return good;
}

} // namespace

TVRCustomLabel::TVRCustomLabel(QObject *parent) : TVRPrintable(parent)
{
    SetTransparent(false);
}

TVRCustomLabel::~TVRCustomLabel() = default;

void TVRCustomLabel::SetCaption(const QString &caption)
{
    m_caption = caption;
    m_printText = caption;
    if (UseCaption())
        m_linesValid = false;
    FormatLines();
}

void TVRCustomLabel::SetPrintText(const QString &text)
{
    if (text == m_printText)
        return;
    m_printText = text;
    if (UseCaption())
        m_linesValid = false;
}

void TVRCustomLabel::SetAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    m_linesValid = false;
    FormatLines();
}

void TVRCustomLabel::SetAutoStretch(bool autoStretch)
{
    m_autoStretch = autoStretch;
    m_linesValid = false;
}

void TVRCustomLabel::SetWordWrap(bool wordWrap)
{
    m_wordWrap = wordWrap;
    m_linesValid = false;
}

void TVRCustomLabel::SetBiDiMode(TBiDiMode mode)
{
    m_biDiMode = mode;
    m_parentBiDiMode = false;
}

void TVRCustomLabel::SetSourceLines(const QStringList &lines)
{
    m_lines = lines;
    m_linesValid = false;
}

void TVRCustomLabel::SetName(const QString &name)
{
    const QString oldName = Name();
    TVRPrintable::SetName(name);
    if (m_caption.isEmpty() || m_caption == oldName)
        SetCaption(name);
}

void TVRCustomLabel::SetFont(const QFont &font)
{
    TVRPrintable::SetFont(font);
    m_measureCache.reset();
    m_linesValid = false;
    FormatLines();
}

void TVRCustomLabel::ParentChanged()
{
    FormatLines();
}

const TVRTextMeasure &TVRCustomLabel::Measure() const
{
    if (!m_measureCache)
        m_measureCache = std::make_unique<TVRTextMeasure>(Font());
    return *m_measureCache;
}

int TVRCustomLabel::LineHeightPixels() const
{
    return Measure().LineHeight();
}

void TVRCustomLabel::FormatLines()
{
    if (!parent())
        return;
    const TVRTextMeasure &measure = Measure();
    const double width = Size().NativeWidth() * kPageFactor;
    // Lines of an AutoSize control do not depend on its width.
    const bool current = m_linesValid && (m_autoSize || width == m_formattedAtWidth);
    if (!current) {
        m_measure = &measure;
        m_formatWidth = width;
        m_formattedLines.clear();
        if (UseCaption()) {
            FormatLine(m_printText);
        } else if (m_autoSize) {
            m_formattedLines = m_lines;
        } else {
            for (const QString &line : m_lines)
                FormatLine(line);
        }
        m_measure = nullptr;
        m_formattedAtWidth = width;
    }
    if (ParentReport() && !m_inResize) {
        if (UseCaption())
            RaiseHeightToOneLine();
        if (m_autoSize)
            ApplyAutoSize();
    }
    m_linesValid = true;
}

void TVRCustomLabel::RaiseHeightToOneLine()
{
    const double minimum = (LineHeightPixels() + 1) / kPageFactor;
    if (Size().NativeHeight() < minimum)
        Size().SetNativeHeight(minimum);
}

void TVRCustomLabel::ApplyAutoSize()
{
    m_inResize = true;
    const TVRTextMeasure &measure = Measure();
    double widest = 0;
    for (const QString &line : m_formattedLines)
        widest = std::max(widest, measure.Width(line));
    const int frameWidth = TVRFrame::Thickness(Frame().Width, kPageFactor);
    if (Frame().DrawLeft())
        widest += frameWidth;
    if (Frame().DrawRight())
        widest += frameWidth;
    const double oldLeft = Size().NativeLeft();
    const double oldWidth = Size().NativeWidth();
    const double newWidth = widest / kPageFactor;
    switch (MirroredAlignment(Alignment(), m_biDiMode)) {
    case TAlignment::taRightJustify:
        Size().SetNativeLeft(oldLeft + oldWidth - newWidth);
        break;
    case TAlignment::taCenter:
        Size().SetNativeLeft(oldLeft + (oldWidth - newWidth) / 2);
        break;
    case TAlignment::taLeftJustify:
        break;
    }
    Size().SetNativeWidth(newWidth);
    RaiseHeightToOneLine();
    m_formattedAtWidth = Size().NativeWidth() * kPageFactor;
    m_inResize = false;
}

void TVRCustomLabel::FormatLine(const QString &paragraph)
{
    const QString text = NormaliseBreaks(paragraph);
    if (text.contains(QLatin1Char('\r'))) {
        for (const QString &piece : text.split(QLatin1Char('\r')))
            FormatParagraphs(piece);
        return;
    }
    FormatParagraphs(text);
}

void TVRCustomLabel::FormatParagraphs(const QString &text)
{
    m_line.clear();
    m_lineWidth = 0;
    m_paragraphFinished = false;
    m_paragraphLines = 0;
    if (m_autoSize || !m_wordWrap) {
        AddFormattedLine(text);
        return;
    }
    qsizetype start = 0;
    QString word; // one buffer for every word of the paragraph
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (EndsWord(text[i]) || i + 1 == text.size()) {
            word.resize(0);
            word.append(QStringView(text).mid(start, i + 1 - start));
            AddWord(word);
            start = i + 1;
        }
    }
    // The paragraph's last line, unless it is what an over-wide word left behind.
    if (!m_paragraphFinished && (!m_line.isEmpty() || m_paragraphLines == 0))
        AddFormattedLine(m_line);
}

void TVRCustomLabel::AddFormattedLine(const QString &line)
{
    m_formattedLines.append(line);
    ++m_paragraphLines;
}

double TVRCustomLabel::JoinedWidth(const TVRTextMeasure &m, const QString &word) const
{
    return m.JoinedWidth(m_line, m_lineWidth, word);
}

void TVRCustomLabel::AddWord(QString &word)
{
    if (!m_measure) // called outside FormatLines
        m_formatWidth = Size().NativeWidth() * kPageFactor;
    const TVRTextMeasure &m = m_measure ? *m_measure : Measure();
    if (Wider(JoinedWidth(m, word))) {
        if (!m_line.isEmpty()) {
            AddFormattedLine(m_line);
            m_line.clear();
            m_lineWidth = 0;
        }
        if (!m_wordWrap) {
            word.resize(0);
            m_paragraphFinished = true;
        } else if (m_formatWidth <= 0) {
            word.resize(0); // a control without width holds no text
        } else {
            // A word longer than a line (an e-mail address, a code, a web address) goes on
            // line by line, broken inside the word, and nothing of it is lost; what is left
            // of it starts the next line.
            const double limit = m_formatWidth;
            QStringView rest(word);
            for (;;) {
                const qsizetype n = LongestPrefix(m, rest, [limit](double w) { return w <= limit; });
                if (n == rest.size())
                    break;
                const qsizetype take = std::max<qsizetype>(1, n);
                AddFormattedLine(rest.left(take).toString());
                rest = rest.mid(take);
            }
            word = rest.toString();
        }
    }
    if (!word.isEmpty()) {
        m_lineWidth = JoinedWidth(m, word);
        m_line += word;
    }
}

void TVRCustomLabel::Prepare()
{
    TVRPrintable::Prepare();
    m_currentLine = 0;
    SetCaption(m_caption);
}

void TVRCustomLabel::Print(double offsetX, double offsetY)
{
    TVRPrinter *printer = VRPrinter();
    if (!printer || !printer->Canvas() || !ParentReport())
        return;
    const QString savedText = m_printText;
    const QFont savedFont = Font();
    bool textChanged = false;
    if (OnPrint) {
        QString value = m_printText;
        OnPrint(this, value);
        if (value != m_printText) {
            SetPrintText(value);
            textChanged = true;
        }
    }
    const bool fontChanged = Font() != savedFont;
    FormatLines();
    PrintLines(*printer, offsetX, offsetY);
    if (textChanged)
        SetPrintText(savedText);
    if (fontChanged)
        SetFont(savedFont);
    else if (textChanged)
        FormatLines();
}

void TVRCustomLabel::PrintLines(TVRPrinter &printer, double offsetX, double offsetY)
{
    QPainter &canvas = *printer.Canvas();
    TVRExportFilter *filter = ExportFilter();
    const TVRTextMeasure &measure = Measure();
    const double lineHeight = measure.LineHeight();
    const double left = offsetX + Size().NativeLeft();
    const double top = offsetY + Size().NativeTop();
    const double width = Size().NativeWidth() * kPageFactor;
    const double designedHeight = Size().NativeHeight() * kPageFactor;
    const int frameTop = Frame().DrawTop() ? TVRFrame::Thickness(Frame().Width, kPageFactor) : 0;
    const int frameLeft = Frame().DrawLeft() ? TVRFrame::Thickness(Frame().Width, kPageFactor) : 0;

    // Which lines fit, the band growing a line at a time where it can. The room is
    // settled before anything is drawn, so the control is drawn in one go.
    const bool continuing = !Finished();
    const int first = continuing ? m_currentLine : 0;
    int line = first;
    double height = designedHeight;
    TVRBandHost *band = m_autoStretch ? ParentBand() : nullptr;
    while (line < m_formattedLines.size()) {
        if (frameTop + (line - first + 1) * lineHeight > height + 1e-6) {
            if (band && band->HostExpand(lineHeight / kPageFactor))
                height += lineHeight;
            else if (!(continuing && line == first)) // a continuation prints at least one line
                break;
        }
        ++line;
    }
    const double grown = height / kPageFactor - Size().NativeHeight();
    QRect area = DeviceRect(printer, offsetX, offsetY);
    area.setBottom(printer.YPos(top + Size().NativeHeight() + grown) - 1);

    if (PaintsBackground()) {
        FillArea(canvas, area, Color());
        if (filter && Color() != QColor(Qt::white)) {
            TVRExportShape background;
            background.Rect = QRectF(left, top, Size().NativeWidth(), Size().NativeHeight() + grown);
            background.Pen = QPen(Qt::NoPen);
            background.Brush = QBrush(Color());
            filter->ShapeOut(background);
        }
    }
    const TAlignment alignment = MirroredAlignment(Alignment(), m_biDiMode);
    const double anchor = alignment == TAlignment::taLeftJustify    ? frameLeft
                          : alignment == TAlignment::taRightJustify ? width
                                                                    : width / 2;
    if (line > first) {
        // Only what a page picture does not hold already is set, and a clip only where
        // a line reaches outside the control: every setting is recorded in the page.
        PagePixels pixels(canvas, printer, left, top);
        if (canvas.font() != measure.Font())
            canvas.setFont(measure.Font());
        if (canvas.pen() != QPen(FontColor()))
            canvas.setPen(FontColor());
        const Qt::LayoutDirection direction = canvas.layoutDirection();
        if (ReadsRightToLeft(m_biDiMode))
            canvas.setLayoutDirection(Qt::RightToLeft);
        struct Placed
        {
            double x;
            double baseline;
        };
        std::vector<Placed> placed;
        placed.reserve(static_cast<size_t>(line - first));
        bool clip = frameTop + (line - first) * lineHeight > height + 1e-6;
        for (int i = first; i < line; ++i) {
            const QString &text = m_formattedLines[i];
            const double textWidth = measure.Width(text);
            const double x = alignment == TAlignment::taLeftJustify    ? anchor
                             : alignment == TAlignment::taRightJustify ? anchor - textWidth
                                                                       : anchor - textWidth / 2;
            clip = clip || x < -1e-6 || x + textWidth > width + 1e-6;
            placed.push_back({x, frameTop + (i - first) * lineHeight + measure.Ascent()});
        }
        if (clip)
            pixels.Clip(QRectF(0, 0, width, height));
        for (int i = first; i < line; ++i) {
            const QString &text = m_formattedLines[i];
            const Placed &p = placed[static_cast<size_t>(i - first)];
            measure.DrawLine(canvas, pixels.At(p.x, p.baseline), text);
            if (filter)
                filter->TextOut(left + anchor / kPageFactor, top + (p.baseline - measure.Ascent()) / kPageFactor, Font(),
                                Color(), alignment, text);
        }
        canvas.setLayoutDirection(direction);
    }
    m_currentLine = line;
    SetFinished(line >= m_formattedLines.size() || !m_autoStretch);
    PaintFrame(printer, area);
}

QStringList BreakIntoLines(const QString &text, const QFont &font, double widthPixels)
{
    QObject holder; // formatting needs a parent; no report, so no size is changed
    TVRLabel label(&holder);
    label.SetAutoSize(false);
    label.SetWordWrap(true);
    label.SetFont(font);
    label.Size().SetNativeWidth(widthPixels / kPageFactor);
    label.SetCaption(text);
    return label.FormattedLines();
}

void TVRMemo::SetText(const QString &text)
{
    SetLines(UnifyLineBreaks(text).split(QLatin1Char('\n')));
}

double TVRMemo::ExpandedHeight()
{
    if (!LinesValid())
        FormatLines();
    return double(LineHeightPixels()) * FormattedLines().size();
}

void TVRMemo::Print(double offsetX, double offsetY)
{
    SetCaption(QString());
    TVRCustomLabel::Print(offsetX, offsetY);
    SetCaption(Name());
}

} // namespace reportengine
