#pragma once

#include "bonsai/Design.hpp"
#include "bonsai/RNG.hpp"
#include "bonsai/Species.hpp"

#include <cstdint>
#include <vector>

namespace vesk::bonsai {

// Builds one Design step by step. The order of the steps is the order of the designer's random
// draws, so `build` runs them in exactly that order.
class DesignBuilder {
  public:
    DesignBuilder(std::uint64_t seed, const Species& species, Style style, float scale);

    Design build();

  private:
    struct Tip {
        Vec3 point;
        float birth = 0.0f;
    };

    // Trunk and roots.
    void orientAndTrace();
    void roots();
    float trunkBirth(int i) const;
    int trunkIndex(float f) const;

    // Branches and pads, by style.
    void crown();
    void broom();
    void cascade();
    Tip addBranch(int at, Vec3 dirH, float length, float droop);
    Pad sidePad(Vec3 tip, Vec3 dir, float size, float birth, float stretch);

    // Fine wood, then foliage.
    void twigs();
    void deadWood();
    void leafCandidates();

    // Voxelises a sampled path; returns the birth at its last sample.
    float stamp(const std::vector<Vec3>& samples, const std::vector<float>& radii, float b0, CubeKind kind);
    void place(std::int32_t x, std::int32_t y, std::int32_t z, float birth, CubeKind kind);
    bool insidePot(std::int32_t x, std::int32_t z, float widen) const;
    // A resampled path at about 0.3 cells per segment.
    static std::vector<Vec3> evenPath(const std::vector<Vec3>& curve);

    std::uint64_t seed_;
    std::uint32_t seedU_;
    const Species& species_;
    Style style_;
    float scale_;
    RNG rng_;
    Design d_;

    float theta_ = 0.0f;
    float leanDistance_ = 0.0f; // horizontal distance from the first to the last control point
    std::vector<Vec3> path_;    // the trunk, segments + 1 samples
    std::vector<float> radius_; // the trunk radius per sample
    float trunkLength_ = 0.0f;
    float r0_ = 0.0f; // the trunk's base radius
    int segments_ = 1;
};

} // namespace vesk::bonsai
