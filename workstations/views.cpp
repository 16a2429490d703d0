#include "workstations/views.h"

#include "appstate/view_registry.h"
#include "workstations/frm_def_stan.h"
#include "workstations/frm_dokum.h"

namespace workstations {

void RegisterViews()
{
    appstate::RegisterView(QStringLiteral("frmDefStan"),
                           [] { return static_cast<appstate::TView *>(frmDefStan()); });
    appstate::RegisterView(appstate::DocumentViewName(),
                           [] { return static_cast<appstate::TView *>(frmDokum()); });
}

} // namespace workstations
