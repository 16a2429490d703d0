#pragma once

// Bands: the horizontal strips a report is stacked from. A band carries printable
// controls (its QObject children) and is printed once per occasion of its type: per
// report (title, summary), per page (page header and footer), per column (column
// header), per record (detail, sub-detail), per group change (group header and
// footer), or right after another band (child).
//
// What a band guarantees to its controls (vr_printable_host.h): its width, its report,
// and growth for stretching controls as long as the grown band still ends above the
// usable bottom of the page (above the page footer). The report decides where a band
// prints and when a page breaks (vr_report.h).
//
// Links between bands (a child's parent band, a band's link band, a group's or
// sub-detail's master) that would lead back to the band itself are refused.

#include "reportengine/vr_frame.h"
#include "reportengine/vr_page_setup.h"
#include "reportengine/vr_printable_host.h"

#include "reportengine/evaluator.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

namespace reportengine {

class TVelRep;
class TVRChildBand;
class TVRController;
class TVRPrintable;
class TVRReportDataSet;

enum class TVRBandType {
    rbTitle,
    rbPageHeader,
    rbDetail,
    rbPageFooter,
    rbSummary,
    rbGroupHeader,
    rbGroupFooter,
    rbSubDetail,
    rbColumnHeader,
    rbOverlay,
    rbChild
};

// "Title", "Page Header"... as a designer shows the type.
QString BandTypeDisplayName(TVRBandType type);
// "TitleBand", "PageHeaderBand"...: the base of the names of new bands.
QString BandTypeComponentName(TVRBandType type);

class TVRCustomBand : public QObject, public TVRBandHost
{
    Q_OBJECT

public:
    using TVRBandBeforePrintEvent = std::function<void(TVRCustomBand *sender, bool &printBand)>;
    using TVRBandAfterPrintEvent = std::function<void(TVRCustomBand *sender, bool bandPrinted)>;

    // A band on a report (the parent), or on nothing.
    explicit TVRCustomBand(QObject *parent = nullptr, TVRBandType type = TVRBandType::rbTitle);
    ~TVRCustomBand() override;

    TVRBandType BandType() const { return m_type; }
    virtual QString BandTypeName() const { return BandTypeDisplayName(m_type); }
    virtual QString BandComponentName() const { return BandTypeComponentName(m_type); }
    // The report the band is on (its parent), nullptr when none.
    TVelRep *ParentReport() const;

    TVRBandBeforePrintEvent BeforePrint;
    TVRBandAfterPrintEvent AfterPrint;
    bool AlignToBottom = false;
    bool TransparentBand = false;
    bool ForceNewColumn = false;
    bool ForceNewPage = false;
    bool KeepOnOnePage = false;
    // The band takes the height its content needs before it prints.
    bool PreCaluculateBandHeight = false;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    // Filled behind the controls unless TransparentBand; white unless set, so a band
    // never prints a grey background of its own.
    QColor Color() const { return m_color; }
    void SetColor(const QColor &color) { m_color = color; }
    TVRFrame &Frame() { return m_frame; }
    const TVRFrame &Frame() const { return m_frame; }
    // With ParentFont, the report's font.
    QFont Font() const;
    void SetFont(const QFont &font);
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool parentFont) { m_parentFont = parentFont; }
    TVRBandSize &Size() { return m_size; }
    const TVRBandSize &Size() const { return m_size; }

    // Whether a child band follows this one; true makes one (on the same report), false
    // frees it after linking its own child (if any) to this band, so the chain holds.
    bool HasChild() const { return ChildBand() != nullptr; }
    void SetHasChild(bool hasChild);
    // The band printed right after this one.
    TVRChildBand *ChildBand() const;
    // A band that must stay on the same page as this one: its height counts when this
    // band's room is checked. Refused (false) when it would link back to this band.
    TVRCustomBand *LinkBand() const { return m_linkBand; }
    bool SetLinkBand(TVRCustomBand *band);

    // The controller whose detail band this is, during a run.
    TVRController *Controller() const { return m_controller; }

    // TVRBandHost.
    TVRReportHost *HostReport() const override;
    double HostWidth() const override { return m_size.NativeWidth(); }
    bool HostExpand(double amount) override;

    // The band's printable controls in print order (its direct children).
    std::vector<TVRPrintable *> Printables() const;
    // The height the band's content needs (tenths of a millimetre): its height, or more
    // where a memo, data text, expression or rich text needs more.
    double StretchedHeight() const;

protected:
    void SetType(TVRBandType type) { m_type = type; }
    // Whether following links from `band` through parent bands, link bands and
    // masters reaches this band.
    bool LeadsBackHere(const QObject *band) const;
    // Whether the band may take this master: none, the report or a controller band,
    // and not one whose masters lead back here.
    bool CanFollow(const QObject *master) const;

private:
    friend class TVelRep;
    friend class TVRController;

