#include "tabs/detail/SubtaskSection.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/CheckCircle.hpp"
#include "shell/controls/IconButton.hpp"
#include "shell/controls/SymbolLabel.hpp"
#include "shell/controls/TextField.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"
#include "tabs/detail/TaskDetailContent.hpp"
#include "tabs/detail/TaskTextBinding.hpp"

#include <QEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vesk {
namespace {

QHBoxLayout* rowLayout(QWidget* row) {
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(20, 0, 0, 0);
    layout->setSpacing(9);
    row->setFixedHeight(24);
    return layout;
}

} // namespace

SubtaskRow::SubtaskRow(Store& store, const TaskItem& subtask, QWidget* parent)
    : QWidget(parent), id_(subtask.id) {
    auto* layout = rowLayout(this);
    check_ = new CheckCircle(
        subtask.completedAt.has_value(), 14,
        [&store, id = id_] { withAnimation(Animation::tarnelFast, [&] { store.toggleDone(id); }); }, this);
    layout->addWidget(check_);
    title_ = new TextField("Subtask", Fonts::text(12.5), Theme::text(), this);
    bindTaskText(store, *title_, id_, TaskTextField::title);
    layout->addWidget(title_, 1);
    delete_ = new IconButton(
        "xmark", 8.5, Theme::text3(), "Delete subtask",
        [&store, id = id_] { withAnimation(Animation::tarnelFast, [&] { store.deleteTask(id); }); }, this);
    layout->addWidget(delete_);
    // Its own field's focus events, not the application's focus signal: a signal connection
    // lives until ~QObject, and a focused field destroyed with the row would call back into
    // the half-destroyed row; an event filter is dispatched as the object is at that moment.
    title_->installEventFilter(this);
    dimDelete();
    refresh(subtask);
}

void SubtaskRow::refresh(const TaskItem& subtask) {
    const bool done = subtask.completedAt.has_value();
    check_->setDone(done);
    if (title_->text().toStdString() != subtask.title) title_->setText(QString::fromStdString(subtask.title));
    title_->setTextColor(done ? Theme::text3() : Theme::text());
    title_->setStruckThrough(done);
}

bool SubtaskRow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == title_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        dimDelete();
    return QWidget::eventFilter(watched, event);
}

double SubtaskRow::deleteOpacity() const {
    return title_->hasFocus() ? 1.0 : 0.6;
}

void SubtaskRow::dimDelete() {
    QColor tint = Theme::text3();
    tint.setAlphaF(tint.alphaF() * deleteOpacity());
    delete_->setTint(tint);
}

SubtaskSection::SubtaskSection(Store& store, UUID parentID, QWidget* parent)
    : QWidget(parent), store_(store), parentID_(parentID) {
    auto* column = columnLayout(this, 4);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 2);
    header->setSpacing(6);
    auto* icon = new SymbolLabel("arrow.turn.down.right", 10, Theme::text3(), this);
    icon->setFixedWidth(14);
    header->addWidget(icon);
    header_ = new TextLabel("Subtasks", Fonts::text(11.5, FontWeight::medium), Theme::text3(), this);
    header->addWidget(header_, 1);
    column->addLayout(header);

    rows_ = columnLayout(nullptr, 4);
    column->addLayout(rows_);

    auto* addRow = new QWidget(this);
    auto* addLayout = rowLayout(addRow);
    auto* plus = new SymbolLabel("plus", 10, Theme::accent(), addRow);
    plus->setFixedWidth(14);
    addLayout->addWidget(plus);
    add_ = new TextField("Add subtask", Fonts::text(12.5), Theme::text(), addRow);
    addLayout->addWidget(add_, 1);
    column->addWidget(addRow);
    connect(add_, &QLineEdit::returnPressed, this, [this] {
        const std::string text = add_->text().toStdString();
        withAnimation(Animation::tarnelFast, [&] { store_.addTask(text, parentID_, std::nullopt); });
        add_->clear();
        add_->setFocus();
    });
}

SubtaskRow* SubtaskSection::row(const UUID& id) const {
    const auto found = rowsByID_.find(id);
    return found == rowsByID_.end() ? nullptr : found->second;
}

void SubtaskSection::refresh(const std::vector<TaskItem>& subtasks) {
    header_->setText(QString::fromStdString(subtaskHeader(subtasks)));
    std::map<UUID, SubtaskRow*> kept;
    for (std::size_t i = 0; i < subtasks.size(); ++i) {
        const TaskItem& subtask = subtasks[i];
        SubtaskRow* row = this->row(subtask.id);
        if (row) {
            row->refresh(subtask);
            rowsByID_.erase(subtask.id);
        } else {
            row = new SubtaskRow(store_, subtask, this);
        }
        if (rows_->indexOf(row) != int(i)) {
            rows_->removeWidget(row);
            rows_->insertWidget(int(i), row);
        }
        kept[subtask.id] = row;
    }
    // A row whose own button removed it is still inside that click: it goes later.
    for (auto& [id, row] : rowsByID_) {
        rows_->removeWidget(row);
        row->hide();
        row->deleteLater();
    }
    rowsByID_ = std::move(kept);
}

} // namespace vesk
