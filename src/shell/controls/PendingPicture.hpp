#pragma once

class QWidget;

namespace vesk::PendingPicture {

// A view whose picture comes late (a 3D view's first frame of its tree, a card's thumbnail)
// is marked while it has not come, so that a snapshot of the tarnel can wait for it.
enum class State { awaited, arrived };
void mark(QWidget& view, State state);
// Whether a view shown inside `content` still waits for its picture.
bool any(const QWidget& content);

} // namespace vesk::PendingPicture
