#include "printouts/risk_level_text.h"

namespace printouts {

QString RiskLevelText(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("nieustalona");
    case 10:
        return QStringLiteral("małe");
    case 20:
        return QStringLiteral("średnie");
    case 30:
        return QStringLiteral("duże");
    case 40:
        return QStringLiteral("praca wzbroniona");
    default:
        return QStringLiteral("-");
    }
}

} // namespace printouts
