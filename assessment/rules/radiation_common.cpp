#include "assessment/rules/radiation_common.h"

#include "assessment/rules/rule_numbers.h"
#include "storage/formatting.h"

#include <algorithm>
#include <cmath>

namespace assessment::rules {

QString RadiationMultipleText(double measured, double permitted)
{
    if (!std::isfinite(measured) || !std::isfinite(permitted) || measured < 0)
        return QString();
    if (permitted <= 0)
        return QStringLiteral("0");
    const double q = measured / permitted;
    if (!std::isfinite(q))
        return QString();
    return FixedText(q, 6, 2);
}

void RateWithJuvenilesForbidden(TFormAccess &form, int adults, int pregnantWomen)
{
    form.SetRiskAssessment(adults, adults, pregnantWomen, storage::RiskForbidden, 0, 0, true);
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
