#pragma once

// The base of every control a report prints: labels, memos, shapes, images, rich texts.
//
// What it guarantees:
// - a control is a plain QObject placed on its band (or directly on a report) through
//   its QObject parent, found by its name like any component (FindPrintable);
// - its position and size are kept in tenths of a millimetre and read in the unit of
//   its report (Size()); SetBounds and the Pixel* values work in screen pixels at 96
//   per inch like a form designer's;
// - it prints at the offset its band gives, on the canvas of its report's printer,
//   converting through the printer so that pages, printers and PDF files agree;
// - it knows its band and report only through the two small interfaces of
//   vr_printable_host.h.

#include "reportengine/vr_frame.h"
#include "reportengine/vr_printable_host.h"
#include "reportengine/vr_types.h"
#include "reportengine/vr_units.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTransform>

class QPainter;

namespace reportengine {

class TVRPrinter;
class TVRExportFilter;

class TVRPrintable : public QObject
{
    Q_OBJECT

public:
    explicit TVRPrintable(QObject *parent = nullptr);
    ~TVRPrintable() override;

    // The component name. Descendants react to a new name (a label takes it as its
    // caption), so layouts name controls through this, not setObjectName.
    virtual void SetName(const QString &name);
    QString Name() const { return objectName(); }

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }
    TVRFrame &Frame() { return m_frame; }
    const TVRFrame &Frame() const { return m_frame; }
    void SetFrame(const TVRFrame &frame) { m_frame = frame; }
    TVRPrintableSize &Size() { return m_size; }
    const TVRPrintableSize &Size() const { return m_size; }
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent) { m_transparent = transparent; }
    bool AlignToBand() const { return m_alignToBand; }
    void SetAlignToBand(bool align);
    TAlignment Alignment() const { return m_alignment; }
    virtual void SetAlignment(TAlignment alignment);
    // Background; white unless set (never a style's grey).
    QColor Color() const { return m_color; }
    void SetColor(const QColor &color) { m_color = color; }
    // The layout font, in points (Arial 10 unless set), and the colour of its text.
    const QFont &Font() const { return m_font; }
    virtual void SetFont(const QFont &font);
    QColor FontColor() const { return m_fontColor; }
    void SetFontColor(const QColor &color) { m_fontColor = color; }

    // Bounds in screen pixels (96 per inch at the size's zoom); only values that differ
    // are stored.
    void SetBounds(int left, int top, int width, int height);
    int PixelLeft() const;
    int PixelTop() const;
    int PixelWidth() const;
    int PixelHeight() const;

    // Moves the control to another band or report (QObject::setParent tells a QObject
    // nothing): the control takes that report, its units and zoom, and re-formats.
    void SetParent(QObject *parent);
    // Links to the band and report (see vr_printable_host.h). The report is taken from
    // the parent at construction and by SetParent; a report sets it for every control
    // before a run, which also covers a band put on the report after its controls.
    TVRBandHost *ParentBand() const;
    TVRReportHost *ParentReport() const { return m_parentReport; }
    void SetParentReport(TVRReportHost *report);
    bool IsPrinting() const { return m_isPrinting; }
    // The printer taken at Prepare (or the report's current one).
    TVRPrinter *VRPrinter() const;

    // False only for a control that is disabled while visible; bands print only
    // enabled controls anyway.
    virtual bool IsPrintable() const { return m_enabled || !m_visible; }
    // Places the control in its band by Alignment, when AlignToBand.
    virtual void AlignIt();
    virtual void Prepare();
    // Prints the control with its band at (offsetX, offsetY), tenths of a millimetre
    // from the paper corner. The base draws the frame.
    virtual void Print(double offsetX, double offsetY);
    // Operation 2 re-aligns; 0 is the per-record aggregate update of data controls.
    virtual void VRNotification(QObject *sender, int operation);
    virtual void Unprepare();
    // Whether the control can say how high its content is, and that height in page
    // pixels (96 per inch), for bands that size themselves before printing.
    virtual bool HasExpandedHeight() const { return false; }
    virtual double ExpandedHeight() { return 0; }

    // Whether only paper lies under the control where it prints now (its band tells it
    // before printing it): a white background then needs no painting.
    bool BlankBehind() const { return m_blankBehind; }
    void SetBlankBehind(bool blank) { m_blankBehind = blank; }
    // Whether the background must be painted: not transparent, and not white on paper.
    bool PaintsBackground() const { return !m_transparent && !(m_blankBehind && m_color == QColor(Qt::white)); }

    // Whether the last print printed everything (see Print of the descendants).
    bool Finished() const { return m_finished; }
    // Drops what an unfinished print left: the next print starts from the beginning
    // (for bands whose content is cut off rather than continued).
    void ResetFinished() { m_finished = true; }

protected:
    // The parent changed through SetParent (the report link is already updated).
    virtual void ParentChanged() {}
    void SetFinished(bool finished) { m_finished = finished; }
    TVRExportFilter *ExportFilter() const;

    // The control's rectangle on the printer's canvas at the band's offset.
    QRect DeviceRect(const TVRPrinter &printer, double offsetX, double offsetY) const;
    // The frame drawn around a device rectangle, and handed to an active filter.
    void PaintFrame(TVRPrinter &printer, const QRect &deviceRect) const;
    // Makes the painter draw in page pixels (96 per inch) from the point (x, y) given
    // in tenths of a millimetre, so text laid out on the measuring device is drawn
    // exactly as measured on any output. Undo with painter.restore().
    static void BeginPagePixels(QPainter &painter, const TVRPrinter &printer, double x, double y);

    // Fills a device rectangle, leaving the painter without a pen and with that brush
    // (fillRect would set both and put them back, all recorded in a page picture).
    static void FillArea(QPainter &painter, const QRect &rect, const QColor &color);

    // The same for a scope, without saving the painter's whole state (after a restore a
    // page picture records every setting again): on page pictures, whose pixels are
    // page pixels, drawing only moves by the origin; elsewhere the painter is scaled
    // until the scope ends. Clip() limits drawing to a rectangle until then.
    class PagePixels
    {
    public:
        PagePixels(QPainter &painter, const TVRPrinter &printer, double x, double y);
        ~PagePixels();
        PagePixels(const PagePixels &) = delete;
        PagePixels &operator=(const PagePixels &) = delete;
        // A point in page pixels from the origin, where the painter draws it.
        QPointF At(double x, double y) const { return {m_dx + x, m_dy + y}; }
        void Clip(const QRectF &rect);

    private:
        QPainter &m_painter;
        QTransform m_previous;
        double m_dx = 0;
        double m_dy = 0;
        bool m_transformed = false;
        bool m_clipped = false;
        bool m_saved = false;
    };

private:
    void SizeChanged();
    void TakeReportFromParent();

    bool m_enabled = true;
    bool m_visible = true;
    TVRFrame m_frame;
    TVRPrintableSize m_size;
    bool m_transparent = false;
    bool m_alignToBand = false;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    QColor m_color = Qt::white;
    QFont m_font;
    QColor m_fontColor = Qt::black;
    bool m_aligning = false;
    bool m_isPrinting = false;
    bool m_finished = true;
    bool m_blankBehind = false;
    TVRReportHost *m_parentReport = nullptr;
    QPointer<TVRPrinter> m_printer;
};

// The control of that name anywhere below root (nullptr when none).
template <class T = TVRPrintable>
T *FindPrintable(const QObject *root, const QString &name)
{
    return root ? root->findChild<T *>(name) : nullptr;
}

} // namespace reportengine
