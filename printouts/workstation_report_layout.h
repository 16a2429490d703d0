#pragma once

// Building blocks of the workstation reports laid out in code: controls placed in report
// pixels (96 per inch, as a form designer places them), named as the report knows them,
// and the page furniture every workstation report shares (the print date, "Strona n / N").

#include "reportengine/vr_band.h"
#include "reportengine/vr_data_labels.h"
#include "reportengine/vr_label.h"
#include "reportengine/vr_report.h"
#include "reportengine/vr_richtext.h"
#include "reportengine/vr_shape.h"

#include <QFont>
#include <QRect>
#include <QString>

namespace printouts {

// Width of the printable area of an A4 portrait page with 10 mm margins, in report pixels.
constexpr int kReportWidth = 718;

// Arial of the size (bold when asked): the font of the workstation reports.
QFont ReportFont(int points, bool bold = false);
// The font height the row formulas use: -round(points x 96 / 72), so 8 pt is -11.
int FontHeight(const QFont &font);

// A report on A4 portrait with 10 mm margins and Arial 10.
void SetUpWorkstationReport(reportengine::TVelRep &report, const QString &name, const QString &title);

// A band of the type on the report, `height` report pixels high.
reportengine::TVRBand *AddBand(reportengine::TVelRep &report, const QString &name, reportengine::TVRBandType type,
                               int height);
reportengine::TVRChildBand *AddChildBand(reportengine::TVelRep &report, const QString &name,
                                         reportengine::TVRCustomBand *parent, int height);
reportengine::TVRSubDetail *AddSubDetail(reportengine::TVelRep &report, const QString &name, int height);
// A group header band that heads a sub-detail.
reportengine::TVRBand *AddSubDetailHeader(reportengine::TVelRep &report, const QString &name,
                                          reportengine::TVRSubDetail *subDetail, int height);

// Controls at a rectangle of report pixels. Labels and memos have a fixed size and wrap
// their words; rich texts too. An empty name leaves the control unnamed.
reportengine::TVRLabel *AddLabel(QObject *band, const QString &name, const QString &caption, const QRect &at,
                                 const QFont &font,
                                 reportengine::TAlignment alignment = reportengine::TAlignment::taLeftJustify);
reportengine::TVRMemo *AddMemo(QObject *band, const QString &name, const QRect &at, const QFont &font);
reportengine::TVRRichText *AddRichText(QObject *band, const QString &name, const QRect &at, const QFont &font);
// An outline (no fill), so it never covers the texts of its band.
reportengine::TVRShape *AddShape(QObject *band, const QString &name, reportengine::TVRShapeType shape, const QRect &at);

// Moves and sizes a control in report pixels.
void Place(reportengine::TVRPrintable *control, int left, int top, int width, int height);
void SetPixelHeight(reportengine::TVRPrintable *control, int height);
void SetPixelHeight(reportengine::TVRCustomBand *band, int height);
int PixelHeight(const reportengine::TVRCustomBand *band);

// The row heights are figured in 16-bit arithmetic; kept within it.
int RowHeight(int value);

// "Wydrukowano : " (or the given prefix) followed by today's date, yyyy-MM-dd.
QString PrintedOnText(const QString &prefix = QStringLiteral("Wydrukowano : "));

// A page footer band: "Strona n" followed by the label "/ N" (named pageCountName, found by
// FindPrintable), whose caption every print of the band takes from *pageCount, the count of
// the preparing run.
reportengine::TVRBand *AddPageNumberFooter(reportengine::TVelRep &report, const QString &bandName,
                                           const QString &pageCountName, const int *pageCount);
QString PageCountText(int pages);

} // namespace printouts