    void WidthChanged();

    TVRBandType m_type;
    bool m_enabled = true;
    QColor m_color = Qt::white;
    TVRFrame m_frame;
    QFont m_font;
    bool m_parentFont = true;
    TVRBandSize m_size;
    QPointer<TVRCustomBand> m_linkBand;

    // Run state, kept by the report while it prints the band.
    TVRController *m_controller = nullptr;
    double m_printTop = 0;    // where the band is being printed
    double m_stretch = 0;     // growth granted to its controls so far
    double m_expandLimit = 0; // the lowest the grown band may end
    bool m_inPrint = false;
};

class TVRBand : public TVRCustomBand
{
    Q_OBJECT

public:
    explicit TVRBand(QObject *parent = nullptr, TVRBandType type = TVRBandType::rbTitle);
    void SetBandType(TVRBandType type) { SetType(type); }
};

class TVRChildBand : public TVRCustomBand
{
    Q_OBJECT

public:
    explicit TVRChildBand(QObject *parent = nullptr);

    TVRCustomBand *ParentBand() const { return m_parentBand; }
    // Refused (false) when the chain of parent bands would lead back to this band.
    bool SetParentBand(TVRCustomBand *band);

private:
    QPointer<TVRCustomBand> m_parentBand;
};

// A group header: printed before the first record of every run of records whose
// Expression has the same value, with FooterBand after the last of them.
class TVRGroup : public TVRCustomBand
{
    Q_OBJECT

public:
    explicit TVRGroup(QObject *parent = nullptr);
    ~TVRGroup() override;

    QString Expression;
    bool ReprintOnNewPage = false;
    TVRCustomBand *FooterBand() const { return m_footerBand; }
    // The band becomes a group footer.
    void SetFooterBand(TVRCustomBand *band);
    // The report or a sub-detail whose records the group follows (nullptr: the
    // report). Other objects, and masters that lead back here, are refused (false).
    QObject *Master() const { return m_master; }
    bool SetMaster(QObject *master);

    // Run state.
    void Prepare(const QList<TVRDataSet *> &dataSets, TVREvEnvironment *environment);
    void Unprepare();
    // Evaluates the expression: true when this is the first value or it differs from
    // the last one (another kind, or another value). The new value is kept.
    bool Evaluate();
    bool Changed = false;
    bool EvaluatedOnce = false;
    bool HeaderPrinted = false;
    int LastHeaderPage = 0;

private:
    QPointer<TVRCustomBand> m_footerBand;
    QPointer<QObject> m_master;
    std::unique_ptr<TVREvaluator> m_evaluator;
    TVREvResult m_lastResult;
};

// A band that owns a controller: it walks records of its own (a data set or its
// OnNeedData) once for every record of its master.
class TVRControllerBand : public TVRCustomBand
{
    Q_OBJECT

public:
    TVRControllerBand(QObject *parent, TVRBandType type);
    ~TVRControllerBand() override;

    TVRController &OwnController() { return *m_ownController; }
    const TVRController &OwnController() const { return *m_ownController; }
    // The report or another controller band (nullptr: the report). Masters that lead
    // back to this band, and other objects, are refused (false).
    QObject *Master() const { return m_master; }
    bool SetMaster(QObject *master);

private:
    std::unique_ptr<TVRController> m_ownController;
    QPointer<QObject> m_master;
};

class TVRSubDetail : public TVRControllerBand
{
    Q_OBJECT

public:
    using TVROnNeedDataEvent = std::function<void(QObject *sender, bool &moreData)>;

    explicit TVRSubDetail(QObject *parent = nullptr);

    // A header and a footer band of the sub-detail's own (group header and footer
    // bands on the same report), made or freed.
    bool HasHeader() const { return m_headerBand != nullptr; }
    void SetHasHeader(bool has);
    bool HasFooter() const { return m_footerBand != nullptr; }
    void SetHasFooter(bool has);
    TVRCustomBand *HeaderBand() const { return m_headerBand; }
    void SetHeaderBand(TVRCustomBand *band);
    TVRCustomBand *FooterBand() const { return m_footerBand; }
    void SetFooterBand(TVRCustomBand *band);

    TVRReportDataSet *DataSet() const;
    void SetDataSet(TVRReportDataSet *dataSet);
    TVROnNeedDataEvent &OnNeedData();
    bool PrintBefore() const;
    void SetPrintBefore(bool before);
    bool PrintIfEmpty() const;
    void SetPrintIfEmpty(bool print);

private:
    // Frees the old band; a new one of the type (on the report) when asked to make one.
    TVRCustomBand *ReplaceBand(TVRCustomBand *old, bool make, TVRBandType type);

    QPointer<TVRCustomBand> m_headerBand;
    QPointer<TVRCustomBand> m_footerBand;
};

} // namespace reportengine
