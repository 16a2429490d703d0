#include "appstate/view.h"

#include "platform/prompter.h"

namespace appstate {

void TView::Print()
{
    platform::ShowInfo(QStringLiteral("Z tego miejsca programu nie można jeszcze niczego wydrukować."));
}

} // namespace appstate
