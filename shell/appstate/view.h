#pragma once
// Moved to appstate/view.h; this forwarding header keeps code written against the old path
// building until it is updated (include "appstate/view.h"), then goes.
#include "appstate/view.h"
