#include "tabs/detail/TaskTextBinding.hpp"

#include "core/store/Store.hpp"
#include "shell/controls/TextField.hpp"

#include <algorithm>

namespace vesk {

void writeTaskText(Store& store, const UUID& id, TaskTextField field, const std::string& text) {
    const auto& tasks = store.tasks.get();
    const auto found =
        std::find_if(tasks.begin(), tasks.end(), [&](const TaskItem& t) { return t.id == id; });
    if (found == tasks.end()) return;
    const std::string& current = field == TaskTextField::title ? found->title : found->notes;
    if (current == text) return;
    const auto index = std::size_t(found - tasks.begin());
    store.tasks.update([&](std::vector<TaskItem>& all) {
        (field == TaskTextField::title ? all[index].title : all[index].notes) = text;
    });
    store.syncTicker();
    store.scheduleSave();
}

void bindTaskText(Store& store, TextField& field, const UUID& id, TaskTextField which) {
    QObject::connect(&field, &QLineEdit::textEdited, &field, [&store, id, which](const QString& text) {
        writeTaskText(store, id, which, text.toStdString());
    });
}

void bindTaskText(Store& store, GrowingTextEdit& field, const UUID& id, TaskTextField which) {
    // Also fires when the view shows the store's text; writing the same text is a no-op.
    QObject::connect(&field, &QPlainTextEdit::textChanged, &field, [&store, &field, id, which] {
        writeTaskText(store, id, which, field.toPlainText().toStdString());
    });
}

} // namespace vesk
