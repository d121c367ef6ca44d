#pragma once

#include <QCoreApplication>
#include <QEnterEvent>
#include <QImage>
#include <QLayout>
#include <QMouseEvent>
#include <QWidget>

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
