#pragma once

#include "core/model/Uuid.hpp"
#include "core/runtime/Lifetime.hpp"
#include "core/runtime/MainQueue.hpp"
#include "core/runtime/Observed.hpp"
#include "core/runtime/Signal.hpp"
#include "shell/state/ScreenMetrics.hpp"
#include "shell/state/Tour.hpp"

#include <array>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

class Store;

// A message shown for a while in the collapsed tarnel. The tint is 0xAARRGGBB, so this
// state stays free of the toolkit; views turn it into a colour.
struct Toast {
    UUID id;
    std::string icon;
    std::string text;
    std::uint32_t tint = 0xFFFFFFFF;

    friend bool operator==(const Toast&, const Toast&) = default;
};

// A growth waiting to be shown, or being shown, beside the tarnel.
struct Reveal {
    UUID id; // kept when a reveal is extended
    std::int64_t from = 0;
    std::int64_t to = 0;
    bool unlocked = false;

    friend bool operator==(const Reveal&, const Reveal&) = default;
};

// The tarnel as the user sees it. Views observe the fields they read; every field tells its
// observers only on a real change, and changes only through the operations below. Main
// thread only.
class TarnelUI {
  public:
    enum class Tab { tasks = 0, bonsai = 1, focus = 2, stats = 3 };
    // Whether opening hands the keyboard to the add-task field (the hot key does, a click not).
    enum class Focus { unchanged, addField };
    static constexpr std::array<Tab, 4> allTabs{Tab::tasks, Tab::bonsai, Tab::focus, Tab::stats};

    // In points.
    struct Size {
        double width = 0;
        double height = 0;

        friend bool operator==(const Size&, const Size&) = default;
    };

    // Tour steps are echoed to `tourLog` when one is given.
    TarnelUI(Store& store, MainQueue& queue, std::ostream* tourLog = nullptr);
    ~TarnelUI();
    TarnelUI(const TarnelUI&) = delete;
    TarnelUI& operator=(const TarnelUI&) = delete;

    Observed<bool, TarnelUI> expanded{false};
    Observed<bool, TarnelUI> hovering{false};
    Observed<Tab, TarnelUI> tab{Tab::tasks};
    Observed<std::optional<UUID>, TarnelUI> detailID;
    Observed<std::optional<Toast>, TarnelUI> toast;
    Observed<std::optional<Reveal>, TarnelUI> reveal;
    Observed<bool, TarnelUI> gardenOpen{false};
    Observed<std::vector<std::uint64_t>, TarnelUI> nursery;
    Observed<std::optional<TourStep>, TarnelUI> tour;
    Observed<std::optional<UUID>, TarnelUI> tourTaskID;
    Observed<ScreenMetrics, TarnelUI> metrics;
    // Whether Alt+Space reaches the tarnel. While another program holds it, no text
    // promises it; the hot key's owner reports through `setHotKeyOurs`.
    Observed<bool, TarnelUI> hotKeyOurs{true};
    // Events: the add-task field is to take the focus; a developer's scene types a task; the
    // tour was finished.
    Signal<TarnelUI> focusAddRequested;
    Signal<TarnelUI, std::string> scriptedTyping;
    Signal<TarnelUI> onboardingFinished;

    void setHotKeyOurs(bool ours) { hotKeyOurs.set(ours); }

    Store& store;

    // The content size: the panel hit-tests it, the root view lays out in it.
    Size size() const;
    // The open tarnel's size: 440 wide, or the notch plus 320 when that is more; the height by screen.
    double expandedWidth() const;
    double expandedHeight() const;

    void expand(std::optional<Tab> tab, Focus focus = Focus::unchanged);
    void collapse();
    void select(Tab tab);
    void openDetail(const UUID& id);
    void closeDetail();
    void openGarden();
    void closeGarden();
    void showToast(const std::string& icon, const std::string& text, std::uint32_t tint, double seconds);
    // These show along the animation of the caller's transaction, if any.
    void setHovering(bool on) { hovering.set(on); }
    void setReveal(std::optional<Reveal> next) { reveal.set(std::move(next)); }
    void setNursery(std::vector<std::uint64_t> seeds) { nursery.set(std::move(seeds)); }
    void setMetrics(ScreenMetrics next) { metrics.set(next); }
    void requestFocusAdd() { focusAddRequested.send(); }
    void typeScripted(const std::string& text) { scriptedTyping.send(text); }

    // The tour opens at its welcome card, unlogged.
    void startTour() { tour.set(TourStep::welcome); }
    void setTour(TourStep step);
    void advanceTour(TourStep from);
    void beginTaskStep();
    void finishTour();

  private:
    // Runs `work` after `seconds` unless this object is gone by then.
    void later(double seconds, std::function<void()> work);
    void logTour(std::string_view what) const;
    bool hasCurrentTree() const;

    MainQueue& queue_;
    std::ostream* tourLog_;
    // The current toast's end; a newer toast replaces it, so that it keeps its full time.
    Subscription toastExpiry_;
    Lifetime lifetime_;
};

} // namespace vesk
