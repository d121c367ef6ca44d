#include "tabs/detail/DueDateSection.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/anim/PresencePainter.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/Chip.hpp"
#include "shell/controls/IconButton.hpp"
#include "shell/controls/MiniCalendar.hpp"
#include "shell/controls/SymbolLabel.hpp"
#include "shell/theme/Theme.hpp"
#include "tabs/detail/TaskDetailContent.hpp"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace vesk {
namespace {

// The calendar's card: a rounded surface behind the month grid.
class CalendarCard final : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        PresencePainter painter(this);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::surface());
        painter.drawRoundedRect(QRectF(rect()), 12, 12);
    }
};

} // namespace

DueDateSection::DueDateSection(Store& store, ViewServices services, UUID taskID, QWidget* parent)
    : QWidget(parent), store_(store), services_(services), taskID_(taskID) {
    column_ = columnLayout(this, 10);

    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    auto* icon = new SymbolLabel("calendar", 11, Theme::text3(), this);
    icon->setFixedWidth(14);
    row->addWidget(icon);
    auto quick = [this](const char* text, auto day) {
        return new Chip(
            text, Chip::State::unselected, Theme::accent(),
            [this, day] {
                const QuickDays days = quickDays(services_.clock.now(), services_.calendar);
                setDue(days.*day);
            },
            this);
    };
    today_ = quick("Today", &QuickDays::today);
    tomorrow_ = quick("Tomorrow", &QuickDays::tomorrow);
    nextWeek_ = quick("Next week", &QuickDays::nextWeek);
    pick_ = new Chip(
        "Pick…", Chip::State::unselected, Theme::accent(), [this] { toggleCalendar(); }, this);
    clear_ = new IconButton(
        "xmark", 9, Theme::text3(), "Clear date",
        [this] { store_.update(taskID_, [](TaskItem& task) { task.due.reset(); }); }, this);
    for (QWidget* widget : std::initializer_list<QWidget*>{today_, tomorrow_, nextWeek_, pick_, clear_})
        row->addWidget(widget);
    row->addStretch(1);
    column_->addLayout(row);
}

void DueDateSection::refresh(std::optional<Date> due) {
    due_ = due;
    const DueChips chips = dueChips(due, calendarOpen(), services_.clock.now(), services_.calendar);
    today_->setSelected(chips.today);
    tomorrow_->setSelected(chips.tomorrow);
    nextWeek_->setSelected(chips.nextWeek);
    pick_->setSelected(chips.pick);
    pick_->setText(QString::fromStdString(chips.pickText));
    clear_->setVisible(chips.clearShown);
    if (calendar_) calendar_->setSelected(due);
}

void DueDateSection::setDue(Date day) {
    store_.update(taskID_, [day](TaskItem& task) { task.due = day; });
}

void DueDateSection::toggleCalendar() {
    withAnimation(Animation::tarnelFast, [&] {
        if (calendarOpen()) {
            closeCalendar();
            return;
        }
        calendarCard_ = new CalendarCard(this);
        auto* padding = new QVBoxLayout(calendarCard_);
        padding->setContentsMargins(10, 10, 10, 10);
        calendar_ = new MiniCalendar(
            due_,
            [this](Date day) {
                setDue(day);
                withAnimation(Animation::tarnelFast, [&] { closeCalendar(); });
            },
            services_.clock.now(), services_.calendar, calendarCard_);
        padding->addWidget(calendar_);
        column_->addWidget(calendarCard_);
        calendarCard_->hide();
        auto* presence = new Presence(calendarCard_, Transition::fade().combined(Transition::move(0, -1)));
        presence->setPresent(true);
    });
    refresh(due_);
}

void DueDateSection::closeCalendar() {
    if (!calendarCard_) return;
    // The pick came from inside the calendar, which dismissing leaves alive for now.
    Presence::of(calendarCard_)->dismiss();
    calendarCard_ = nullptr;
    calendar_ = nullptr;
    refresh(due_);
}

} // namespace vesk
