#pragma once

// Export filters: another output of a report run, beside page pictures and printers.
// A filter receives what the controls print as positioned items; the library lists
// the filters a save dialog offers. The program registers none, so the library stays
// empty and the preview's save dialog offers the stored report file only.
//
// Positions and sizes are in tenths of a millimetre from the paper corner.

#include "reportengine/vr_types.h"

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace reportengine {

// A figure handed to a filter: a shape, a frame side (a line shape in the frame's
// colour, its thickness the pen width) or a control's background (a rectangle with a
// clear pen).
struct TVRExportShape
{
    QRectF Rect;
    TVRShapeType Shape = TVRShapeType::vrsRectangle;
    QPen Pen;
    QBrush Brush;
    double RoundFactor = 0;
};

class TVRExportFilter
{
public:
    virtual ~TVRExportFilter() = default;

    virtual void Start(double paperWidth, double paperLength, const QFont &font) = 0;
    virtual void NewPage() {}
    virtual void EndPage() {}
    virtual void Finish() {}
    // One line of text; x is the anchor the alignment names (left edge, right edge or
    // middle), y the top of the line.
    virtual void TextOut(double x, double y, const QFont &font, const QColor &background, TAlignment alignment,
                         const QString &text) = 0;
    virtual void ShapeOut(const TVRExportShape &shape) = 0;
    virtual void ImageOut(const QRectF &rect, const QImage &image) = 0;
};

struct TVRExportFilterEntry
{
    QString Name;      // shown in the save dialog
    QString Extension; // without the dot
    std::function<std::unique_ptr<TVRExportFilter>()> Create;
};

class TVRExportFilterLibrary
{
public:
    void Add(TVRExportFilterEntry entry) { m_filters.push_back(std::move(entry)); }
    const std::vector<TVRExportFilterEntry> &Filters() const { return m_filters; }
    // Filter text of the preview's save dialog: the stored report file first, then
    // every filter in order, separated by ";;".
    QString SaveDialogFilter() const;

private:
    std::vector<TVRExportFilterEntry> m_filters;
};

// The process-wide library (made on first use, freed at exit).
TVRExportFilterLibrary &ExportFilterLibrary();

// Description of the stored report file in file dialogs.
QString PageFileDialogFilter();

} // namespace reportengine
