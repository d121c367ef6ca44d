#include "tabs/detail/TaskTextBinding.hpp"

#include "core/model/TaskViews.hpp"
#include "core/store/Store.hpp"
#include "shell/controls/TextField.hpp"

namespace vesk {

void writeTaskText(Store& store, const UUID& id, TaskTextField field, const std::string& text) {
    const auto member = field == TaskTextField::title ? &TaskItem::title : &TaskItem::notes;
    const auto task = taskWithID(store.tasks.get(), id);
    // The same text saves nothing: a field also reports the text the view put in it.
    if (task && task.value().*member != text) store.update(id, [&](TaskItem& item) { item.*member = text; });
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
