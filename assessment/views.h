#pragma once

namespace appstate {
class AppState;
}

namespace assessment {

// Registers the measurement window under its view name "frmRyzZakl" with the main
// window's view registry, made when first needed in state (called once at start-up).
void RegisterViews(appstate::AppState &state);

} // namespace assessment
