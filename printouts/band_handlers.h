#pragma once

// What the band handlers of the form pages share: the values of the gender carrier Plec
// that their wording rules know, captions of labels a layout may lack, and positions set
// in page pixels.

#include "reportengine/vr_label.h"
#include "reportengine/vr_page_picture.h"

#include <QString>

namespace printouts {

// The carrier Plec as the documents store it.
inline QString CarrierWoman()
{
    return QStringLiteral("kobieta");
}
inline QString CarrierMan()
{
    return QStringLiteral("mężczyzna");
}

// The caption of a label, or nothing for a label the layout does not have.
inline void SetLabelCaption(reportengine::TVRLabel *label, const QString &caption)
{
    if (label)
        label->SetCaption(caption);
}
inline QString LabelCaption(const reportengine::TVRLabel *label)
{
    return label ? label->Caption() : QString();
}

// Page pixels (96 per inch), as handlers size and place controls, in tenths of a millimetre.
inline double PagePixelsToNative(double pixels)
{
    return pixels / reportengine::kPageFactor;
}

} // namespace printouts
