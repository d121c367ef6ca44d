#include "shell/state/TourAnchor.hpp"

#include <QVariant>
#include <QWidget>

namespace vesk {

namespace {

constexpr char property[] = "veskTourTarget";

void collect(QWidget* view, std::map<TourTarget, QWidget*>& views) {
    if (const auto target = tourAnchorOf(view)) views[*target] = view;
    for (QObject* child : view->children()) {
        if (auto* widget = qobject_cast<QWidget*>(child);
            widget && !widget->isWindow() && widget->isVisibleTo(view))
            collect(widget, views);
    }
}

} // namespace

void tourAnchor(QWidget* view, std::optional<TourTarget> target) {
    if (target)
        view->setProperty(property, static_cast<int>(*target));
    else
        view->setProperty(property, QVariant());
}

std::optional<TourTarget> tourAnchorOf(const QWidget* view) {
    const QVariant value = view->property(property);
    if (!value.isValid()) return std::nullopt;
    return static_cast<TourTarget>(value.toInt());
}

std::map<TourTarget, QWidget*> tourAnchorViews(QWidget* root) {
    std::map<TourTarget, QWidget*> views;
    if (root) collect(root, views);
    return views;
}

} // namespace vesk
