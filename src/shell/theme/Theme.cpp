#include "shell/theme/Theme.hpp"

namespace vesk {

namespace {

// Surfaces and rules share one warm white, text a slightly greyer one; each member is the
// base at full strength with its own opacity on top.
QColor warmWhite(float alpha) {
    return QColor::fromRgbF(1.0f, 0.96f, 0.9f, alpha);
}
QColor warmGrey(float alpha) {
    return QColor::fromRgbF(0.96f, 0.94f, 0.9f, alpha);
}

} // namespace

// Function-local statics: made once on first use, safely even from two threads.
const QColor& Theme::tarnel() {
    static const QColor c = QColor::fromRgbF(0, 0, 0, 1);
    return c;
}
const QColor& Theme::surface() {
    static const QColor c = warmWhite(0.055f);
    return c;
}
const QColor& Theme::surfaceHi() {
    static const QColor c = warmWhite(0.1f);
    return c;
}
const QColor& Theme::hairline() {
    static const QColor c = warmWhite(0.09f);
    return c;
}
const QColor& Theme::text() {
    static const QColor c = warmGrey(0.94f);
    return c;
}
const QColor& Theme::text2() {
    static const QColor c = warmGrey(0.56f);
    return c;
}
const QColor& Theme::text3() {
    static const QColor c = warmGrey(0.3f);
    return c;
}
const QColor& Theme::accent() {
    static const QColor c = QColor::fromRgbF(0.58f, 0.8f, 0.55f, 1);
    return c;
}
const QColor& Theme::focus() {
    static const QColor c = QColor::fromRgbF(0.93f, 0.42f, 0.3f, 1);
    return c;
}
const QColor& Theme::rest() {
    static const QColor c = QColor::fromRgbF(0.55f, 0.8f, 0.74f, 1);
    return c;
}
const QColor& Theme::star() {
    static const QColor c = QColor::fromRgbF(0.93f, 0.76f, 0.4f, 1);
    return c;
}
const QColor& Theme::danger() {
    static const QColor c = QColor::fromRgbF(0.95f, 0.42f, 0.38f, 1);
    return c;
}
const QColor& Theme::shadow() {
    static const QColor c = QColor::fromRgbF(0, 0, 0, 0.6f);
    return c;
}
const QColor& Theme::veil() {
    static const QColor c = QColor::fromRgbF(0, 0, 0, 0.62f);
    return c;
}
const QColor& Theme::bubble() {
    static const QColor c = QColor::fromRgbF(0.07f, 0.07f, 0.07f);
    return c;
}

} // namespace vesk
