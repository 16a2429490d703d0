#pragma once

namespace assessment {

// Registers the measurement window under its view name "frmRyzZakl" with the main
// window's view registry (called once at start-up).
void RegisterViews();

} // namespace assessment
