#include "reportengine/vr_units.h"

#include "reportengine/vr_printable_host.h"

#include <cmath>

namespace reportengine {

double TVRUnitBase::CharacterSize(bool horizontal) const
{
    // A character of the report's font, in millimetres.
    double size = ParentReport ? std::fabs(ParentReport->HostFont().pointSizeF()) : 10.0;
    if (!(size > 0))
        size = 10.0;
    return horizontal ? 80.0 / size / 2.54 : 145.3 / size / 2.54;
}

double TVRUnitBase::LoadUnit(double v, TVRUnit unit, bool horizontal) const
{
    switch (unit) {
    case TVRUnit::MM:
        return v / 10.0;
    case TVRUnit::Inches:
        return v / 254.0;
    case TVRUnit::Pixels:
        return v / (254.0 / Resolution) * Zoom / 100.0;
    case TVRUnit::Characters:
        return v / CharacterSize(horizontal) / 10.0;
    case TVRUnit::Native:
        break;
    }
    return v;
}

double TVRUnitBase::SaveUnit(double v, TVRUnit unit, bool horizontal) const
{
    switch (unit) {
    case TVRUnit::MM:
        return v * 10.0;
    case TVRUnit::Inches:
        return v * 254.0;
    case TVRUnit::Pixels:
        return Zoom > 0 && Resolution > 0 ? v * 100.0 / Zoom * (254.0 / Resolution) : 0.0;
    case TVRUnit::Characters:
        return v * 10.0 * CharacterSize(horizontal);
    case TVRUnit::Native:
        break;
    }
    return v;
}

void TVRPrintableSize::SetNative(double &field, double v)
{
    if (!std::isfinite(v) || field == v)
        return;
    field = v;
    if (OnChange)
        OnChange();
}

} // namespace reportengine
