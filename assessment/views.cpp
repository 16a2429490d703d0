#include "assessment/views.h"

#include "appstate/view_registry.h"
#include "assessment/rules/evaluation_dispatch.h"
#include "assessment/frm_ryz_zakl.h"
#include "assessment/rules/rules.h"

namespace assessment {

void RegisterViews(appstate::AppState &state)
{
    appstate::RegisterView(QStringLiteral("frmRyzZakl"),
                           [&state] { return static_cast<appstate::TView *>(frmRyzZakl(state)); });
    // The evaluation rules of the forms the window shows, registered when first needed.
    RegisterRulesOnFirstUse(&rules::RegisterRules);
}

} // namespace assessment
