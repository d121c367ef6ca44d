#include "garden/tour/TourButtons.hpp"

#include "shell/controls/PlainButton.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

namespace vesk {

PlainButton* skipTourButton(TarnelUI& ui, double fontPoints, QWidget* parent) {
    auto* skip = new PlainButton(parent);
    skip->setText("Skip tour");
    skip->setFont(Fonts::text(fontPoints));
    skip->setColors(Theme::text3(), Theme::text2());
    skip->setFills(Qt::transparent, Qt::transparent);
    skip->setAction([&ui] { ui.finishTour(); });
    return skip;
}

PlainButton* tourStepButton(double fontPoints, const QMargins& padding, std::function<void()> action,
                            QWidget* parent) {
    auto* button = new PlainButton(parent);
    button->setFont(Fonts::text(fontPoints, FontWeight::semibold));
    button->setColors(Qt::black, Qt::black);
    button->setFills(Theme::accent(), Theme::accent());
    button->setCornerRadius(-1);
    button->setPadding(padding);
    button->setAction(std::move(action));
    return button;
}

} // namespace vesk
