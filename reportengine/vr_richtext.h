#pragma once

// A printed rich text: plain paragraphs laid out by QTextDocument, wrapped at word
// boundaries. With AutoStretch on a band it makes the band grow in steps of 5 mm while
// text is left, and what still does not fit prints the next time the band prints,
// from the next character on. The layout is the one WrappedLineCount counts.

#include "reportengine/vr_printable.h"

#include <QPointer>
#include <QStringList>
#include <QTextDocument>

#include <vector>

namespace reportengine {

class TVRCustomRichText : public TVRPrintable
{
    Q_OBJECT

public:
    explicit TVRCustomRichText(QObject *parent = nullptr);
    ~TVRCustomRichText() override;

    bool AutoStretch() const { return m_autoStretch; }
    void SetAutoStretch(bool autoStretch) { m_autoStretch = autoStretch; }
    QString Text() const { return m_text; }
    void SetText(const QString &text);
    // Position of the next character to print after an unfinished print.
    int NextPosition() const { return m_nextPosition; }
    int TextLength() const;
    void SetFont(const QFont &font) override;
    void SetAlignment(TAlignment alignment) override;

    void Prepare() override;
    void Print(double offsetX, double offsetY) override;
    bool HasExpandedHeight() const override { return true; }
    // The control's height, lowered in 5 mm steps until the whole text fits, in page
    // pixels.
    double ExpandedHeight() override;

    // Band growth step, tenths of a millimetre.
    static constexpr double kStretchStep = 50;

private:
    struct Line
    {
        double top;
        double height;
        double ascent;
        double x;
        int position;
        QString text;
    };
    const std::vector<Line> &Layout();
    // Lines from `first` whose bottom lies within `height` page pixels of the first's top.
    int LinesThatFit(int first, double height);
    void ExportLines(int first, int count, double width, double height, double left, double top);

    QString m_text;
    bool m_autoStretch = false;
    int m_nextPosition = 0;
    QTextDocument m_document;
    std::vector<Line> m_lines;
    double m_layoutWidth = -1;
    double m_contentHeight = 0;
};

class TVRRichText : public TVRCustomRichText
{
    Q_OBJECT

public:
    using TVRCustomRichText::TVRCustomRichText;

    QStringList Lines() const;
    // Also given to the ParentRichEdit when one is set.
    void SetLines(const QStringList &lines);
    // A text document elsewhere whose lines this control shows.
    QTextDocument *ParentRichEdit() const { return m_parentRichEdit; }
    void SetParentRichEdit(QTextDocument *document);

private:
    QPointer<QTextDocument> m_parentRichEdit;
};

} // namespace reportengine
