#include "tabs/tasks/TaskRow.hpp"

#include "core/model/TaskViews.hpp"
#include "core/store/Store.hpp"
#include "shell/anim/PresencePainter.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/CheckCircle.hpp"
#include "shell/controls/DueChip.hpp"
#include "shell/controls/IconButton.hpp"
#include "shell/controls/OverhangStrip.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/controls/ThemedMenu.hpp"
#include "shell/controls/WrappedText.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/state/TourAnchor.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Symbols.hpp"
#include "shell/theme/Theme.hpp"
#include "tabs/tasks/RowBackground.hpp"
#include "tabs/tasks/TaskMenu.hpp"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>

namespace vesk {

namespace {

constexpr int buttonsHeight = 16;
constexpr int subtaskCheckSize = 14;
constexpr int taskCheckSize = 16;
constexpr int paddingX = 8;
constexpr int paddingY = 7;
constexpr int spacing = 10;
constexpr int columnSpacing = 3;
constexpr double dueChipHeight = 17;

QFont titleFont(bool sub) {
    return Fonts::text(sub ? 12.5 : 13);
}

QFont noteFont() {
    return Fonts::text(11.5);
}

} // namespace

// A small mark before a text, both in one colour: the focus badge's dot, the timer symbol
// before the time focused.
class TaskRow::MarkedText final : public QWidget {
  public:
    // An empty symbol draws the 5-point dot.
    MarkedText(std::string symbol, const QFont& font, const QColor& color, QWidget* parent)
        : QWidget(parent), symbol_(std::move(symbol)), font_(font), color_(color) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

    void setText(const QString& text) {
        if (text == text_) return;
        text_ = text;
        updateGeometry();
        update();
    }

    QSize sizeHint() const override {
        const QFontMetricsF metrics(font_);
        const double width = markSize() + spacing + metrics.horizontalAdvance(text_);
        return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(metrics.height()))};
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        PresencePainter p(this);
        const double mark = markSize();
        const QRectF markBox(0, (height() - mark) / 2, mark, mark);
        if (symbol_.empty()) {
            p.setPen(Qt::NoPen);
            p.setBrush(color_);
            p.drawEllipse(markBox);
        } else {
            Symbols::draw(p, markBox, symbol_, symbolPoints, color_);
        }
        p.setFont(font_);
        p.setPen(color_);
        p.drawText(QRectF(mark + spacing, 0, width(), height()), Qt::AlignLeft | Qt::AlignVCenter, text_);
    }

  private:
    static constexpr double dotSize = 5;
    static constexpr double symbolPoints = 9;
    static constexpr double spacing = 3;

    double markSize() const { return symbol_.empty() ? dotSize : Symbols::extent(symbolPoints); }

    std::string symbol_;
    QFont font_;
    QColor color_;
    QString text_;
};

TaskRow::TaskRow(Store& store, TarnelUI& ui, ViewServices services, const TaskRowContent& content,
                 QWidget* parent)
    : PaintedControl(parent), store_(store), ui_(ui), services_(services), content_(content) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(paddingX, paddingY, paddingX, paddingY);
    row->setSpacing(spacing);

    const bool sub = content.isSub;
    // Level with the title's first line.
    auto* checkColumn = new QVBoxLayout;
    checkColumn->setContentsMargins(0, sub ? 1 : 0, 0, 0);
    check_ = new CheckCircle(
        false, sub ? subtaskCheckSize : taskCheckSize,
        [this] { withAnimation(Animation::tarnelFast, [this] { store_.toggleDone(content_.id); }); }, this);
    checkColumn->addWidget(check_);
    checkColumn->addStretch(1);
    row->addLayout(checkColumn);

    column_ = new QVBoxLayout;
    column_->setSpacing(columnSpacing);
    title_ = new WrappedText({}, titleFont(sub), Theme::text(), this);
    title_->setMaximumLines(2);
    column_->addWidget(title_);
    column_->addStretch(1);
    row->addLayout(column_, 1);

    buttons_ = new OverhangStrip(buttonsHeight, this);
    row->addWidget(buttons_, 0, Qt::AlignTop);

    setAction([this] { ui_.openDetail(content_.id); });
    apply();
}

