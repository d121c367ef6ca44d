#pragma once

#include "shell/state/ContentBinding.hpp"
#include "shell/state/TarnelMenuItems.hpp"
#include "shell/state/TarnelUI.hpp"

#include <QWidget>
#include <array>

class QSpacerItem;

namespace vesk {

class TabButton;
class TimerChip;

// The expanded tarnel's top row: the four tab buttons (tasks, bonsai, focus, stats), the
// notch gap, the timer chip outside the focus tab and the settings menu.
class TopBar final : public QWidget {
  public:
    static constexpr std::array<const char*, 4> tabSymbols{"checklist", "leaf", "timer", "chart.bar.xaxis"};

    TopBar(Store& store, TarnelUI& ui, MenuServices services, QWidget* parent = nullptr);

    bool chipShown() const;
    TabButton* tabButton(TarnelUI::Tab tab) const { return buttons_[static_cast<std::size_t>(tab)]; }

  private:
    // What the bar shows of the state.
    struct Content {
        TarnelUI::Tab tab = TarnelUI::Tab::tasks;
        bool chipShown = false; // a timer runs outside the focus tab
        double notchGap = 0;
        bool operator==(const Content&) const = default;
    };
    void apply(const ContentChange<Content>& change);

    TarnelUI& ui_;
    std::array<TabButton*, 4> buttons_{};
    QSpacerItem* notchGap_;
    TimerChip* chip_;
    ContentBinding<Content> content_;
};

} // namespace vesk
