#pragma once

// Small value types shared by the printable controls, the frame and the export
// filters. The names are those report layouts use.

namespace reportengine {

// Horizontal alignment of a control's text, and of a control inside its band.
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// Reading order of a text control. Only bdRightToLeft mirrors the alignment; it and
// bdRightToLeftReadingOnly read the text right to left.
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// Line style of a frame. The sides of a frame are filled strips, so the style is kept
// with the layout but does not change what is drawn.
enum class TPenStyle {
    psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate
};

enum class TVRShapeType {
    vrsRectangle, vrsCircle, vrsVertLine, vrsHorLine, vrsTopAndBottom, vrsRightAndLeft, vrsRoundRect
};

// Alignment as it is applied: right and left swap when the reading order mirrors it.
constexpr TAlignment MirroredAlignment(TAlignment a, TBiDiMode mode)
{
    if (mode != TBiDiMode::bdRightToLeft)
        return a;
    if (a == TAlignment::taLeftJustify)
        return TAlignment::taRightJustify;
    if (a == TAlignment::taRightJustify)
        return TAlignment::taLeftJustify;
    return a;
}

constexpr bool ReadsRightToLeft(TBiDiMode mode)
{
    return mode == TBiDiMode::bdRightToLeft || mode == TBiDiMode::bdRightToLeftReadingOnly;
}

} // namespace reportengine
