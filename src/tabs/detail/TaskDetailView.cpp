#include "tabs/detail/TaskDetailView.hpp"

#include "core/model/TaskViews.hpp"
#include "core/store/Store.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/ClearScroll.hpp"
#include "shell/controls/IconButton.hpp"
#include "shell/controls/SymbolLabel.hpp"
#include "shell/controls/TextField.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"
#include "tabs/detail/DueDateSection.hpp"
#include "tabs/detail/ListMenuButton.hpp"
#include "tabs/detail/SubtaskSection.hpp"
#include "tabs/detail/TaskDetailContent.hpp"
#include "tabs/detail/TaskTextBinding.hpp"
#include "tabs/tasks/TasksContent.hpp"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace vesk {

TaskDetailView::TaskDetailView(Store& store, TarnelUI& ui, ViewServices services, UUID id, QWidget* parent)
    : QWidget(parent), store_(store), ui_(ui), services_(services), id_(id) {
    auto* column = columnLayout(this, 12);

    auto* toolbar = new QHBoxLayout;
    toolbar->setSpacing(4);
    auto icon = [this, toolbar](const char* symbol, double size, const char* help,
                                std::function<void()> action) {
        auto* button = new IconButton(symbol, size, Theme::text2(), help, std::move(action), this);
        button->setObjectName(symbol);
        toolbar->addWidget(button);
        return button;
    };
    icon("chevron.left", 12, "Back",
         [this] { withAnimation(Animation::tarnelFast, [&] { ui_.closeDetail(); }); });
    listMenu_ = new ListMenuButton([this](const UUID& list) { store_.move(id_, list); }, this);
    toolbar->addWidget(listMenu_);
    toolbar->addStretch(1);
    icon("play.fill", 10.5, "Start pomodoro on this task", [this] { startTimer(TimerMode::pomodoro); });
    icon("stopwatch", 11.5, "Start stopwatch on this task", [this] { startTimer(TimerMode::stopwatch); });
    star_ = icon("star", 12, "Star", [this] { store_.toggleStar(id_); });
    icon("trash", 11.5, "Delete", [this] {
        store_.deleteTask(id_);
        withAnimation(Animation::tarnelFast, [&] { ui_.closeDetail(); });
    });
    column->addLayout(toolbar);

    page_ = new QWidget;
    auto* stack = new QVBoxLayout(page_);
    stack->setContentsMargins(0, 0, 0, 12);
    stack->setSpacing(14);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(6);
    title_ = new GrowingTextEdit("Title", Fonts::text(17, FontWeight::semibold), Theme::text(), 1, 3, page_);
    texts->addWidget(title_);
    auto* notesRow = new QHBoxLayout;
    notesRow->setSpacing(8);
    auto* notesIcon = new SymbolLabel("text.alignleft", 11, Theme::text3(), page_);
    notesIcon->setContentsMargins(0, 2, 0, 0);
    notesRow->addWidget(notesIcon, 0, Qt::AlignTop);
    notes_ = new GrowingTextEdit("Add details", Fonts::text(12.5), Theme::text2(), 1, 6, page_);
    notesRow->addWidget(notes_, 1);
    texts->addLayout(notesRow);
    stack->addLayout(texts);
    title_->setOnReturn([this] {
        // Typing goes after the notes, not in front of them.
        notes_->setFocus(Qt::OtherFocusReason);
        notes_->moveCursor(QTextCursor::End);
    });

    due_ = new DueDateSection(store_, services_, id_, page_);
    stack->addWidget(due_);

    const std::optional<TaskItem> task = taskWithID(store_.tasks.get(), id_);
    if (task && !task->parentID) {
        subtasks_ = new SubtaskSection(store_, id_, page_);
        stack->addWidget(subtasks_);
    }
    summary_ = new TextLabel("", Fonts::text(11), Theme::text3(), page_);
    summary_->setContentsMargins(0, 4, 0, 0);
    stack->addWidget(summary_);
    stack->addStretch(1);
    column->addWidget(clearScrollArea(page_, this), 1);

    content_.bind(
        {store_.tasks, store_.lists, store_.sessions, store_.now},
        [this] { return taskDetailContent(store_, id_, services_.clock.now(), services_.calendar); },
        [this](const ContentChange<TaskDetailContent>& change) { apply(change); });
    bindTaskText(store_, *title_, id_, TaskTextField::title);
    bindTaskText(store_, *notes_, id_, TaskTextField::notes);
}

IconButton* TaskDetailView::button(const char* symbol) const {
    return findChild<IconButton*>(symbol);
}

void TaskDetailView::startTimer(TimerMode mode) {
    store_.start(mode, id_);
    ui_.select(TarnelUI::Tab::focus);
}

void TaskDetailView::apply(const ContentChange<TaskDetailContent>& change) {
    const std::optional<TaskItem>& task = change.now.task;
    if (!task) {
        // Nothing to edit: show an empty area and close, once, outside the store's notification.
        page_->hide();
        listMenu_->hide();
        if (!closing_) {
            closing_ = true;
            QTimer::singleShot(0, this,
                               [this] { withAnimation(Animation::tarnelFast, [&] { ui_.closeDetail(); }); });
        }
        return;
    }
    if (change.changed(&TaskDetailContent::listMenu)) {
        listMenu_->setVisible(change.now.listMenu.has_value());
        if (change.now.listMenu) listMenu_->setMenu(*change.now.listMenu);
    }
    if (change.changed(&TaskDetailContent::task)) {
        star_->setIcon(task->starred ? "star.fill" : "star");
        star_->setTint(task->starred ? Theme::star() : Theme::text2());
        const bool done = task->completedAt.has_value();
        title_->showText(QString::fromStdString(task->title));
        title_->setTextColor(done ? Theme::text2() : Theme::text());
        title_->setStruckThrough(done);
        notes_->showText(QString::fromStdString(task->notes));
    }
    if (change.changed(&TaskDetailContent::task) || change.changed(&TaskDetailContent::today))
        due_->refresh(task->due);
    if (subtasks_ && change.changed(&TaskDetailContent::subtasks)) subtasks_->refresh(change.now.subtasks);
    if (change.changed(&TaskDetailContent::summary))
        summary_->setText(QString::fromStdString(change.now.summary));
}

} // namespace vesk
