#include "shell/state/TourAnchor.hpp"

#include <QVariant>
#include <QWidget>

namespace vesk {

namespace {

constexpr char property[] = "veskTourTarget";

void collect(const QWidget* view, const QWidget* space, std::map<TourTarget, QRectF>& rects) {
    if (const auto target = tourAnchorOf(view)) {
        const QPoint origin = view->mapTo(space->window(), QPoint(0, 0));
        const QPoint spaceOrigin = space->mapTo(space->window(), QPoint(0, 0));
        rects[*target] = QRectF(origin - spaceOrigin, QSizeF(view->size()));
    }
    for (const QObject* child : view->children()) {
        if (const auto* widget = qobject_cast<const QWidget*>(child);
            widget && !widget->isWindow() && widget->isVisibleTo(view))
            collect(widget, space, rects);
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

std::map<TourTarget, QRectF> tourAnchorRects(const QWidget* root, const QWidget* space) {
    std::map<TourTarget, QRectF> rects;
    if (root && space && root->window() == space->window()) collect(root, space, rects);
    return rects;
}

} // namespace vesk
