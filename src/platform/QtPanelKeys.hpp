#pragma once

#include "platform/PanelKeys.hpp"

class QKeyEvent;

namespace vesk {

// The toolkit-free form of a key event for the tarnel's key table.
PanelKeyPress panelKeyPress(const QKeyEvent& event);

} // namespace vesk
