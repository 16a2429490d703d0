#pragma once

namespace workstations {

// Registers the views of this library with the main window's view registry, under their
// view names. Called once at start-up, before the main window is shown.
void RegisterViews();

} // namespace workstations
