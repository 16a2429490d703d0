#include "assessment/views.h"

#include "assessment/frm_ryz_zakl.h"
#include "shell/appstate/view_registry.h"

namespace assessment {

void RegisterViews()
{
    appstate::RegisterView(QStringLiteral("frmRyzZakl"),
                           [] { return static_cast<appstate::TView *>(frmRyzZakl()); });
}

} // namespace assessment
