#pragma once

// A push button with a glyph and a caption whose face is painted in a colour of its own
// choosing, drawn by the button itself rather than by the style, so the colour shows the
// same under every style.
//
// What it guarantees:
// - A kind other than bkCustom sets Default, Cancel, ModalResult, the standard caption and
//   the kind's glyph; Kind() reads bkCustom again as soon as any of those is changed. The
//   kind and Default are the button's own: Qt making whichever button has the focus the
//   dialog's default for the moment changes neither, and a Default button is the one its
//   dialog returns to when the focus leaves the buttons.
// - OnClick is raised for a plain click only: a bkHelp button opens help for the nearest
//   help context and a bkClose button closes its window instead (each falls back to the
//   plain click when there is nothing to open or close). After a plain click a non-zero
//   ModalResult ends the dialog the button stands on with that result.
// - The glyph's pixels of its transparent colour (the bottom-left pixel) are not drawn; a
//   disabled button without a disabled picture of its own shows the glyph embossed on the
//   face colour.

#include <QColor>
#include <QPixmap>
#include <QPushButton>
#include <QRect>
#include <functional>

namespace widgets {

enum class TBitBtnWithColorKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TButtonStyle { bsAutoDetect, bsWin31, bsNew };

class TBitBtnWithColor : public QPushButton
{
    Q_OBJECT
public:
    explicit TBitBtnWithColor(QWidget *parent = nullptr);

    QColor Color() const { return m_color; }
    void SetColor(const QColor &color);
    QPixmap Glyph() const { return m_glyph; }
    void SetGlyph(const QPixmap &glyph);
    // Not const: a kind whose settings were changed is stored as bkCustom when read.
    TBitBtnWithColorKind Kind();
    void SetKind(TBitBtnWithColorKind kind);
    TButtonLayout Layout() const { return m_layout; }
    void SetLayout(TButtonLayout layout);
    int Margin() const { return m_margin; } // -1: glyph and caption centred as a block
    void SetMargin(int margin);
    int NumGlyphs() const { return m_numGlyphs; } // pictures side by side: up, disabled, down, exclusive
    void SetNumGlyphs(int count);                 // 1 to 4
    int Spacing() const { return m_spacing; }     // pixels between glyph and caption
    void SetSpacing(int spacing);
    TButtonStyle Style() const { return m_style; }
    void SetStyle(TButtonStyle style);
    // The default button of its dialog, as set (Qt's isDefault() follows the focus).
    bool Default() const { return m_default; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return m_cancel; } // Escape on its window clicks it
    void SetCancel(bool cancel);
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result) { m_modalResult = result; }

    // What a kind sets.
    struct KindSettings
    {
        bool Default = false;
        bool Cancel = false;
        int ModalResult = 0;
        QString Caption;
        QString Resource; // the name of its glyph picture; empty for bkCustom
    };
    static KindSettings SettingsOf(TBitBtnWithColorKind kind);

    // Where glyph and caption go within inner (the face inside the edges).
    struct Placement
    {
        QRect GlyphRect;
        QRect CaptionRect;
    };
    static Placement LayoutGlyphAndCaption(const QRect &inner, QSize glyph, QSize caption, TButtonLayout layout,
                                           int margin, int spacing);

    enum GlyphState { GlyphUp = 0, GlyphDisabled = 1, GlyphDown = 2, GlyphExclusive = 3 };
    // The picture of a state as drawn: transparent where the glyph has its transparent colour.
    QImage GlyphImage(GlyphState state) const;
    QColor TransparentColor() const;

    // Opens help at a context; the program sets it where help is available.
    using HelpHandler = std::function<void(int helpContext)>;
    static void SetHelpHandler(HelpHandler handler);
    // The help context of the nearest widget from w upwards whose "helpContext" property is
    // not 0; 0 when there is none.
    static int HelpContextOf(const QWidget *w);

signals:
    void OnClick();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void handleClick();
    void drawFace(QPainter &p, QRect &r, bool down, bool focusFrame, bool defaultFrame);

    QColor m_color;
    QPixmap m_glyph;
    bool m_glyphByUser = false;
    TBitBtnWithColorKind m_kind = TBitBtnWithColorKind::bkCustom;
    TButtonLayout m_layout = TButtonLayout::blGlyphLeft;
    int m_margin = -1;
    int m_numGlyphs = 1;
    int m_spacing = 4;
    TButtonStyle m_style = TButtonStyle::bsAutoDetect;
    bool m_default = false;
    bool m_cancel = false;
    int m_modalResult = 0;
    QWidget *m_filteredWindow = nullptr;
};

} // namespace widgets
