// Compiled into every target that links tarvelin_reportengine (an interface source of
// that library), so that a program or test using the engine's user interface finds it in
// force without a call of its own: the same initialiser inside the static library would be
// dropped by the linker, since nothing refers to it. Putting it in force twice is harmless.

#include "reportengine/vr_standard_user_interface.h"

namespace {

[[maybe_unused]] const bool g_standardUserInterfaceInstalled = [] {
    reportengine::InstallStandardUserInterface();
    return true;
}();

} // namespace
