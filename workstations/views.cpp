#include "workstations/views.h"

#include "appstate/view_registry.h"
#include "workstations/frm_czynniki.h"
#include "workstations/frm_def_stan.h"
#include "workstations/frm_dokum.h"
#include "workstations/frm_stan_czyn.h"
#include "workstations/frm_zestaw.h"

namespace workstations {

void RegisterViews(appstate::AppState &state)
{
    appstate::RegisterView(QStringLiteral("frmDefStan"),
                           [&state] { return static_cast<appstate::TView *>(frmDefStan(state)); });
    appstate::RegisterView(QStringLiteral("frmCzynniki"),
                           [&state] { return static_cast<appstate::TView *>(frmCzynniki(state)); });
    appstate::RegisterView(QStringLiteral("frmZestaw"),
                           [&state] { return static_cast<appstate::TView *>(frmZestaw(state)); });
    appstate::RegisterView(appstate::DocumentViewName(),
                           [&state] { return static_cast<appstate::TView *>(frmDokum(state)); });
    TfrmDefStan::SetFactorDialog([&state](storage::TStanowisko &w, QWidget *parent) {
        return ChooseWorkstationFactors(state, w, parent);
    });
}

} // namespace workstations
