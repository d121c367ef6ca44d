#pragma once

#include "shell/state/Tour.hpp"

#include <map>
#include <optional>

class QWidget;

namespace vesk {

// Marks `view` as the thing `target` spotlights; none unmarks it, so that a view can pass
// its target through unchanged structure (only the tour task's row marks its check).
void tourAnchor(QWidget* view, std::optional<TourTarget> target);
std::optional<TourTarget> tourAnchorOf(const QWidget* view);

// The marked views that are on screen under `root`. When two views carry the same target,
// the later one in view order wins.
std::map<TourTarget, QWidget*> tourAnchorViews(QWidget* root);

} // namespace vesk
