#pragma once

#include <QColor>

namespace vesk {

// The one palette of the tarnel. Surfaces and text are warm whites laid over the black
// at reduced opacity; five soft tints mark state. Views take every colour from here (plus
// plain black and white). The springs live beside it, on `Animation`.
struct Theme {
    Theme() = delete;

    static const QColor& tarnel();    // plain black: the tarnel shape and the reveal satellite
    static const QColor& surface();   // resting fill of chips, segments, rows, cards
    static const QColor& surfaceHi(); // hovered or selected fill
    static const QColor& hairline();  // thin outlines of tree cards
    static const QColor& text();      // primary text and icons
    static const QColor& text2();     // secondary text and icons
    static const QColor& text3();     // tertiary text, placeholders, idle marks
    static const QColor& accent();    // the bonsai's green: completion, today
    static const QColor& focus();     // the focus phase of the timer
    static const QColor& rest();      // the break phase of the timer
    static const QColor& star();      // starred tasks, seedling unlocks
    static const QColor& danger();    // overdue dates
    static const QColor& shadow();    // soft shadows under captions and cards, at their darkest
    static const QColor& veil();      // the tour's dim over the tarnel around its spotlight
    static const QColor& bubble();    // the tour's near-black bubble
};

} // namespace vesk
