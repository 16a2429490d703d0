#pragma once

// Reports built in code for the report tests: bands that print one label each, whose
// text says which band printed (and for which record), so a page's texts read as the
// order of its bands.

#include "reportengine/vr_label.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_report.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace reporttest {

using namespace reportengine;

// A label on the band at the band's top left.
inline TVRLabel *AddLabel(TVRCustomBand *band, const QString &caption, double left = 0)
{
    auto *label = new TVRLabel(band);
    label->SetCaption(caption);
    label->Size().SetNativeLeft(left);
    label->Size().SetNativeTop(0);
    return label;
}

// A band of the type with a label showing `text` (a fixed text, or one made before
// every print).
inline TVRBand *AddBand(TVelRep &report, TVRBandType type, double height, const QString &text,
                        std::function<QString()> makeText = nullptr)
{
    TVRBand *band = report.CreateBand(type);
    band->Size().SetNativeHeight(height);
    TVRLabel *label = AddLabel(band, text);
    if (makeText)
        band->BeforePrint = [label, makeText](TVRCustomBand *, bool &) { label->SetCaption(makeText()); };
    return band;
}

// Feeds a report or sub-detail `count` records through OnNeedData; `record` holds the
// current one (1-based) for the bands' texts.
inline std::function<void(QObject *, bool &)> Records(int count, int *record)
{
    return [count, record](QObject *, bool &moreData) {
        if (moreData)
            *record = 0; // a new walk
        moreData = *record < count;
        if (moreData)
            ++*record;
    };
}

// The texts of every page of the report's last run, one list per page.
inline std::vector<QStringList> PageTexts(const TVelRep &report)
{
    std::vector<QStringList> pages;
    TVRPrinter *printer = report.VRPrinter();
    for (int n = 1; printer && n <= printer->PageCount(); ++n)
        pages.push_back(CapturePageTexts(*printer->GetPage(n)));
    return pages;
}

inline QStringList AllTexts(const TVelRep &report)
{
    QStringList all;
    for (const QStringList &page : PageTexts(report))
        all += page;
    return all;
}

} // namespace reporttest
