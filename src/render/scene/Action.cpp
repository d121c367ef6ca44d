#include "render/scene/Action.hpp"

#include "render/scene/Node.hpp"

#include <algorithm>
#include <cmath>

namespace vesk::scene {

struct Action::Spec {
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

using Spec = Action::Spec;
using Kind = Spec::Kind;

double nonNegative(double seconds) {
    return std::isfinite(seconds) ? std::max(seconds, 0.0) : 0.0;
}

} // namespace

namespace {

std::shared_ptr<const Spec> makeSpec(Kind kind, double duration, auto fill) {
    Spec s;
    s.kind = kind;
    s.duration = nonNegative(duration);
    fill(s);
    return std::make_shared<const Spec>(std::move(s));
}

} // namespace

Action Action::custom(double durationSeconds, Step step) {
    return Action(makeSpec(Kind::custom, durationSeconds, [&](Spec& s) { s.step = std::move(step); }));
}

Action Action::scaleTo(float scale, double durationSeconds) {
    return Action(makeSpec(Kind::scaleTo, durationSeconds, [&](Spec& s) {
        s.target = {scale, scale, scale};
    }));
}

Action Action::moveTo(Vec3 position, double durationSeconds) {
    return Action(makeSpec(Kind::moveTo, durationSeconds, [&](Spec& s) { s.target = position; }));
}

Action Action::fadeOut(double durationSeconds) {
    return Action(makeSpec(Kind::fadeOut, durationSeconds, [](Spec&) {}));
}

Action Action::wait(double durationSeconds) {
    return Action(makeSpec(Kind::wait, durationSeconds, [](Spec&) {}));
}

Action Action::run(Block block) {
    return Action(makeSpec(Kind::run, 0.0, [&](Spec& s) { s.block = std::move(block); }));
}

Action Action::removeFromParent() {
    return Action(makeSpec(Kind::removeFromParent, 0.0, [](Spec&) {}));
}

Action Action::sequence(std::vector<Action> actions) {
    double total = 0.0;
    for (const Action& a : actions)
        total += a.durationSeconds();
    return Action(makeSpec(Kind::sequence, total, [&](Spec& s) { s.children = std::move(actions); }));
}

Action Action::group(std::vector<Action> actions) {
    double longest = 0.0;
    for (const Action& a : actions)
        longest = std::max(longest, a.durationSeconds());
    return Action(makeSpec(Kind::group, longest, [&](Spec& s) { s.children = std::move(actions); }));
}

Action Action::withTiming(Timing timing) const {
    Spec copy = *spec_;
    copy.timing = timing;
    return Action(std::make_shared<const Spec>(std::move(copy)));
}

double Action::durationSeconds() const {
    return spec_->duration;
}

struct ActionRun::State {
    std::shared_ptr<const Spec> spec;
    bool started = false;
    bool finished = false;
    Vec3 startVector;
    float startOpacity = 1.0f;
    std::vector<State> children;

    explicit State(std::shared_ptr<const Spec> s) : spec(std::move(s)) {
        for (const Action& child : spec->children)
            children.emplace_back(child.spec_);
    }

    // The elapsed time as the timing paces it, within 0…duration. Linear time passes through
    // in double precision, so custom steps see exactly the times they were stepped at.
    double paced(double elapsed) const {
        const double d = spec->duration;
        if (elapsed >= d) return d;
        if (spec->timing == Timing::linear) return std::max(elapsed, 0.0);
        return double(applyTiming(spec->timing, float(std::max(elapsed, 0.0) / d))) * d;
    }

    bool advance(Node& node, double elapsed) {
        if (finished) return true;
        const bool first = !started;
        started = true;
        const bool atEnd = elapsed >= spec->duration;
        const double local = paced(elapsed);
        const float t = spec->duration > 0.0 ? float(local / spec->duration) : 1.0f;
        switch (spec->kind) {
        case Kind::custom:
            if (spec->step) spec->step(node, local);
            break;
        case Kind::scaleTo:
            if (first) startVector = node.scale();
            node.setScale(lerp(startVector, spec->target, t));
            break;
        case Kind::moveTo:
            if (first) startVector = node.position();
            node.setPosition(lerp(startVector, spec->target, t));
            break;
        case Kind::fadeOut:
            if (first) startOpacity = node.opacity();
            node.setOpacity(startOpacity * (1.0f - t));
            break;
        case Kind::wait:
            break;
        case Kind::run:
            if (spec->block) spec->block(node);
            break;
        case Kind::removeFromParent:
            node.removeFromParent();
            break;
        case Kind::sequence: {
            double offset = 0.0;
            for (State& child : children) {
                const double childDuration = child.spec->duration;
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

ActionRun::ActionRun(const Action& action) : state_(std::make_unique<State>(action.spec_)) {}
ActionRun::~ActionRun() = default;
ActionRun::ActionRun(ActionRun&&) noexcept = default;
ActionRun& ActionRun::operator=(ActionRun&&) noexcept = default;

bool ActionRun::advance(Node& node, double elapsedSeconds) {
    return state_->advance(node, elapsedSeconds);
}

} // namespace vesk::scene
