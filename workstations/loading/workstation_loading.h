#pragma once
// Moved to workstation_loading/workstation_loading.h; this forwarding header keeps code
// written against the old path building until it is updated, then goes.
#include "workstation_loading/workstation_loading.h"
