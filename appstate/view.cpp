#include "appstate/view.h"

#include "appstate/appstate.h"
#include "appstate/view_registry.h"
#include "platform/prompter.h"

namespace appstate {

TView::TView(storage::TViewKind kind) : m_kind(kind), m_shared(State()) {}

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
    return AskSaveChangesDefault();
}

void TView::SayNothingToPrint()
{
    platform::ShowInfo(QStringLiteral("Z tego miejsca programu nie można jeszcze niczego wydrukować."));
}

} // namespace appstate
