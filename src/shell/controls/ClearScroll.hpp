#pragma once

class QScrollArea;
class QWidget;

namespace vesk {

// A vertical scroll area with no frame, no scroll bars and no fill, over the tarnel's black,
// showing `content` at its width; it never takes the keyboard. Transparent through the
// palette: a style sheet would also reach the tooltips of everything inside.
QScrollArea* clearScrollArea(QWidget* content, QWidget* parent);

// The scroll position that shows the span from `top` to `bottom` of the content in a view
// `shownHeight` high now scrolled to `shownTop`, moving as little as it can; its top wins when
// the span is taller than the view.
int scrollToShow(int top, int bottom, int shownTop, int shownHeight);

} // namespace vesk
