#pragma once

#include <QString>

namespace printouts {

// A risk level as the workstation printouts write it: 0 "nieustalona", 10 "małe",
// 20 "średnie", 30 "duże", 40 "praca wzbroniona"; any other code (99, not applicable,
// among them) is no rating and prints "-".
QString RiskLevelText(int code);

} // namespace printouts
