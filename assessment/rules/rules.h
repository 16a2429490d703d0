#pragma once

// The evaluation rules of the measurement forms, by family. RegisterRules registers every
// family built so far with the dispatcher; it may be called more than once.

namespace assessment::rules {

void RegisterRules();

} // namespace assessment::rules
