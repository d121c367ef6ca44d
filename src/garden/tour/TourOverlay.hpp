#pragma once

#include "garden/tour/TourContent.hpp"
#include "shell/anim/Animated.hpp"
#include "shell/state/ContentBinding.hpp"

#include <QPointer>
#include <QWidget>
#include <utility>

class QVBoxLayout;

namespace vesk {

class TarnelUI;
class TextLabel;
class WrappedText;

// Laid over the whole open tarnel from the task step on: the panel dimmed but for a
// rounded hole over the step's target, a ring pulsing round the hole, and a bubble with
// the step's words, five dots, "Skip tour" and the step's button. Clicks in the hole reach
// the target beneath; clicks on the dim do nothing.
class TourOverlay final : public QWidget {
  public:
    TourOverlay(TarnelUI& ui, QWidget* parent);

    std::optional<TourRect> hole() const { return hole_; }
    QWidget* bubble() const { return bubble_; }
    double pulse() const { return pulse_.value(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void showStep(TourStep step);
    // Looks the target up again: the panel below may have moved it.
    void track();
    QRect frameOf(const QWidget* view) const;
    // Hands a press or release in the margin to the pressed target, at its nearest point.
    void handOn(QMouseEvent* event);

    TarnelUI& ui_;
    TourStep shownStep_ = TourStep::completeTask;
    std::optional<TourRect> hole_;
    QPointer<QWidget> target_;
    QPointer<QWidget> pressedTarget_;
    QWidget* bubble_;
    TextLabel* title_;
    WrappedText* body_;
    std::vector<QWidget*> dots_;
    class PlainButton* stepButton_;
    Animated<double> pulse_;
    ContentBinding<std::pair<TourStep, bool>> step_; // the step shown, and whether the hot key is ours
};

} // namespace vesk
