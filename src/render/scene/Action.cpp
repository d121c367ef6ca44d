#include "render/scene/Action.hpp"

#include "render/scene/Node.hpp"

#include <algorithm>
#include <cmath>

namespace vesk::scene {

struct Action::Definition {
    enum class Kind { custom, scaleTo, moveTo, fadeOut, wait, run, removeFromParent, sequence, group };
    Kind kind = Kind::wait;
    double duration = 0.0;
    Timing timing = Timing::linear;
    Step step;
    Block block;
    Vec3 target;
    std::vector<Action> children;
};

namespace {

using Definition = Action::Definition;
using Kind = Definition::Kind;

double nonNegative(double seconds) {
    return std::isfinite(seconds) ? std::max(seconds, 0.0) : 0.0;
}

} // namespace

namespace {

std::shared_ptr<const Definition> makeDefinition(Kind kind, double duration, auto fill) {
    Definition s;
    s.kind = kind;
    s.duration = nonNegative(duration);
    fill(s);
    return std::make_shared<const Definition>(std::move(s));
}

} // namespace

Action Action::custom(double durationSeconds, Step step) {
    return Action(
        makeDefinition(Kind::custom, durationSeconds, [&](Definition& s) { s.step = std::move(step); }));
}

Action Action::scaleTo(float scale, double durationSeconds) {
    return Action(makeDefinition(Kind::scaleTo, durationSeconds, [&](Definition& s) {
        s.target = {scale, scale, scale};
    }));
}

Action Action::moveTo(Vec3 position, double durationSeconds) {
    return Action(makeDefinition(Kind::moveTo, durationSeconds, [&](Definition& s) { s.target = position; }));
}

Action Action::fadeOut(double durationSeconds) {
    return Action(makeDefinition(Kind::fadeOut, durationSeconds, [](Definition&) {}));
}

Action Action::wait(double durationSeconds) {
    return Action(makeDefinition(Kind::wait, durationSeconds, [](Definition&) {}));
}

Action Action::run(Block block) {
    return Action(makeDefinition(Kind::run, 0.0, [&](Definition& s) { s.block = std::move(block); }));
}

Action Action::removeFromParent() {
    return Action(makeDefinition(Kind::removeFromParent, 0.0, [](Definition&) {}));
}

Action Action::sequence(std::vector<Action> actions) {
    double total = 0.0;
    for (const Action& a : actions)
        total += a.durationSeconds();
    return Action(
        makeDefinition(Kind::sequence, total, [&](Definition& s) { s.children = std::move(actions); }));
}

Action Action::group(std::vector<Action> actions) {
    double longest = 0.0;
    for (const Action& a : actions)
        longest = std::max(longest, a.durationSeconds());
    return Action(
        makeDefinition(Kind::group, longest, [&](Definition& s) { s.children = std::move(actions); }));
}

Action Action::withTiming(Timing timing) const {
    Definition copy = *definition_;
    copy.timing = timing;
    return Action(std::make_shared<const Definition>(std::move(copy)));
}

double Action::durationSeconds() const {
    return definition_->duration;
}

struct ActionRun::State {
    std::shared_ptr<const Definition> definition;
    bool started = false;
    bool finished = false;
    Vec3 startVector;
    float startOpacity = 1.0f;
    std::vector<State> children;

    explicit State(std::shared_ptr<const Definition> s) : definition(std::move(s)) {
        for (const Action& child : definition->children)
            children.emplace_back(child.definition_);
    }

    // The elapsed time as the timing paces it, within 0…duration. Linear time passes through
    // in double precision, so custom steps see exactly the times they were stepped at.
    double paced(double elapsed) const {
        const double d = definition->duration;
        if (elapsed >= d) return d;
        if (definition->timing == Timing::linear) return std::max(elapsed, 0.0);
        return double(applyTiming(definition->timing, float(std::max(elapsed, 0.0) / d))) * d;
    }

    bool advance(Node& node, double elapsed) {
        if (finished) return true;
        const bool first = !started;
        started = true;
        const bool atEnd = elapsed >= definition->duration;
        const double local = paced(elapsed);
        const float t = definition->duration > 0.0 ? float(local / definition->duration) : 1.0f;
        switch (definition->kind) {
        case Kind::custom:
            if (definition->step) definition->step(node, local);
            break;
        case Kind::scaleTo:
            if (first) startVector = node.scale();
            node.setScale(lerp(startVector, definition->target, t));
            break;
        case Kind::moveTo:
            if (first) startVector = node.position();
            node.setPosition(lerp(startVector, definition->target, t));
            break;
        case Kind::fadeOut:
            if (first) startOpacity = node.opacity();
            node.setOpacity(startOpacity * (1.0f - t));
            break;
        case Kind::wait:
            break;
        case Kind::run:
            if (definition->block) definition->block(node);
            break;
        case Kind::removeFromParent:
            node.removeFromParent();
            break;
        case Kind::sequence: {
            double offset = 0.0;
            for (State& child : children) {
                const double childDuration = child.definition->duration;
                // At the sequence's end every child gets its full time, so rounding in the
                // sum of durations cannot leave it one step short.
                const double childElapsed = atEnd ? childDuration : local - offset;
                if (!child.finished && (childElapsed < 0.0 || !child.advance(node, childElapsed))) break;
                offset += childDuration;
            }
            finished =
                std::all_of(children.begin(), children.end(), [](const State& c) { return c.finished; });
            return finished;
        }
        case Kind::group: {
            bool all = true;
            for (State& child : children)
                all = child.advance(node, local) && all;
            finished = all;
            return finished;
        }
        }
        finished = atEnd;
        return finished;
    }
};

ActionRun::ActionRun(const Action& action) : state_(std::make_unique<State>(action.definition_)) {}
ActionRun::~ActionRun() = default;
ActionRun::ActionRun(ActionRun&&) noexcept = default;
ActionRun& ActionRun::operator=(ActionRun&&) noexcept = default;

bool ActionRun::advance(Node& node, double elapsedSeconds) {
    return state_->advance(node, elapsedSeconds);
}

} // namespace vesk::scene
