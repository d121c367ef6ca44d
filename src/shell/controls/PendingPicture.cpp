#include "shell/controls/PendingPicture.hpp"

#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace vesk::PendingPicture {

namespace {
constexpr const char* awaitingProperty = "vesk.awaitingPicture";
}

void mark(QWidget& view, State state) {
    view.setProperty(awaitingProperty, state == State::awaited);
}

bool any(const QWidget& content) {
    const auto views = content.findChildren<QWidget*>();
    return std::any_of(views.begin(), views.end(), [](const QWidget* view) {
        return view->isVisible() && view->property(awaitingProperty).toBool();
    });
}

} // namespace vesk::PendingPicture
