#pragma once

// What a printable control needs from the objects it is placed on. The report and its
// bands implement these two interfaces; a printable finds them through its QObject
// parent: a band that implements TVRBandHost, or directly a report that implements
// TVRReportHost.
//
// What the printables promise in return (see vr_printable.h):
// - Print(OffsetX, OffsetY) draws the control at the band's position on the canvas of
//   HostPrinter(), in device pixels through the printer's conversions;
// - after Print, Finished() tells whether everything was printed; an unfinished
//   control continues where it stopped the next time it is printed, and a
//   continuation always prints something, so re-printing it on fresh pages ends;
// - a stretching control asks HostExpand for room, never more than it needs;
// - HasExpandedHeight()/ExpandedHeight() give the height a control's content needs,
//   for bands that size themselves before printing;
// - Prepare() before a run (after the parent report is set), Unprepare() after it.

#include "reportengine/vr_units.h"

#include <QFont>
#include <QString>

namespace reportengine {

class TVRPrinter;
class TVRExportFilter;

class TVRReportHost
{
public:
    // The output of the run under way; nullptr outside a run.
    virtual TVRPrinter *HostPrinter() const = 0;
    // The filter of an export run; nullptr otherwise.
    virtual TVRExportFilter *HostExportFilter() const { return nullptr; }
    // Zoom in percent; pixel sizes and text widths follow it.
    virtual int HostZoom() const { return 100; }
    // The unit that sizes of controls on the report are read and written in.
    virtual TVRUnit HostUnits() const { return TVRUnit::Native; }
    // The report's font (it sizes the Characters unit).
    virtual QFont HostFont() const { return QFont(QStringLiteral("Arial"), 10); }

protected:
    ~TVRReportHost() = default;
};

class TVRBandHost
{
public:
    // The report the band belongs to; nullptr when it is not on a report.
    virtual TVRReportHost *HostReport() const = 0;
    // The band's width, in tenths of a millimetre.
    virtual double HostWidth() const = 0;
    // A stretching control asks for `amount` more height (tenths of a millimetre). The
    // band grants it when its height plus the stretch so far plus the amount still fits
    // above the usable bottom of the page, and then adds it to its stretch; the control
    // draws into the granted room at once. Refused: the control stops and continues
    // when the band is printed again.
    virtual bool HostExpand(double amount) = 0;

protected:
    ~TVRBandHost() = default;
};

} // namespace reportengine
