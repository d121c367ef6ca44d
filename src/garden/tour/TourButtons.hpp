#pragma once

#include <QMargins>
#include <functional>

class QWidget;

namespace vesk {

class PlainButton;
class TarnelUI;

// The buttons the tour's card and its bubble share: "Skip tour", quiet text that ends the
// tour, and the step's own, a capsule on the accent.
PlainButton* skipTourButton(TarnelUI& ui, double fontPoints, QWidget* parent);
PlainButton* tourStepButton(double fontPoints, const QMargins& padding, std::function<void()> action,
                            QWidget* parent);

} // namespace vesk
