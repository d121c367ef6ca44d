#include "tabs/tasks/AddTaskRow.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/state/TourAnchor.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Symbols.hpp"
#include "shell/theme/Theme.hpp"
#include "tabs/tasks/TypingPlan.hpp"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>

namespace vesk {

AddTaskRow::AddTaskRow(Store& store, QWidget* parent) : QWidget(parent), store_(store) {
    auto* row = new QHBoxLayout(this);
    row->setSpacing(10);
    row->setContentsMargins(10, 8, 10, 8);

    auto* plus = new TextLabel(Symbols::glyph("plus"), Fonts::symbols(12), Theme::accent(), this);
    plus->setAlignment(Qt::AlignCenter);
    plus->setFixedWidth(16);
    row->addWidget(plus);

    field_ = new QLineEdit(this);
    field_->setFrame(false);
    // Focused when asked (a click, the hot key, Ctrl+N), never just because the window opened.
    field_->setFocusPolicy(Qt::ClickFocus);
    field_->setPlaceholderText("Add a task");
    field_->setFont(Fonts::text(13));
    field_->setAttribute(Qt::WA_MacShowFocusRect, false);
    QPalette palette = field_->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Text, Theme::text());
    palette.setColor(QPalette::PlaceholderText, Theme::text3());
    palette.setColor(QPalette::Highlight, Theme::surfaceHi());
    palette.setColor(QPalette::HighlightedText, Theme::text());
    field_->setPalette(palette);
    field_->setTextMargins(0, 0, 0, 0);
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
    const TypingPlan plan = typingPlan(text, store_.random());
    // The steps outlive nothing: each looks for the row first.
    const QPointer<AddTaskRow> self(this);
    for (const TypingPlan::Keystroke& keystroke : plan.keystrokes)
        store_.queue().after(keystroke.delaySeconds, [self, character = keystroke.character] {
            if (self) self->field_->setText(self->field_->text() + character);
        });
    store_.queue().after(plan.addDelaySeconds, [self] {
        if (self) self->add();
    });
}

void AddTaskRow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    Presence::apply(p, this);
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
