#pragma once

class QWidget;

namespace vesk {

// The lit background of a task or completed row under the pointer: its whole rectangle,
// rounded, in the surface colour. Nothing while not hovered.
void paintRowBackground(QWidget& row, bool hovered);

} // namespace vesk
