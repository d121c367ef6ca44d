#include "tabs/tasks/EmptyTasks.hpp"

#include "shell/controls/SymbolLabel.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"
#include "tabs/tasks/TasksContent.hpp"

#include <QVBoxLayout>

namespace vesk {

namespace {
// The compact form heads a list: this much room above and below it.
constexpr int compactRoom = 18;
} // namespace

EmptyTasks::EmptyTasks(Size size, QWidget* parent) : QWidget(parent), compact_(size == Size::compact) {
    const bool compact = compact_;
    auto* stack = new QVBoxLayout(this);
    stack->setSpacing(8);
    const int room = compact ? compactRoom : 0;
    stack->setContentsMargins(0, room, 0, room);
    symbol_ = new SymbolLabel({}, compact ? 18 : 26, Theme::text3(), this);
    title_ = new TextLabel({}, Fonts::text(compact ? 12 : 13, FontWeight::medium), Theme::text2(), this);
    line_ = new TextLabel({}, Fonts::text(11.5), Theme::text3(), this);
    if (!compact) stack->addStretch(1);
    stack->addWidget(symbol_);
    for (TextLabel* part : {title_, line_}) {
        part->setAlignment(Qt::AlignCenter);
        stack->addWidget(part);
    }
    if (!compact) stack->addStretch(1);
    setSizePolicy(QSizePolicy::Expanding, compact ? QSizePolicy::Fixed : QSizePolicy::Expanding);
    apply();
}

void EmptyTasks::setStarred(bool starred) {
    if (starred == starred_) return;
    starred_ = starred;
    apply();
}

void EmptyTasks::apply() {
    using Form = EmptyTasksForm;
    const EmptyTasksText text = emptyTasksText(compact_   ? Form::allComplete
                                               : starred_ ? Form::starred
                                                          : Form::fresh);
    symbol_->setSymbol(text.symbol);
    title_->setText(QString::fromStdString(text.title));
    // The line shows in the full-size forms only.
    line_->setText(QString::fromStdString(text.line.value_or("")));
    line_->setVisible(!compact_ && text.line.has_value());
}

QString EmptyTasks::title() const {
    return title_->text();
}

QString EmptyTasks::line() const {
    return line_->isVisibleTo(this) ? line_->text() : QString();
}

} // namespace vesk
