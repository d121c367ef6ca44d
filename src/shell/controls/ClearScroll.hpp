#pragma once

class QScrollArea;
class QWidget;

namespace vesk {

// A vertical scroll area with no frame, no scroll bars and no fill, over the tarnel's black,
// showing `content` at its width. Transparent through the palette: a style sheet would also
// reach the tooltips of everything inside.
QScrollArea* clearScrollArea(QWidget* content, QWidget* parent);

} // namespace vesk
