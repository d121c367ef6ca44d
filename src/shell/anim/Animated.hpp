#pragma once

#include "shell/anim/AnimatedScalar.hpp"
#include "shell/anim/AnimationManager.hpp"
#include "shell/anim/Transaction.hpp"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <algorithm>
#include <array>
#include <functional>
#include <utility>

namespace vesk {

// How a value type splits into numbers that animate one by one.
template <class T> struct AnimatableTraits;

template <> struct AnimatableTraits<double> {
    static constexpr int size = 1;
    static std::array<double, 1> split(double v) { return {v}; }
    static double join(const std::array<double, 1>& a) { return a[0]; }
};

template <> struct AnimatableTraits<QPointF> {
    static constexpr int size = 2;
    static std::array<double, 2> split(QPointF p) { return {p.x(), p.y()}; }
    static QPointF join(const std::array<double, 2>& a) { return {a[0], a[1]}; }
};

template <> struct AnimatableTraits<QSizeF> {
    static constexpr int size = 2;
    static std::array<double, 2> split(QSizeF s) { return {s.width(), s.height()}; }
    static QSizeF join(const std::array<double, 2>& a) { return {a[0], a[1]}; }
};

template <> struct AnimatableTraits<QRectF> {
    static constexpr int size = 4;
    static std::array<double, 4> split(const QRectF& r) { return {r.x(), r.y(), r.width(), r.height()}; }
    static QRectF join(const std::array<double, 4>& a) { return {a[0], a[1], a[2], a[3]}; }
};

template <> struct AnimatableTraits<QColor> {
    static constexpr int size = 4;
    static std::array<double, 4> split(const QColor& c) {
        return {c.redF(), c.greenF(), c.blueF(), c.alphaF()};
    }
    static QColor join(const std::array<double, 4>& a) {
        auto unit = [](double v) { return static_cast<float>(std::clamp(v, 0.0, 1.0)); };
        return QColor::fromRgbF(unit(a[0]), unit(a[1]), unit(a[2]), unit(a[3]));
    }
};

// A value a view draws, moved by the animation manager. `set` follows the current
// animation (`withAnimation`) and jumps outside one; `onChange` runs after every step,
// typically the owning widget's `update()`.
template <class T> class Animated final : public AnimationChannel {
    using Traits = AnimatableTraits<T>;

  public:
    explicit Animated(T initial = T{}, std::function<void()> onChange = {},
                      AnimationManager* manager = nullptr)
        : manager_(manager ? manager : &AnimationManager::shared()), onChange_(std::move(onChange)) {
        const auto parts = Traits::split(initial);
        for (int i = 0; i < Traits::size; ++i)
            scalars_[i].jump(parts[i]);
    }
    ~Animated() override { manager_->stop(this); }
    Animated(const Animated&) = delete;
    Animated& operator=(const Animated&) = delete;

    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }
    // While it moves, `onChange` runs at most this often (a small or slow motion that need
    // not redraw at every frame); the step that brings it to rest always runs. 0: every frame.
    void setFrameRate(double framesPerSecond) {
        minimumStepSeconds_ = framesPerSecond > 0 ? 1 / framesPerSecond : 0;
    }

    // The smallest change of a component that shows: the motion stops once what is left of
    // it is smaller (see AnimatedScalar::setRestTolerance).
    void setResolution(double smallestVisibleChange) {
        for (auto& scalar : scalars_)
            scalar.setRestTolerance(smallestVisibleChange);
    }

    T value() const {
        return join([](const AnimatedScalar& s) { return s.value(); });
    }
    T target() const {
        return join([](const AnimatedScalar& s) { return s.target(); });
    }
    bool isAnimating() const {
        return std::any_of(scalars_.begin(), scalars_.end(),
                           [](const AnimatedScalar& s) { return s.isAnimating(); });
    }

    void set(const T& target) {
        if (const auto animation = currentAnimation())
            animate(target, *animation);
        else
            jump(target);
    }

    void animate(const T& target, const Animation& animation) {
        const double now = manager_->now();
        const auto parts = Traits::split(target);
        bool moving = false;
        for (int i = 0; i < Traits::size; ++i) {
            scalars_[i].animate(parts[i], animation, now);
            moving = moving || scalars_[i].isAnimating();
        }
        if (moving)
            manager_->start(this);
        else
            manager_->stop(this);
        changed();
    }

    void jump(const T& value) {
        const auto parts = Traits::split(value);
        for (int i = 0; i < Traits::size; ++i)
            scalars_[i].jump(parts[i]);
        manager_->stop(this);
        changed();
    }

    double frameIntervalSeconds() const override {
        return std::max(minimumStepSeconds_, AnimationChannel::frameIntervalSeconds());
    }

    bool advance(double nowSeconds) override {
        bool moving = false;
        for (auto& scalar : scalars_)
            moving = scalar.advance(nowSeconds) || moving;
        // Half a frame early still counts: the timer that paces the steps is not exact.
        if (moving && nowSeconds - lastStepSeconds_ < minimumStepSeconds_ - 1.0 / 120) return true;
        lastStepSeconds_ = nowSeconds;
        changed();
        return moving;
    }

  private:
    template <class Read> T join(Read read) const {
        std::array<double, Traits::size> parts{};
        for (int i = 0; i < Traits::size; ++i)
            parts[i] = read(scalars_[i]);
        return Traits::join(parts);
    }

    void changed() {
        if (onChange_) onChange_();
    }

    AnimationManager* manager_;
    std::function<void()> onChange_;
    std::array<AnimatedScalar, Traits::size> scalars_;
    double minimumStepSeconds_ = 0;
    double lastStepSeconds_ = -1e9;
};

} // namespace vesk
