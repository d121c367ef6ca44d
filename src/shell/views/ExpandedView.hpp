#pragma once

#include "platform/ScreenMetrics.hpp"
#include "shell/state/TarnelMenuItems.hpp"
#include "shell/state/Tour.hpp"

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QVBoxLayout;

namespace vesk {

class TopBar;

// The open tarnel: the top bar above the selected tab's screen, or, during the tour's first
// two steps, the tour card. The screens of the tabs are hosted here; until a tab's own view
// exists, a frame with its name stands in.
class ExpandedView final : public QWidget {
  public:
    enum class Screen { tasks, taskDetail, bonsai, focus, stats };

    ExpandedView(Store& store, MenuServices menuServices, std::function<void(int)> selectTab,
                 QWidget* parent = nullptr);

    // `tab` in the top bar's order; the tasks tab shows the detail while a task is open.
    void setTab(int tab, bool detailOpen);
    void setTourStep(std::optional<TourStep> step);
    void setMetrics(const ScreenMetrics& metrics);
    void setContentSize(QSize size);

    Screen screen() const { return screen_; }
    bool showsTourCard() const { return tourCard_; }
    TopBar& topBar() const { return *topBar_; }

  private:
    QWidget* screenWidget(Screen screen) const { return screens_[static_cast<std::size_t>(screen)]; }
    void applyLayout();

    TopBar* topBar_;
    QWidget* tabArea_;
    QWidget* tourCardSlot_;
    QVBoxLayout* column_;
    std::array<QWidget*, 5> screens_{};
    Screen screen_ = Screen::tasks;
    bool tourCard_ = false;
    ScreenMetrics metrics_;
};

} // namespace vesk
