#pragma once
// Moved to appstate/appstate.h; this forwarding header keeps code written against the old path
// building until it is updated (include "appstate/appstate.h"), then goes.
#include "appstate/appstate.h"
