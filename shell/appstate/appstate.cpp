#include "shell/appstate/appstate.h"

namespace appstate {

void AppState::SetModified(bool value)
{
    if (m_modified == value)
        return;
    m_modified = value;
    emit ModifiedChanged(value);
}

AppState &State()
{
    static AppState *state = new AppState; // lives until exit; views may outlive main()'s locals
    return *state;
}

} // namespace appstate
