#pragma once

#include <string_view>

namespace vesk {

// The program's three short sounds, "Glass", "Hero" and "Pop", played by name. Playing
// never blocks the caller; an unknown name or a missing sound device plays nothing.
class Sound {
  public:
    virtual ~Sound() = default;
    virtual void play(std::string_view name) = 0;
};

} // namespace vesk
