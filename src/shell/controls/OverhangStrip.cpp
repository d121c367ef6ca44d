#include "shell/controls/OverhangStrip.hpp"

#include <QEvent>

namespace vesk {

OverhangStrip::OverhangStrip(int height, QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedHeight(height);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void OverhangStrip::addControl(QWidget* control) {
    control->setParent(parentWidget());
    control->installEventFilter(this);
    controls_.push_back(control);
    updateGeometry();
    place();
}

QSize OverhangStrip::sizeHint() const {
    int width = 0;
    for (const QWidget* control : controls_)
        if (!control->isHidden()) width += control->width();
    return {width, height()};
}

bool OverhangStrip::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
        updateGeometry();
        place();
    }
    return QWidget::eventFilter(watched, event);
}

void OverhangStrip::moveEvent(QMoveEvent*) {
    place();
}

void OverhangStrip::resizeEvent(QResizeEvent*) {
    place();
}

void OverhangStrip::place() {
    // Trailing-aligned, as the strip's own width may lag a visibility change by a layout pass.
    int x = geometry().right() + 1;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        QWidget* control = *it;
        if (control->isHidden()) continue;
        x -= control->width();
        control->move(x, y() + (height() - control->height()) / 2);
        control->raise();
    }
}

} // namespace vesk
