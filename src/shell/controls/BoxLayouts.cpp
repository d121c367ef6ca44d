#include "shell/controls/BoxLayouts.hpp"

namespace vesk {

namespace {

template <class Layout> Layout* edgeToEdge(QWidget* host, int spacing) {
    auto* layout = new Layout(host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

} // namespace

QHBoxLayout* rowLayout(QWidget* host, int spacing) {
    return edgeToEdge<QHBoxLayout>(host, spacing);
}

QVBoxLayout* columnLayout(QWidget* host, int spacing) {
    return edgeToEdge<QVBoxLayout>(host, spacing);
}

} // namespace vesk
