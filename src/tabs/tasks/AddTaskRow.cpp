#include "tabs/tasks/AddTaskRow.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/PresencePainter.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/SymbolLabel.hpp"
#include "shell/controls/TextField.hpp"
#include "shell/state/TourAnchor.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"
#include "tabs/tasks/TypingPlan.hpp"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

namespace vesk {

AddTaskRow::AddTaskRow(Store& store, ViewServices services, QWidget* parent)
    : QWidget(parent), store_(store), services_(services) {
    auto* row = new QHBoxLayout(this);
    row->setSpacing(10);
    row->setContentsMargins(10, 8, 10, 8);

    auto* plus = new SymbolLabel("plus", 12, Theme::accent(), this);
    plus->setFixedWidth(16);
    row->addWidget(plus);

    field_ = new TextField("Add a task", Fonts::text(13), Theme::text(), this);
    // Focused when asked (a click, the hot key, Ctrl+N), never just because the window opened.
    field_->setFocusPolicy(Qt::ClickFocus);
    field_->installEventFilter(this);
    connect(field_, &QLineEdit::returnPressed, this, [this] {
        add();
        focusField();
    });
    row->addWidget(field_, 1);

    tourAnchor(this, TourTarget::addField);
}

void AddTaskRow::focusField() {
    field_->setFocus(Qt::OtherFocusReason);
}

void AddTaskRow::add() {
    const std::string title = field_->text().toStdString();
    withAnimation(Animation::tarnelFast, [&] { store_.addTask(title); });
    field_->clear();
}

void AddTaskRow::typeOut(const QString& text) {
    focusField();
    field_->clear();
    const TypingPlan plan = typingPlan(text, services_.random);
    for (const TypingPlan::Keystroke& keystroke : plan.keystrokes)
        services_.queue.after(keystroke.delaySeconds,
                              lifetime_.guard([this, character = keystroke.character] {
                                  field_->setText(field_->text() + character);
                              }));
    services_.queue.after(plan.addDelaySeconds, lifetime_.guard([this] { add(); }));
}

void AddTaskRow::paintEvent(QPaintEvent*) {
    PresencePainter p(this);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 10, 10);
    p.fillPath(shape, field_->hasFocus() ? Theme::surfaceHi() : Theme::surface());
}

void AddTaskRow::mousePressEvent(QMouseEvent*) {
    focusField();
}

bool AddTaskRow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        update();
    return QWidget::eventFilter(watched, event);
}

} // namespace vesk
