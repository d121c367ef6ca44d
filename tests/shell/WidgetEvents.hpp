#pragma once

#include <QCoreApplication>
#include <QEnterEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace vesk::test {

// Pointer input delivered straight to a widget, as the window system would.
inline void hover(QWidget* widget) {
    const QPointF centre = QRectF(widget->rect()).center();
    QEnterEvent event(centre, centre, widget->mapToGlobal(centre));
    QCoreApplication::sendEvent(widget, &event);
}

inline void unhover(QWidget* widget) {
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &event);
}

inline void mouse(QWidget* widget, QEvent::Type type, QPointF at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

inline void click(QWidget* widget) {
    const QPointF centre = QRectF(widget->rect()).center();
    mouse(widget, QEvent::MouseButtonPress, centre);
    mouse(widget, QEvent::MouseButtonRelease, centre);
}

// A click as the window system delivers it: to the window, which finds the widget under the
// point (`window` is shown).
inline void clickInWindow(QWidget& window, QPoint at) {
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent event(type, at, window.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(window.windowHandle(), &event);
    }
}

// Keys delivered straight to a widget: one press and release per key or character.
inline void pressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(widget, &release);
}

inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        pressKey(widget, c == ' ' ? Qt::Key_Space : Qt::Key_unknown, Qt::NoModifier, QString(c));
}

// The widget drawn over the tarnel's black, as the panel shows it.
inline QImage renderOnBlack(QWidget* widget) {
    widget->ensurePolished();
    if (widget->layout()) widget->layout()->activate();
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// Whether any pixel differs from plain black.
inline bool paintedSomething(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0) return true;
    return false;
}

} // namespace vesk::test
