#include "render/engine/EngineBuild.hpp"

#include "bonsai/VoxelMesher.hpp"
#include "render/engine/CubeDiff.hpp"
#include "render/engine/EngineMesh.hpp"

#include <algorithm>
#include <ranges>

namespace vesk {

namespace {

// |a − b|, saturating instead of overflowing for counts far apart.
std::int64_t distance(std::int64_t a, std::int64_t b) {
    const std::uint64_t d = a > b ? std::uint64_t(a) - std::uint64_t(b) : std::uint64_t(b) - std::uint64_t(a);
    return d > std::uint64_t(INT64_MAX) ? INT64_MAX : std::int64_t(d);
}

bonsai::VoxelGrid gridWith(const bonsai::VoxelDiorama& diorama, std::span<const bonsai::Cube> cubes) {
    bonsai::VoxelGrid grid = diorama.staticGrid;
    for (const bonsai::Cube& cube : cubes)
        grid.mark(cube);
    return grid;
}

std::shared_ptr<scene::Geometry> dioramaPart(std::span<const bonsai::Cube> cubes,
                                             const bonsai::VoxelDiorama& d) {
    return scene::Geometry::make(bonsai::VoxelMesher::mesh(cubes, d.staticGrid));
}

// The growth from `fromState` to `state`: kept cubes as the base, added ones growing in their
// reveal order, removed ones shrinking in reverse, sparks for a small pure growth.
GrowthAnimation::Change animate(const bonsai::BonsaiGrower::State& state,
                                const bonsai::BonsaiGrower::State& fromState, const Framing& frame,
                                scene::Vec3 target) {
    const CubeDiff diff(fromState.tree->cubes, state.tree->cubes);
    GrowthAnimation::Change change;
    const SparkPlan plan(diff, frame, target);
    change.sparks = plan.sparks;
    change.focus = plan.focus;
    const TreeMeshes base = meshTree(diff.kept, gridWith(*state.diorama, diff.kept));
    change.baseWood = base.wood;
    change.baseLeaves = base.leaves;
    change.grow = GrowthAnimation::animatedMesh(diff.added);
    change.shrink = GrowthAnimation::animatedMesh(diff.removed | std::views::reverse);
    change.added = std::int64_t(diff.added.size());
    change.removed = std::int64_t(diff.removed.size());
    change.fromFrame = Framing(*fromState.diorama, target);
    return change;
}

} // namespace

std::optional<Built> buildTree(BuildCaches& caches, const BuildRequest& request,
                               const std::function<bool()>& isCurrent) {
    // A build overtaken (or the engine gone, at quit) stops inside the generator too: a tree of
    // a million cubes takes seconds to grow.
    const bonsai::BonsaiGrower::State state = caches.grower.state(request.seed, request.n, isCurrent);
    if (!state.tree || !isCurrent()) return std::nullopt;
    const bonsai::VoxelTree& tree = *state.tree;
    const bonsai::VoxelDiorama& diorama = *state.diorama;

    const Framing frame(diorama, request.target);
    const TreeMeshes meshes = meshTree(tree.cubes, gridWith(diorama, tree.cubes));
    if (!isCurrent()) return std::nullopt;

    std::optional<GrowthAnimation::Change> animation;
    if (request.from && *request.from != request.n &&
        distance(request.n, *request.from) <= maxAnimatedChange) {
        const bonsai::BonsaiGrower::State fromState =
            caches.grower.state(request.seed, *request.from, isCurrent);
        if (!fromState.tree) return std::nullopt;
        const std::int64_t stageChange = fromState.key != state.key ? request.n : 0;
        if (distance(request.n, *request.from) + stageChange <= maxAnimatedChange) {
            animation = animate(state, fromState, frame, request.target);
            if (!isCurrent()) return std::nullopt;
        }
    }

    DioramaGeometry dioramaGeometry;
    dioramaGeometry.key = state.key;
    dioramaGeometry.included = animation || request.knownDiorama != state.key;
    if (dioramaGeometry.included) {
        dioramaGeometry.pot = dioramaPart(diorama.pot, diorama);
        dioramaGeometry.ground = dioramaPart(diorama.ground, diorama);
        dioramaGeometry.stand = dioramaPart(diorama.stand, diorama);
    }
    dioramaGeometry.glazed = tree.pot.glaze.glazed;
    dioramaGeometry.glazeRoughness = tree.pot.glaze.roughness;
    dioramaGeometry.sunDir = diorama.sunDir;

    return Built{
        .request = request.request,
        .seed = request.seed,
        .n = request.n,
        .sceneKey = state.key,
        .info = BonsaiInfo::of(tree),
        .treeHeight = std::max(tree.height, 2.0f),
        .wood = meshes.wood,
        .leaves = meshes.leaves,
        .diorama = std::move(dioramaGeometry),
        .frame = frame,
        .falling = FallingSetup(tree.cubes, tree.species, diorama.top, frame),
        .animation = std::move(animation),
        .sky = caches.skies.images(tree.species),
        .palette = tree.species.sky,
        .glow = tree.species.glow,
    };
}

} // namespace vesk
