#pragma once

#include "shell/anim/Animated.hpp"
#include "shell/anim/Transition.hpp"

#include <QObject>
#include <QTransform>
#include <QWidget>
#include <functional>

class QPainter;

namespace vesk {

// The look a view paints with: its own presence and that of every ancestor, in its own
// coordinates. Painted opacity, never an effect over the subtree, so that GL views inside
// stay untouched.
struct PaintEffect {
    double opacity = 1.0;
    QTransform transform;
};

// Inserts and removes a view with a transition: shown at once and faded, scaled or moved
// in; moved out and hidden at the end. While leaving it takes no clicks. Owned by the view
// it animates.
class Presence final : public QObject {
    Q_OBJECT

  public:
    Presence(QWidget* view, Transition insertion, Transition removal, AnimationManager* manager = nullptr);

    // The same transition both ways.
    Presence(QWidget* view, Transition both, AnimationManager* manager = nullptr)
        : Presence(view, both, both, manager) {}

    static Presence* of(const QWidget* view);

    // Follows the current animation (`withAnimation`); without one, the change is at once
    // unless the transition has its own pace.
    void setPresent(bool present);
    bool isPresent() const { return present_; }
    // Called each time a removal has ended and the view is hidden.
    void setOnRemoved(std::function<void()> onRemoved) { onRemoved_ = std::move(onRemoved); }
    // 0 absent … 1 present.
    double presence() const { return amount_.value(); }

    // This view's own look now.
    Transition look() const;

    // Everything `view` must paint with, from its own and its ancestors' presences.
    static PaintEffect effectFor(const QWidget* view);
    // Sets the painter's opacity and transform to `view`'s effect.
    static void apply(QPainter& painter, const QWidget* view);

  private:
    void changed();

    QWidget* view_;
    Transition insertion_;
    Transition removal_;
    bool present_;
    Animated<double> amount_;
    std::function<void()> onRemoved_;
};

} // namespace vesk
