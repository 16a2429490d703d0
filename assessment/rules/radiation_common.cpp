#include "assessment/rules/radiation_common.h"

#include "assessment/rules/rule_numbers.h"
#include "storage/formatting.h"

#include <algorithm>
#include <cmath>

namespace assessment::rules {

QString RadiationMultipleText(double measured, double permitted)
{
    // Without a limit there is nothing to exceed: "0", where QuotientMultipleOrEmpty would
    // leave the multiple empty.
    const bool noLimit = std::isfinite(permitted) && permitted <= 0;
    if (noLimit && std::isfinite(measured) && measured >= 0)
        return QStringLiteral("0");
    return QuotientMultipleOrEmpty(measured, permitted);
}

void RateWithJuvenilesForbidden(TFormAccess &form, int adults, int pregnantWomen)
{
    form.SetRiskAssessment({adults, adults, pregnantWomen, storage::RiskForbidden});
}

int HighestDeterminedCode(const QList<int> &codes)
{
    int highest = storage::RiskNotDetermined;
    for (int c : codes) {
        if (c == storage::RiskNotDetermined)
            return storage::RiskNotDetermined;
        highest = std::max(highest, c);
    }
    return highest;
}

} // namespace assessment::rules
