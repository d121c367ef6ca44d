#pragma once

#include "shell/anim/Presence.hpp"

#include <QPainter>

namespace vesk {

// A painter on one of our painted views: smoothed, and drawing with the view's presence (its
// own fade and scale and its ancestors'), as every painted view draws.
class PresencePainter final : public QPainter {
  public:
    explicit PresencePainter(QWidget* view, RenderHints smoothing = Antialiasing) : QPainter(view) {
        setRenderHints(smoothing);
        Presence::apply(*this, view);
    }
};

} // namespace vesk
