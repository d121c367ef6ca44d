#pragma once

#include "platform/ScreenMetrics.hpp"
#include "shell/state/Observations.hpp"
#include "shell/state/TarnelMenuItems.hpp"

#include <QWidget>
#include <array>
#include <functional>

class QSpacerItem;

namespace vesk {

class TabButton;
class TimerChip;

// The expanded tarnel's top row: the four tab buttons (tasks, bonsai, focus, stats), the
// notch gap, the timer chip outside the focus tab and the settings menu.
class TopBar final : public QWidget {
  public:
    static constexpr int focusTab = 2;
    static constexpr std::array<const char*, 4> tabSymbols{"checklist", "leaf", "timer", "chart.bar.xaxis"};

    // `select` receives the index of the tab chosen, in the order above.
    TopBar(Store& store, MenuServices services, std::function<void(int)> select, QWidget* parent = nullptr);

    void setSelectedTab(int index);
    void setMetrics(const ScreenMetrics& metrics);
    bool chipShown() const;
    TabButton* tabButton(int index) const { return buttons_[static_cast<std::size_t>(index)]; }

  private:
    void refreshChip();

    Store& store_;
    std::array<TabButton*, 4> buttons_{};
    QSpacerItem* notchGap_;
    TimerChip* chip_;
    int selected_ = 0;
    Observations observations_;
};

} // namespace vesk
