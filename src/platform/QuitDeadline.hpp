#pragma once

namespace vesk {

// Once the data is saved at quit, nothing the rest of the teardown waits for (a GL driver
// finishing its work, a sound server that accepted and never answers) may keep the process
// alive: it ends with `status` after `seconds`, unless it has ended by itself. The data file is
// whole on the disk by then, so ending mid-teardown loses nothing written.
namespace QuitDeadline {
inline constexpr double seconds = 2.5;
void arm(double afterSeconds, int status);
// A status learnt after the save (the program's own exit status, an end forced by Qt): the
// deadline's end says it too, the worst one known.
void atLeast(int status);
} // namespace QuitDeadline

} // namespace vesk
