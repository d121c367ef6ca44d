#include "shell/controls/PendingPicture.hpp"

#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace vesk::PendingPicture {

namespace {
constexpr const char* awaitingProperty = "vesk.awaitingPicture";
}

void mark(QWidget& view, bool awaiting) {
    view.setProperty(awaitingProperty, awaiting);
}

bool any(const QWidget& content) {
    const auto views = content.findChildren<QWidget*>();
    return std::any_of(views.begin(), views.end(), [](const QWidget* view) {
        return view->isVisible() && view->property(awaitingProperty).toBool();
    });
}

} // namespace vesk::PendingPicture
