#pragma once

#include "core/anim/Timing.hpp"
#include "render/scene/Quat.hpp"

#include <functional>
#include <memory>
#include <vector>

namespace vesk::scene {

class Node;

// A description of timed work on a node: cheap to copy, immutable, and reusable on any
// number of nodes. Nodes run actions (Node::runAction); the scene steps them with the time
// it is given, so an action's effect at any moment is a function of its elapsed time.
class Action {
  public:
    using Step = std::function<void(Node&, double elapsedSeconds)>;
    using Block = std::function<void(Node&)>;

    // Calls `step` on every scene step while running, and once more at its end with the
    // full duration.
    static Action custom(double durationSeconds, Step step);
    static Action scaleTo(float scale, double durationSeconds);
    static Action moveTo(Vec3 position, double durationSeconds);
    static Action fadeOut(double durationSeconds);
    static Action wait(double durationSeconds);
    // Instantaneous: the block runs exactly once.
    static Action run(Block block);
    static Action removeFromParent();
    static Action sequence(std::vector<Action> actions);
    static Action group(std::vector<Action> actions);

    // The same action with its progress paced by `timing` (for groups and sequences, the
    // pacing applies to the time handed to their children).
    Action withTiming(Timing timing) const;

    double durationSeconds() const;

    struct Definition;

  private:
    explicit Action(std::shared_ptr<const Definition> definition) : definition_(std::move(definition)) {}
    std::shared_ptr<const Definition> definition_;
    friend class ActionRun;
};

// One running instance of an action: the start values it captured and which children have
// finished. Advancing past a child's end always applies that child's final value first.
class ActionRun {
  public:
    explicit ActionRun(const Action& action);
    ~ActionRun();
    ActionRun(ActionRun&&) noexcept;
    ActionRun& operator=(ActionRun&&) noexcept;

    // Brings the action to `elapsedSeconds` since its start; true once it has finished.
    bool advance(Node& node, double elapsedSeconds);

    struct State;

  private:
    std::unique_ptr<State> state_;
};

} // namespace vesk::scene
