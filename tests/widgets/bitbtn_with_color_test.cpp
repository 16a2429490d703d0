// The coloured bit-button: what a kind sets and when it reads back as custom, the glyph and
// caption layout, the face and the embossed glyph in the button's colour, and what a click
// does by kind.
#include "widgets/bitbtn_with_color.h"

#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <gtest/gtest.h>

using namespace widgets;
using K = TBitBtnWithColorKind;
using L = TButtonLayout;

TEST(BitBtnWithColor, AKindSetsItsSettingsAndReadsCustomOnceOneIsChanged)
{
    TBitBtnWithColor b;
    EXPECT_EQ(b.Kind(), K::bkCustom);
    b.SetKind(K::bkOK);
    EXPECT_TRUE(b.isDefault());
    EXPECT_FALSE(b.Cancel());
    EXPECT_EQ(b.ModalResult(), 1);
    EXPECT_EQ(b.text(), "OK");
    EXPECT_EQ(b.NumGlyphs(), 2);
    EXPECT_EQ(b.Kind(), K::bkOK);
    b.SetModalResult(2);
    EXPECT_EQ(b.Kind(), K::bkCustom);
    b.SetModalResult(1);
    EXPECT_EQ(b.Kind(), K::bkCustom); // stored as custom when read

    TBitBtnWithColor g;
    g.SetKind(K::bkNo);
    EXPECT_TRUE(g.Cancel());
    EXPECT_EQ(g.ModalResult(), 7);
    g.SetGlyph(QPixmap(8, 8));
    EXPECT_EQ(g.Kind(), K::bkCustom);

    g.SetNumGlyphs(7);
    EXPECT_EQ(g.NumGlyphs(), 4);
    g.SetNumGlyphs(0);
    EXPECT_EQ(g.NumGlyphs(), 1);
}

TEST(BitBtnWithColor, GlyphAndCaptionAreLaidOutByMarginAndSpacing)
{
    const QRect inner(3, 2, 100, 30);
    const QSize glyph(16, 16), caption(40, 13);
    auto at = [&](L layout, int margin, int spacing, QSize g = QSize(16, 16), QSize c = QSize(40, 13)) {
        const auto p = TBitBtnWithColor::LayoutGlyphAndCaption(inner, g, c, layout, margin, spacing);
        return std::make_pair(p.GlyphRect.topLeft() - inner.topLeft(), p.CaptionRect.topLeft() - inner.topLeft());
    };
    // centred block, fixed spacing
    EXPECT_EQ(at(L::blGlyphLeft, -1, 4), std::make_pair(QPoint(20, 7), QPoint(40, 9)));
    EXPECT_EQ(at(L::blGlyphRight, -1, 4), std::make_pair(QPoint(64, 7), QPoint(20, 9)));
    // free space in three
    EXPECT_EQ(at(L::blGlyphLeft, -1, -1), std::make_pair(QPoint(14, 7), QPoint(44, 9)));
    // fixed margin, caption centred in what is left
    EXPECT_EQ(at(L::blGlyphLeft, 5, -1), std::make_pair(QPoint(5, 7), QPoint(40, 9)));
    EXPECT_EQ(at(L::blGlyphLeft, 2, 3), std::make_pair(QPoint(2, 7), QPoint(21, 9)));
    // no caption: no spacing either
    EXPECT_EQ(at(L::blGlyphLeft, -1, 4, glyph, QSize()).first, QPoint(42, 7));
    // vertical layouts centre across
    const QRect square(0, 0, 60, 60);
    const auto top = TBitBtnWithColor::LayoutGlyphAndCaption(square, glyph, QSize(30, 13), L::blGlyphTop, -1, 4);
    EXPECT_EQ(top.GlyphRect.topLeft(), QPoint(22, 14));
    EXPECT_EQ(top.CaptionRect.topLeft(), QPoint(15, 34));
    const auto bottom = TBitBtnWithColor::LayoutGlyphAndCaption(square, glyph, QSize(30, 13), L::blGlyphBottom, -1, 4);
    EXPECT_EQ(bottom.GlyphRect.topLeft(), QPoint(22, 30));
    EXPECT_EQ(bottom.CaptionRect.topLeft(), QPoint(15, 13));
    (void)caption;
}

TEST(BitBtnWithColor, TheFaceAndTheDisabledGlyphTakeTheButtonsColour)
{
    TBitBtnWithColor b;
    b.resize(80, 25);
    b.SetColor(QColor(200, 40, 40));
    EXPECT_EQ(b.grab().toImage().pixelColor(5, 12), QColor(200, 40, 40));

    // a 4x4 glyph: olive background (its bottom-left pixel) with one black dot
    QPixmap pm(4, 4);
    pm.fill(QColor(0x80, 0x80, 0x00));
    {
        QPainter p(&pm);
        p.fillRect(1, 1, 1, 1, Qt::black);
    }
    b.SetGlyph(pm);
    EXPECT_EQ(b.TransparentColor(), QColor(0x80, 0x80, 0x00));
    const QImage up = b.GlyphImage(TBitBtnWithColor::GlyphUp);
    EXPECT_EQ(qAlpha(up.pixel(0, 0)), 0);
    EXPECT_EQ(up.pixelColor(1, 1), QColor(Qt::black));
    b.SetColor(QColor(10, 120, 10));
    const QImage disabled = b.GlyphImage(TBitBtnWithColor::GlyphDisabled);
    EXPECT_EQ(disabled.pixelColor(0, 0), QColor(10, 120, 10));
    EXPECT_EQ(disabled.pixel(1, 1), b.palette().color(QPalette::Dark).rgb());
    EXPECT_EQ(disabled.pixel(2, 2), b.palette().color(QPalette::Light).rgb());
    b.setEnabled(false);
    EXPECT_FALSE(b.grab().isNull());
}

TEST(BitBtnWithColor, AClickActsByKind)
{
    QDialog dialog;
    dialog.setProperty("helpContext", 9150);
    auto *b = new TBitBtnWithColor(&dialog);
    int clicks = 0;
    QObject::connect(b, &TBitBtnWithColor::OnClick, [&] { ++clicks; });

    b->SetKind(K::bkOK);
    b->click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(dialog.result(), 1);

    int helped = 0;
    auto *ok = new TBitBtnWithColor(&dialog);
    ok->SetKind(K::bkOK);
    b->SetKind(K::bkHelp);
    // Qt makes the focused button the default for the moment: neither kind changes.
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(b, &focus);
    ASSERT_TRUE(b->isDefault() && ok->Kind() == K::bkOK);
    b->click(); // no help to open: a plain click
    EXPECT_EQ(clicks, 2);
    TBitBtnWithColor::SetHelpHandler([&](int context) { helped = context; });
    b->click();
    EXPECT_EQ(helped, 9150);
    EXPECT_EQ(clicks, 2);
    TBitBtnWithColor::SetHelpHandler({});

    dialog.show();
    b->SetKind(K::bkClose);
    b->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(clicks, 2);

    // Escape on its window clicks a Cancel button
    b->SetKind(K::bkCancel);
    dialog.show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &escape);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(dialog.result(), 2);
}
