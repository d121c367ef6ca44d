#include "render/scene/Node.hpp"

#include <algorithm>
#include <cmath>

namespace vesk::scene {

namespace {

// Starts a blend of one property when a transaction animates the change, or ends it.
template <class T> void retarget(std::optional<Tween<T>>& tween, const T& shown) {
    if (const auto settings = Transaction::animating()) {
        Tween<T> fresh;
        fresh.from = shown;
        fresh.durationSeconds = settings->durationSeconds;
        fresh.timing = settings->timing;
        tween = fresh;
    } else {
        tween.reset();
    }
}

Vec3 blend(const std::optional<Tween<Vec3>>& tween, Vec3 model) {
    return tween ? lerp(tween->from, model, tween->progress) : model;
}

// The orientation that turns the frame (front, up) onto (direction, upHint).
Quat basisFacing(Vec3 front, Vec3 up) {
    const Vec3 z = normalized(front * -1.0f);
    Vec3 x = cross(up, z);
    if (dot(x, x) < 1e-12f) x = cross(std::fabs(z.y) < 0.9f ? Vec3{0, 1, 0} : Vec3{1, 0, 0}, z);
    x = normalized(x);
    const Vec3 y = cross(z, x);
    return Quat::fromBasis(x, y, z);
}

} // namespace

std::shared_ptr<Node> Node::make(std::string name) {
    auto node = std::shared_ptr<Node>(new Node());
    node->name = std::move(name);
    return node;
}

// Children that outlive their parent (held elsewhere) must not keep pointing at it.
Node::~Node() {
    for (const auto& child : children_)
        child->parent_ = nullptr;
}

void Node::setPosition(Vec3 p) {
    retarget(positionTween_, presentedPosition());
    position_ = p;
}

void Node::setOrientation(Quat q) {
    retarget(orientationTween_, presentedOrientation());
    orientation_ = normalized(q);
}

void Node::setScale(Vec3 s) {
    retarget(scaleTween_, presentedScale());
    scale_ = s;
}

void Node::setOpacity(float o) {
    retarget(opacityTween_, presentedOpacity());
    opacity_ = std::clamp(o, 0.0f, 1.0f);
}

void Node::lookAt(Vec3 target, Vec3 up, Vec3 localFront) {
    const Vec3 direction = target - position_;
    if (dot(direction, direction) < 1e-12f) return;
    // The orientation turning localFront onto the direction: the basis facing the direction,
    // composed with the inverse of the basis that localFront itself faces.
    const Quat toDirection = basisFacing(direction, up);
    const Quat fromFront = basisFacing(localFront, {0.0f, 1.0f, 0.0f});
    setOrientation(toDirection * fromFront.conjugate());
}

Vec3 Node::presentedPosition() const {
    return blend(positionTween_, position_);
}
Vec3 Node::presentedScale() const {
    return blend(scaleTween_, scale_);
}

Quat Node::presentedOrientation() const {
    return orientationTween_ ? slerp(orientationTween_->from, orientation_, orientationTween_->progress)
                             : orientation_;
}

float Node::presentedOpacity() const {
    return opacityTween_ ? opacityTween_->from + (opacity_ - opacityTween_->from) * opacityTween_->progress
                         : opacity_;
}

Mat4 Node::localTransform() const {
    return Mat4::compose(presentedPosition(), presentedOrientation(), presentedScale());
}

Mat4 Node::worldTransform() const {
    const Mat4 local = localTransform();
    return parent_ ? parent_->worldTransform() * local : local;
}

void Node::addChild(std::shared_ptr<Node> child) {
    if (!child || child.get() == this || isDescendantOf(*child)) return;
    auto keep = child;
    child->removeFromParent();
    child->parent_ = this;
    children_.push_back(std::move(keep));
}

void Node::removeFromParent() {
    if (!parent_) return;
    Node* parent = parent_;
    parent_ = nullptr;
    std::erase_if(parent->children_, [this](const std::shared_ptr<Node>& c) { return c.get() == this; });
}

void Node::removeAllChildren() {
    for (const auto& child : children_)
        child->parent_ = nullptr;
    children_.clear();
}

bool Node::isDescendantOf(const Node& ancestor) const {
    for (const Node* n = parent_; n; n = n->parent_)
        if (n == &ancestor) return true;
    return false;
}

void Node::runAction(const Action& action, std::string key, std::function<void()> completion) {
    if (!key.empty()) removeAction(key);
    actions_.push_back(std::make_shared<RunningAction>(RunningAction{
        ++lastSerial_, std::move(key), ActionRun(action), std::move(completion), std::nullopt}));
}

void Node::removeAction(const std::string& key) {
    std::erase_if(actions_, [&key](const auto& a) { return !key.empty() && a->key == key; });
}

bool Node::hasAction(const std::string& key) const {
    return std::any_of(actions_.begin(), actions_.end(), [&key](const auto& a) { return a->key == key; });
}

void Node::addParticleSystem(std::shared_ptr<ParticleSystem> system) {
    if (system) particles_.push_back(std::move(system));
}

void Node::stepActions(double time) {
    // A step may add or remove actions of this node (a completion starting the next one, a
    // custom step removing itself): work from a snapshot and re-check each entry.
    const auto snapshot = actions_;
    for (const auto& entry : snapshot) {
        const bool stillRunning = std::find(actions_.begin(), actions_.end(), entry) != actions_.end();
        if (!stillRunning) continue;
        if (!entry->startSeconds) entry->startSeconds = time;
        if (!entry->run.advance(*this, time - *entry->startSeconds)) continue;
        const auto it = std::find(actions_.begin(), actions_.end(), entry);
        if (it == actions_.end()) continue; // removed by its own last step
        actions_.erase(it);
        if (entry->completion) entry->completion();
    }
}

void Node::step(double time) {
    stepActions(time);
    if (positionTween_ && !positionTween_->step(time)) positionTween_.reset();
    if (orientationTween_ && !orientationTween_->step(time)) orientationTween_.reset();
    if (scaleTween_ && !scaleTween_->step(time)) scaleTween_.reset();
    if (opacityTween_ && !opacityTween_->step(time)) opacityTween_.reset();
    if (!particles_.empty()) {
        const Mat4 world = worldTransform();
        for (const auto& system : particles_)
            system->step(time, world);
        std::erase_if(particles_, [](const auto& s) { return s->finished(); });
    }
}

} // namespace vesk::scene
