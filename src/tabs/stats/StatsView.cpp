#include "tabs/stats/StatsView.hpp"

#include "core/store/Store.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/ClearScroll.hpp"
#include "shell/controls/Kpi.hpp"
#include "shell/controls/SectionTitle.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"
#include "tabs/stats/StatsCharts.hpp"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vesk {
namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// A section: its rows stacked, leading-aligned.
QVBoxLayout* sectionStack(QWidget* section, int spacing) {
    auto* stack = columnLayout(section, spacing);
    return stack;
}

// A section's header: the title, then whatever the section shows at the trailing edge.
QHBoxLayout* headerRow(QWidget* section, const QString& title) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new SectionTitle(title, section), 0, Qt::AlignVCenter);
    row->addStretch(1);
    return row;
}

} // namespace

StatsView::StatsView(Store& store, ViewServices services, QWidget* parent)
    : QWidget(parent), store_(store), services_(services) {
    // The sections keep their sizes, the heat map the full width, and scroll when they need
    // more height than the tab has (three top tasks do).
    auto* content = new QWidget;
    auto* stack = columnLayout(content, 16);
    stack->addWidget(buildTiles());
    stack->addWidget(buildWeek());
    stack->addWidget(buildHeatMap());
    stack->addWidget(buildTopTasks());
    stack->addStretch(1);
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->addWidget(clearScrollArea(content, this));

    // The live focus of a running timer moves with the store's clock.
    figures_.bind(
        {store_.sessions, store_.tasks, store_.timer, store_.now},
        [this] { return statsFigures(store_, services_.calendar); },
        [this](const ContentChange<StatsFigures>& change) { apply(change); });
    // Hidden (another tab on its way in, or the tarnel collapsed): figured out when shown.
    figures_.setLive(false);
}

QWidget* StatsView::buildTiles() {
    auto* row = new QWidget(this);
    auto* line = rowLayout(row, 8);
    for (Kpi*& tile : tiles_) {
        tile = new Kpi({}, {}, row);
        line->addWidget(tile, 1);
    }
    return row;
}

QWidget* StatsView::buildWeek() {
    auto* section = new QWidget(this);
    QVBoxLayout* stack = sectionStack(section, 8);
    QHBoxLayout* header = headerRow(section, "Last 7 days");
    readout_ = new TextLabel({}, Fonts::text(11), Theme::text2(), section);
    readout_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    header->addWidget(readout_, 0, Qt::AlignVCenter);
    stack->addLayout(header);

    auto* bars = new QHBoxLayout;
    bars->setSpacing(8);
    for (DayColumn*& column : columns_) {
        column = new DayColumn(
            [this](const WeekDay& day, bool entered) {
                if (entered)
                    setHoverDay(day.day);
                else if (hoverDay_ == day.day) // the next column may have taken over already
                    setHoverDay(std::nullopt);
            },
            section);
        bars->addWidget(column, 1, Qt::AlignBottom);
    }
    stack->addLayout(bars);
    return section;
}

QWidget* StatsView::buildHeatMap() {
    auto* section = new QWidget(this);
    QVBoxLayout* stack = sectionStack(section, 8);
    QHBoxLayout* header = headerRow(section, "Focus \u00B7 6 months");
    auto* legend = new QHBoxLayout;
    legend->setSpacing(3);
    const auto legendText = [section](const char* text) {
        return new TextLabel(text, Fonts::text(9.5), Theme::text3(), section);
    };
    legend->addWidget(legendText("less"), 0, Qt::AlignVCenter);
    for (int level : heatLegend())
        legend->addWidget(new HeatSwatch(level, section), 0, Qt::AlignVCenter);
    legend->addWidget(legendText("more"), 0, Qt::AlignVCenter);
    header->addLayout(legend);
    stack->addLayout(header);

    heat_ = new HeatGrid(section);
    stack->addWidget(heat_);
    return section;
}

QWidget* StatsView::buildTopTasks() {
    auto* section = new QWidget(this);
    QVBoxLayout* stack = sectionStack(section, 7);
    stack->addWidget(new SectionTitle("Top focus \u00B7 this week", section));
    noTopTasks_ = new TextLabel("Start a pomodoro on a task to see where your time goes.", Fonts::text(11.5),
                                Theme::text3(), section);
    stack->addWidget(noTopTasks_);
    for (TopTaskRow*& row : topRows_) {
        row = new TopTaskRow(section);
        stack->addWidget(row);
    }
    return section;
}

QString StatsView::readout() const {
    return readout_->text();
}

void StatsView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    figures_.setLive(true);
}

void StatsView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    figures_.setLive(false);
}

void StatsView::apply(const ContentChange<StatsFigures>& change) {
    const StatsFigures& figures = change.now;
    if (change.changed(&StatsFigures::tiles))
        for (std::size_t i = 0; i < tiles_.size(); ++i) {
            tiles_[i]->setValue(qt(figures.tiles[i].value));
            tiles_[i]->setLabel(qt(figures.tiles[i].label));
        }
    if (change.changed(&StatsFigures::week)) {
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            const bool shown = i < figures.week.days.size();
            columns_[i]->setVisible(shown);
            if (shown) columns_[i]->setDay(figures.week.days[i]);
        }
        showHover();
    }
    if (change.changed(&StatsFigures::heat)) heat_->setLevels(figures.heat);
    if (change.changed(&StatsFigures::top)) {
        noTopTasks_->setVisible(figures.top.empty());
        for (std::size_t i = 0; i < topRows_.size(); ++i) {
            const bool shown = i < figures.top.size();
            topRows_[i]->setVisible(shown);
            if (shown) topRows_[i]->setRow(figures.top[i]);
        }
    }
}

void StatsView::setHoverDay(std::optional<Date> day) {
    if (day == hoverDay_) return;
    hoverDay_ = day;
    showHover();
}

void StatsView::showHover() {
    readout_->setText(qt(figures().week.readoutFor(hoverDay_)));
    for (DayColumn* column : columns_)
        column->setHovered(hoverDay_ == column->day().day);
}

} // namespace vesk
