#pragma once

#include "shell/state/ContentBinding.hpp"
#include "shell/state/ViewServices.hpp"
#include "tabs/stats/StatsFigures.hpp"

#include <QWidget>
#include <array>
#include <optional>

namespace vesk {

class DayColumn;
class HeatGrid;
class Kpi;
class Store;
class TextLabel;
class TopTaskRow;

// The stats tab: today's figures, the last seven days as bars with a read-out of the day
// under the pointer, six months of focus as a heat map, and the week's top tasks. Every
// figure is derived from the store again whenever sessions, tasks or the timer change; while
// the screen is hidden it only notes that it is out of date.
class StatsView final : public QWidget {
  public:
    StatsView(Store& store, ViewServices services, QWidget* parent = nullptr);

    const StatsFigures& figures() const { return figures_.content(); }
    std::optional<Date> hoverDay() const { return hoverDay_; }
    // The week header's read-out as shown.
    QString readout() const;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QWidget* buildTiles();
    QWidget* buildWeek();
    QWidget* buildHeatMap();
    QWidget* buildTopTasks();

    void apply(const ContentChange<StatsFigures>& change);
    void setHoverDay(std::optional<Date> day);
    void showHover();

    Store& store_;
    ViewServices services_;
    std::optional<Date> hoverDay_;

    std::array<Kpi*, 4> tiles_{};
    TextLabel* readout_ = nullptr;
    std::array<DayColumn*, StatsScale::weekDays> columns_{};
    HeatGrid* heat_ = nullptr;
    TextLabel* noTopTasks_ = nullptr;
    std::array<TopTaskRow*, StatsScale::topTaskCount> topRows_{};
    ContentBinding<StatsFigures> figures_;
};

} // namespace vesk
