#include "workstations/views.h"

#include "appstate/view_registry.h"
#include "workstations/frm_czynniki.h"
#include "workstations/frm_def_stan.h"
#include "workstations/frm_dokum.h"
#include "workstations/frm_stan_czyn.h"
#include "workstations/frm_zestaw.h"

namespace workstations {

void RegisterViews()
{
    appstate::RegisterView(QStringLiteral("frmDefStan"),
                           [] { return static_cast<appstate::TView *>(frmDefStan()); });
    appstate::RegisterView(QStringLiteral("frmCzynniki"),
                           [] { return static_cast<appstate::TView *>(frmCzynniki()); });
    appstate::RegisterView(QStringLiteral("frmZestaw"),
                           [] { return static_cast<appstate::TView *>(frmZestaw()); });
    appstate::RegisterView(appstate::DocumentViewName(),
                           [] { return static_cast<appstate::TView *>(frmDokum()); });
    TfrmDefStan::SetFactorDialog(ChooseWorkstationFactors);
}

} // namespace workstations
