#pragma once

#include "bonsai/Species.hpp"
#include "render/scene/Image.hpp"

#include <map>
#include <memory>
#include <string>

namespace vesk {

// The image that lights a species' scene and the backdrop behind it.
struct SkyImages {
    std::shared_ptr<const scene::Image> sky;
    std::shared_ptr<const scene::Image> backdrop;

    friend bool operator==(const SkyImages&, const SkyImages&) = default;
};

// Sky images made once per species: a sky takes tens of milliseconds, too long for a frame.
// Used by one thread at a time.
class SkyCache {
  public:
    const SkyImages& images(const bonsai::Species& species);

  private:
    std::map<std::string, SkyImages> bySpecies_;
};

} // namespace vesk
