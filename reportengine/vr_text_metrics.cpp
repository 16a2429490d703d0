#include "reportengine/vr_text_metrics.h"

#include "reportengine/vr_page_picture.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>
#include <memory>
#include <vector>

namespace reportengine {

namespace {

// Characters whose text the fonts lay out as the sum of their advances: Latin with the
// Polish letters, spaces and general punctuation. Text with anything else
// (combining marks, other scripts, surrogates) is measured as a whole.
bool IsSimpleChar(char16_t c)
{
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c < 0x250) || (c >= 0x2000 && c < 0x2070) || c == 0x20AC;
}

QString CacheKey(const QFont &f)
{
    return f.key() + QLatin1Char('|') + QString::number(int(f.hintingPreference()));
}

} // namespace

// Advances of one font's characters, filled as they are met. Text is drawn without
// kerning (as the layouts were measured on Windows), so a text's width is the sum of
// its advances; a font where a sample shows otherwise is measured text by text. Latin
// with the Polish letters sits in a flat table, the hot path of line breaking.
struct TVRTextMeasure::Cache
{
    static constexpr char16_t kTableEnd = 0x180;
    static constexpr double kUnknown = -1e30;

    explicit Cache(const QFont &font) : metrics(font, MeasureDevice()), table(kTableEnd, kUnknown)
    {
        static const QString samples[] = {QStringLiteral("Zażółć gęślą jaźń, AVATAR To Wy."),
                                          QStringLiteral("office efficient fi fl ffi – „tak” 12,5 dB(A)")};
        for (const QString &s : samples)
            if (std::fabs(Sum(s) - metrics.horizontalAdvance(s)) > 1e-3)
                additive = false;
    }

    double Advance(char16_t c)
    {
        if (c < kTableEnd) {
            double &a = table[c];
            if (a == kUnknown)
                a = metrics.horizontalAdvance(QChar(c));
            return a;
        }
        auto it = others.constFind(c);
        if (it != others.constEnd())
            return *it;
        const double a = metrics.horizontalAdvance(QChar(c));
        others.insert(c, a);
        return a;
    }

    double Sum(QStringView text)
    {
        double w = 0;
        for (QChar c : text)
            w += Advance(c.unicode());
        return w;
    }

    QFontMetricsF metrics;
    std::vector<double> table;
    QHash<char16_t, double> others;
    bool additive = true;
};

QFont ReportTextFont(const QFont &layoutFont)
{
    QFont f = layoutFont;
    if (layoutFont.pixelSize() <= 0)
        f = PageFont(layoutFont.family(), layoutFont.pointSizeF(), layoutFont.bold(), layoutFont.italic());
    f.setWeight(layoutFont.weight());
    f.setUnderline(layoutFont.underline());
    f.setStrikeOut(layoutFont.strikeOut());
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    // Latin text then goes straight from the characters' advances to glyphs, as it
    // was measured, without shaping it again for every line drawn.
    f.setStyleStrategy(QFont::StyleStrategy(f.styleStrategy() | QFont::PreferNoShaping));
    return f;
}

TVRTextMeasure::TVRTextMeasure(const QFont &layoutFont) : m_font(ReportTextFont(layoutFont))
{
    // One cache per font for the life of the program: reports use a handful of fonts.
    static QHash<QString, std::shared_ptr<Cache>> caches;
    std::shared_ptr<Cache> &cache = caches[CacheKey(m_font)];
    if (!cache)
        cache = std::make_shared<Cache>(m_font);
    m_cache = cache.get();
    const QFontMetrics m(m_font, MeasureDevice());
    m_lineHeight = m.height();
    m_ascent = m_cache->metrics.ascent();
}

namespace {

bool AllSimple(QStringView text)
{
    for (QChar c : text)
        if (!IsSimpleChar(c.unicode()))
            return false;
    return true;
}

} // namespace

double TVRTextMeasure::Width(QStringView text) const
{
    if (text.isEmpty())
        return 0;
    if (m_cache->additive && AllSimple(text))
        return m_cache->Sum(text);
    return m_cache->metrics.horizontalAdvance(text.toString());
}

void TVRTextMeasure::DrawLine(QPainter &painter, const QPointF &baseline, const QString &text) const
{
    if (!text.isEmpty())
        painter.drawText(baseline, text);
}

double TVRTextMeasure::JoinedWidth(QStringView left, double leftWidth, QStringView right) const
{
    if (left.isEmpty())
        return Width(right);
    if (m_cache->additive)
        return leftWidth + Width(right);
    return Width(QString(left.toString() + right.toString()));
}

QString UnifyLineBreaks(const QString &text)
{
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    plain.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return plain;
}

void SetUpRichTextDocument(QTextDocument &document, const QString &text, double widthPixels,
                           const QFont &layoutFont, Qt::Alignment alignment)
{
    document.documentLayout()->setPaintDevice(MeasureDevice());
    document.setDefaultFont(ReportTextFont(layoutFont));
    document.setDocumentMargin(0);
    document.setUseDesignMetrics(true);
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setAlignment(alignment);
    document.setDefaultTextOption(option);
    document.setPlainText(UnifyLineBreaks(text));
    document.setTextWidth(std::max(1.0, widthPixels));
}

int WrappedLineCount(const QString &text, double widthPixels, const QFont &layoutFont)
{
    QTextDocument document;
    SetUpRichTextDocument(document, text, widthPixels, layoutFont);
    (void)document.size(); // lays the whole text out
    int lines = 0;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        lines += b.layout() ? std::max(1, b.layout()->lineCount()) : 1;
    return std::max(1, lines);
}

} // namespace reportengine
