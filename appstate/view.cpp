#include "appstate/view.h"

#include "appstate/appstate.h"
#include "appstate/view_registry.h"
#include "platform/prompter.h"

namespace appstate {

TView::TView(AppState &state, storage::TViewKind kind) : m_kind(kind), m_shared(state) {}

bool TView::IsCurrentView() const
{
    return m_shared.ViewKind == m_kind;
}

void TView::Print()
{
    if (!RunCommandDialog(QStringLiteral("frmWydruk"), PrintSelection()))
        SayNothingToPrint();
}

bool TView::AskSaveChanges()
{
    return AskSaveChangesDefault(m_shared);
}

void TView::SayNothingToPrint()
{
    platform::ShowInfo(QStringLiteral("Z tego miejsca programu nie można jeszcze niczego wydrukować."));
}

} // namespace appstate
