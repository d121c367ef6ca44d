#include "render/scene/Transaction.hpp"

namespace vesk::scene {

namespace {
thread_local Transaction* current = nullptr;
}

Transaction::Transaction(Settings settings) : settings_(settings), outer_(current) {
    current = this;
}

Transaction::~Transaction() {
    current = outer_;
}

std::optional<Transaction::Settings> Transaction::animating() {
    if (!current || current->settings_.disableActions || current->settings_.durationSeconds <= 0.0)
        return std::nullopt;
    return current->settings_;
}

} // namespace vesk::scene
