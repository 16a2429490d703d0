#include "assessment/rules/rules.h"

#include "assessment/rules/microclimate.h"
#include "assessment/rules/noise.h"

namespace assessment::rules {

void RegisterRules()
{
    // One line per rule family.
    RegisterNoiseRules();
    RegisterMicroclimateRules();
}

} // namespace assessment::rules
