#include "workstations/views.h"

#include "shell/appstate/view_registry.h"
#include "workstations/frm_def_stan.h"

namespace workstations {

void RegisterViews()
{
    appstate::RegisterView(QStringLiteral("frmDefStan"),
                           [] { return static_cast<appstate::TView *>(frmDefStan()); });
}

} // namespace workstations
