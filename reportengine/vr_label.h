#pragma once

// Text controls: a label (TVRLabel, one text in Caption) and a memo (TVRMemo, several
// source lines). Both break their text into lines that fit the control's width
// (FormatLines), may size themselves to the text (AutoSize, keeping the right edge or
// the centre where the alignment says), and with AutoStretch make their band grow line
// by line, continuing on the next print of the band (the next page) when it cannot.
//
// Line breaking, paragraph by paragraph (CR LF, LF CR, CR and a lone LF end one):
// - AutoSize: the paragraph is one line;
// - WordWrap: words (each ending just after a blank, "-" or CR) are added while the
//   line stays within the width; a word that does not fit starts the next line; a
//   word wider than a whole line (an e-mail address, a code) is broken inside the
//   word into as many full lines as it fills, its rest starting the next line, so no
//   character is lost (a control without width holds nothing); an empty paragraph is
//   an empty line, a paragraph's last line is never an empty leftover;
// - neither: the paragraph is one line, clipped at the control's edge when printed.
//
// Widths are page pixels of the text measure (vr_text_metrics.h), the same on every
// output.

#include "reportengine/vr_printable.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace reportengine {

class TVRTextMeasure;

class TVRCustomLabel : public TVRPrintable
{
    Q_OBJECT

public:
    // Called before printing with the text to print; the handler may change the text,
    // and the control's font, for this print only.
    using TVROnPrintEvent = std::function<void(QObject *sender, QString &value)>;

    explicit TVRCustomLabel(QObject *parent = nullptr);
    ~TVRCustomLabel() override;

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);
    bool AutoStretch() const { return m_autoStretch; }
    void SetAutoStretch(bool autoStretch);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);
    TBiDiMode BiDiMode() const { return m_biDiMode; }
    void SetBiDiMode(TBiDiMode mode);
    bool ParentBiDiMode() const { return m_parentBiDiMode; }
    void SetParentBiDiMode(bool parentMode) { m_parentBiDiMode = parentMode; }
    TVROnPrintEvent OnPrint;

    const QStringList &FormattedLines() const { return m_formattedLines; }
    bool LinesValid() const { return m_linesValid; }
    // The next line to print when the last print stopped early.
    int CurrentLine() const { return m_currentLine; }

    // Whether formatting starts from the print text (true) or from the source lines.
    virtual bool UseCaption() const { return true; }
    // Breaks the text into FormattedLines (only for a control that has a parent).
    virtual void FormatLines();

    void SetName(const QString &name) override;
    void SetFont(const QFont &font) override;
    void Prepare() override;
    void Print(double offsetX, double offsetY) override;

protected:
    const QStringList &SourceLines() const { return m_lines; }
    void SetSourceLines(const QStringList &lines);
    // The text a print formats; printing routines may set it for one print.
    QString PrintText() const { return m_printText; }
    void SetPrintText(const QString &text);
    // Height of one line in page pixels, in the control's font.
    int LineHeightPixels() const;
    const TVRTextMeasure &Measure() const;

    void FormatLine(const QString &paragraph);
    // Adds a word to the line being built (see the rules above).
    void AddWord(QString &word);

    void ParentChanged() override;

private:
    bool Wider(double width) const { return width > m_formatWidth; }
    double JoinedWidth(const TVRTextMeasure &m, const QString &word) const;
    void AddFormattedLine(const QString &line);
    void FormatParagraphs(const QString &text);
    void ApplyAutoSize();
    void RaiseHeightToOneLine();
    void PrintLines(TVRPrinter &printer, double offsetX, double offsetY);

    bool m_autoSize = true;
    bool m_autoStretch = false;
    bool m_wordWrap = true;
    bool m_linesValid = false;
    bool m_inResize = false;
    TBiDiMode m_biDiMode = TBiDiMode::bdLeftToRight;
    bool m_parentBiDiMode = true;
    QString m_caption;
    QString m_printText;
    QStringList m_lines;
    QStringList m_formattedLines;
    int m_currentLine = 0;
    mutable std::unique_ptr<TVRTextMeasure> m_measureCache;

    // Formatting state.
    const TVRTextMeasure *m_measure = nullptr;
    double m_formatWidth = 0;
    QString m_line;
    double m_lineWidth = 0;
    bool m_paragraphFinished = false;
    int m_paragraphLines = 0;
    // What the formatted lines were made from, so an unchanged control is not formatted
    // again for every print.
    double m_formattedAtWidth = -1;
};

class TVRLabel : public TVRCustomLabel
{
    Q_OBJECT

public:
    using TVRCustomLabel::TVRCustomLabel;
};

class TVRMemo : public TVRCustomLabel
{
    Q_OBJECT

public:
    using TVRCustomLabel::TVRCustomLabel;

    const QStringList &Lines() const { return SourceLines(); }
    void SetLines(const QStringList &lines) { SetSourceLines(lines); }
    // The lines of a text: CR LF, LF CR, CR and LF separate them.
    void SetText(const QString &text);

    bool UseCaption() const override { return false; }
    bool HasExpandedHeight() const override { return true; }
    // One line height per formatted line, in page pixels.
    double ExpandedHeight() override;
    void Print(double offsetX, double offsetY) override;
};

// The lines a word-wrapping label `widthPixels` page pixels wide breaks a text into, in
// that font, by the rules above (for callers that fit a text to a box before printing it).
QStringList BreakIntoLines(const QString &text, const QFont &font, double widthPixels);

} // namespace reportengine