int TaskRow::estimatedHeight(const TaskRowContent& content, int width) {
    struct Measures {
        double titleLine;
        double titleCharacter;
        double noteLine;
    };
    static const auto measures = [] {
        std::array<Measures, 2> result{};
        for (const bool sub : {false, true}) {
            const QFontMetricsF title(titleFont(sub));
            result[sub] = {title.height(), title.averageCharWidth(), QFontMetricsF(noteFont()).height()};
        }
        return result;
    }();
    const Measures& m = measures[content.isSub];
    const double check = content.isSub ? subtaskCheckSize : taskCheckSize;
    const double starWidth = content.starred ? 25 : 0;
    const double available = width - 2 * paddingX - check - 2 * spacing - starWidth;
    const auto characters = std::count_if(content.title.begin(), content.title.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    const int lines = static_cast<double>(characters) * m.titleCharacter > available ? 2 : 1;
    double height = 2 * paddingY + lines * m.titleLine;
    if (!content.note.empty()) height += columnSpacing + m.noteLine;
    if (content.showsFacts()) height += columnSpacing + 1 + dueChipHeight;
    return static_cast<int>(std::ceil(height));
}

void TaskRow::setContent(const TaskRowContent& content) {
    if (content == content_) return;
    content_ = content;
    apply();
}

void TaskRow::apply() {
    title_->setText(QString::fromStdString(content_.title));
    title_->setColor(content_.untitled ? Theme::text3() : Theme::text());
    tourAnchor(check_, content_.tourTarget ? std::optional(TourTarget::welcomeCheck) : std::nullopt);

    if (!content_.note.empty()) showNote();
    if (note_) {
        note_->setText(QString::fromStdString(content_.note));
        note_->setVisible(!content_.note.empty());
    }

    if (content_.showsFacts()) showFacts();
    if (facts_) {
        facts_->setVisible(content_.showsFacts());
        due_->setVisible(content_.due.has_value());
        if (content_.due) due_->setDate(content_.due->date, content_.due->today);
        focusBadge_->setVisible(content_.inFocus);
        focusedTime_->setVisible(content_.focusedTime.has_value());
        if (content_.focusedTime) focusedTime_->setText(QString::fromStdString(*content_.focusedTime));
    }
    applyButtons();
    updateGeometry();
}

void TaskRow::applyButtons() {
    if (content_.starred || isHovered()) showButtons();
    if (!play_) return;
    play_->setVisible(isHovered() && !content_.inFocus);
    star_->setIcon(content_.starred ? "star.fill" : "star");
    star_->setTint(content_.starred ? Theme::star() : Theme::text3());
    star_->setVisible(content_.starred || isHovered());
}

void TaskRow::showNote() {
    if (note_) return;
    note_ = new TextLabel({}, noteFont(), Theme::text2(), this);
    column_->insertWidget(1, note_);
}

void TaskRow::showFacts() {
    if (facts_) return;
    facts_ = new QWidget(this);
    auto* line = new QHBoxLayout(facts_);
    line->setContentsMargins(0, 1, 0, 0);
    line->setSpacing(6);
    const Date now = services_.clock.now();
    due_ = new DueChip(now, now, services_.calendar, facts_);
    focusBadge_ = new MarkedText({}, Fonts::text(11, FontWeight::medium), Theme::focus(), facts_);
    focusBadge_->setText("In focus");
    focusedTime_ = new MarkedText("timer", Fonts::text(11), Theme::text3(), facts_);
    line->addWidget(due_);
    line->addWidget(focusBadge_);
    line->addWidget(focusedTime_);
    line->addStretch(1);
    column_->insertWidget(note_ ? 2 : 1, facts_);
}

void TaskRow::showButtons() {
    if (play_) return;
    play_ = new IconButton(
        "play.fill", 10, Theme::text3(), "Focus on this task",
        [this] { store_.start(TimerMode::pomodoro, content_.id); }, this);
    star_ = new IconButton(
        "star", 11, Theme::text3(), "Star", [this] { store_.toggleStar(content_.id); }, this);
    buttons_->addControl(play_);
    buttons_->addControl(star_);
}

void TaskRow::contextMenuEvent(QContextMenuEvent* event) {
    const auto task = taskWithID(store_.tasks.get(), content_.id);
    if (!task) return;
    auto* menu = new ThemedMenu(taskMenu(store_, *task, services_), this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The open menu holds the pointer, so a row the pointer left meanwhile is told so after.
    connect(menu, &QMenu::aboutToHide, this, [this] {
        if (rect().contains(mapFromGlobal(QCursor::pos()))) return;
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(this, &leave);
    });
    menu->popup(event->globalPos());
}

void TaskRow::interactionChanged() {
    applyButtons();
    update();
}

void TaskRow::paintEvent(QPaintEvent*) {
    paintRowBackground(*this, isHovered());
}

} // namespace vesk
