#include "assessment/rules/rules.h"

#include "assessment/rules/chemical.h"
#include "assessment/rules/dust.h"
#include "assessment/rules/biological.h"
#include "assessment/rules/lighting.h"
#include "assessment/rules/fields_current.h"
#include "assessment/rules/laser.h"
#include "assessment/rules/microclimate.h"
#include "assessment/rules/noise.h"
#include "assessment/rules/optical_radiation.h"
#include "assessment/rules/own_methods.h"
#include "assessment/rules/vibration.h"
#include "assessment/rules/work_load.h"

namespace assessment::rules {

void RegisterRules()
{
    // One line per rule family.
    RegisterNoiseRules();
    RegisterLightingRules();
    RegisterBiologicalRules();
    RegisterMicroclimateRules();
    RegisterOpticalRadiationRules();
    RegisterFieldsAndCurrentRules();
    RegisterChemicalRules();
    RegisterDustRules();
    RegisterVibrationRules();
    RegisterWorkLoadRules();
    RegisterLaserRules();
    RegisterOwnMethodRules();
}

} // namespace assessment::rules
