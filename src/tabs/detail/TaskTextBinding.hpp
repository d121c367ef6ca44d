#pragma once

#include "core/model/Uuid.hpp"

#include <string>

namespace vesk {

class GrowingTextEdit;
class Store;
class TextField;

enum class TaskTextField { title, notes };

// Typed text goes straight into the store's task on every keystroke, then the ticker check
// and a debounced save; no undo step, no growth. A task that is gone takes nothing.
void writeTaskText(Store& store, const UUID& id, TaskTextField field, const std::string& text);

// Connects a field so that the user's edits are written as above.
void bindTaskText(Store& store, TextField& field, const UUID& id, TaskTextField which);
void bindTaskText(Store& store, GrowingTextEdit& field, const UUID& id, TaskTextField which);

} // namespace vesk
