#pragma once

namespace appstate {
class AppState;
}

namespace workstations {

// Registers the views of this library with the main window's view registry, under their
// view names; each is made, when first needed, in state. Called once at start-up, before
// the main window is shown.
void RegisterViews(appstate::AppState &state);

} // namespace workstations
