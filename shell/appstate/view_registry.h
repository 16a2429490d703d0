#pragma once
// Moved to appstate/view_registry.h; this forwarding header keeps code written against the old path
// building until it is updated (include "appstate/view_registry.h"), then goes.
#include "appstate/view_registry.h"
