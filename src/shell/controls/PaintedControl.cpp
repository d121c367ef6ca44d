#include "shell/controls/PaintedControl.hpp"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace vesk {

PaintedControl::PaintedControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void PaintedControl::click() {
    if (!isEnabled()) return;
    // The action may destroy this control (a row removed by its own button): copy it first.
    const auto action = action_;
    if (action) action();
}

void PaintedControl::setHovered(bool hovered) {
    if (hovered_ == hovered) return;
    hovered_ = hovered;
    interactionChanged();
}

void PaintedControl::setPressed(bool pressed) {
    if (pressed_ == pressed) return;
    pressed_ = pressed;
    interactionChanged();
}

void PaintedControl::enterEvent(QEnterEvent* event) {
    setHovered(true);
    QWidget::enterEvent(event);
}

void PaintedControl::leaveEvent(QEvent* event) {
    setHovered(false);
    setPressed(false);
    QWidget::leaveEvent(event);
}

void PaintedControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    setPressed(true);
    event->accept();
}

void PaintedControl::mouseMoveEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    setHovered(inside);
    if (!inside && (event->buttons() & Qt::LeftButton)) setPressed(false);
    QWidget::mouseMoveEvent(event);
}

void PaintedControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    const bool clicked = pressed_ && rect().contains(event->position().toPoint());
    setPressed(false);
    event->accept();
    if (clicked) click();
}

void PaintedControl::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PaintedControl::focusInEvent(QFocusEvent* event) {
    interactionChanged();
    QWidget::focusInEvent(event);
}

void PaintedControl::focusOutEvent(QFocusEvent* event) {
    interactionChanged();
    QWidget::focusOutEvent(event);
}

void PaintedControl::changeEvent(QEvent* event) {
    // A control disabled under the pointer drops its hover and press.
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        hovered_ = false;
        pressed_ = false;
        interactionChanged();
    }
    QWidget::changeEvent(event);
}

} // namespace vesk
