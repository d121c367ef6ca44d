#pragma once

#include "shell/anim/AnimationManager.hpp"

namespace vesk::test {

// An animation manager on virtual time, advanced frame by frame at 60 Hz.
struct FrameClock {
    void runFrames(int frames) {
        for (int i = 0; i < frames; ++i) {
            now += 1.0 / 60.0;
            manager.tick();
        }
    }

    double now = 0;
    AnimationManager manager{[this] { return now; }};
};

} // namespace vesk::test
