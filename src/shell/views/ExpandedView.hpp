#pragma once

#include "shell/anim/Presence.hpp"
#include "shell/state/ContentBinding.hpp"
#include "shell/state/TarnelMenuItems.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/views/ScreenFactories.hpp"

#include <QWidget>

class QGridLayout;
class QVBoxLayout;

namespace vesk {

class TopBar;

// The open tarnel: the top bar above the selected tab's screen, or, during the tour's first
// two steps, the tour card. It follows the UI state itself and builds each screen from its
// factory when the screen is shown, and again when the tarnel opens after showing it; a screen
// that leaves is destroyed once its transition ends.
class ExpandedView final : public QWidget {
  public:
    enum class Screen { tasks, taskDetail, bonsai, focus, stats, tourCard };

    ExpandedView(Store& store, TarnelUI& ui, MenuServices menuServices, ScreenFactories factories,
                 QWidget* parent = nullptr);

    // The tour's spotlight over the whole open tarnel, while a step has a target.
    QWidget* tourOverlay() const { return overlay_; }

    Screen screen() const { return screen_.content(); }
    // The screen on show now (not one that is leaving).
    QWidget* screenWidget() const { return current_; }
    bool showsTourCard() const { return screen() == Screen::tourCard; }
    TopBar& topBar() const { return *topBar_; }

    // What the state asks for.
    static Screen screenFor(const TarnelUI& ui);

  private:
    void showScreen(const ContentChange<Screen>& change);
    // Takes a screen away with its transition, or at once when it has none.
    void dismiss(QWidget* screen, bool card);
    void followExpanded();
    QWidget* build(Screen screen, QWidget* parent, Presence::Arrival arrival) const;
    void applyMetrics();
    void followTourOverlay();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    TarnelUI& ui_;
    ScreenFactories factories_;
    TopBar* topBar_;
    QWidget* tabArea_;
    QGridLayout* stack_;
    QWidget* tourCardSlot_;
    QVBoxLayout* column_;
    QWidget* current_ = nullptr;
    QWidget* overlay_ = nullptr;
    // The current screen has been on show in the open tarnel.
    bool shownExpanded_ = false;
    ContentBinding<Screen> screen_;
    ContentBinding<TarnelUI::Size> size_;
    Observations observations_;
};

} // namespace vesk
