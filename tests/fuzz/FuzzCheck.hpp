#pragma once

#include "core/model/Snapshot.hpp"

#include <cstdio>
#include <cstdlib>

namespace vesk::fuzz {

// A broken property aborts so libFuzzer keeps the input as a crash.
inline void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

inline bool sameSnapshot(const Snapshot& a, const Snapshot& b) {
    return a.lists == b.lists && a.tasks == b.tasks && a.sessions == b.sessions && a.timer == b.timer &&
           a.prefs == b.prefs && a.bonsai == b.bonsai && a.unknown == b.unknown;
}

} // namespace vesk::fuzz
