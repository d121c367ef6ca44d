#pragma once

#include "shell/anim/Animated.hpp"
#include "shell/anim/Transition.hpp"

#include <QObject>
#include <QPointer>
#include <QTransform>
#include <QWidget>
#include <QWindow>
#include <functional>

class QPainter;

namespace vesk {

// The look one of our painted views draws with: the opacity of its own presence and of the
// presences above it, and its own presence's scale, in its own coordinates.
struct PaintEffect {
    double opacity = 1.0;
    QTransform transform;
};

// Inserts and removes a view with a transition: shown at once and faded, scaled or moved
// in; moved out and hidden at the end. While leaving it takes no clicks. Owned by the view
// it animates.
//
// A slide moves the view itself within its parent (a layout that places it meanwhile is
// followed). Our own controls paint their fade and their own scale (`apply`). A view that
// holds stock widgets (text fields, scroll areas), or a container that scales, fades and
// scales as a whole: while it is on the way, a picture of it, taken afresh every frame,
// stands in its place and the view itself, masked to nothing, keeps its place, its keyboard
// focus and its state. Never an effect over the subtree. A press on a view arriving as a
// picture makes it whole at once where it stands, so that the press reaches what was drawn
// there; the rest of its way it slides as itself.
class Presence final : public QObject {
    Q_OBJECT

  public:
    Presence(QWidget* view, Transition insertion, Transition removal, AnimationManager* manager = nullptr);

    // The same transition both ways.
    Presence(QWidget* view, Transition both, AnimationManager* manager = nullptr)
        : Presence(view, both, both, manager) {}
    ~Presence() override;

    static Presence* of(const QWidget* view);

    // How a view shows that has its presence as it is built: in place at once, or coming in
    // with the animation of the change that asked for it.
    enum class Arrival { inPlace, animated };
    static void attach(QWidget* view, Transition both, Arrival arrival);

    // Follows the current animation (`withAnimation`); without one, the change is at once
    // unless the transition has its own pace.
    void setPresent(bool present);
    bool isPresent() const { return present_; }
    // Called each time a removal has ended and the view is hidden.
    void setOnRemoved(std::function<void()> onRemoved) { onRemoved_ = std::move(onRemoved); }
    // Removes the view with its transition and destroys it once it has left (later, so that a
    // view may be dismissed from inside its own event); it gives up the keyboard as it goes.
    void dismiss();
    // A view that goes gives up the keyboard first, while all of it still stands.
    static void releaseFocus(QWidget* view);
    // 0 absent … 1 present.
    double presence() const { return amount_.value(); }

    // This view's own look now.
    Transition look() const;
    // Whether a picture stands in for the view now.
    bool showsPicture() const { return standIn_ != nullptr; }

    // What a painted view draws with, from its own and its ancestors' presences (those that
    // show a picture apply their look to the picture instead).
    static PaintEffect effectFor(const QWidget* view);
    // Sets the painter's opacity and transform to `view`'s effect.
    static void apply(QPainter& painter, const QWidget* view);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Whether a picture on screen is kept or taken anew.
    enum class Picture { kept, fresh };

    void changed();
    // Puts the view, or its picture, where the look says; a fresh picture when asked.
    void place(Picture picture);
    bool needsPicture(const Transition& look) const;
    // Shows the view's picture in its place, taken afresh when asked.
    void showPicture(Picture picture);
    // Shows the view itself.
    void hidePicture();
    void moveView(QPoint shift);
    // Watches the presses its window takes while a picture stands in for it on its way in.
    void watchPresses(bool watch);

    QWidget* view_;
    Transition insertion_;
    Transition removal_;
    bool present_;
    Animated<double> amount_;
    std::function<void()> onRemoved_;
    // How far the view stands from where its parent put it, and where that leaves it: a
    // view found elsewhere was placed anew by its parent.
    QPoint shift_;
    QPoint placedAt_;
    QPointer<QWidget> standIn_;
    QPointer<QWindow> pressesOf_;
    // Pressed on its way in: no fade or scale left.
    bool whole_ = false;
};

} // namespace vesk
