#pragma once

#include "devtools/EngineStressPlan.hpp"

#include <iosfwd>

// The renderer stress test: a private engine hammered with show requests of random size, a
// share of them animated, while its scene is drawn offscreen 20 times a second; progress and
// memory are reported every 2 s. No window, no user data.
namespace vesk::EngineStress {

// Runs the test on the running Qt event loop for its time and returns the exit status (0 once
// "SURVIVED" is printed). Reports go to `out`.
int run(const EngineStressPlan::Options& options, std::ostream& out);

} // namespace vesk::EngineStress
