#pragma once

#include "shell/controls/PulseDot.hpp"
#include "shell/state/CollapsedContent.hpp"
#include "shell/state/ContentBinding.hpp"
#include "shell/state/TarnelUI.hpp"

#include <QWidget>

class QHBoxLayout;
class QSpacerItem;

namespace vesk {

class Ring;
class RollingText;
class TextLabel;

// The collapsed pill: the leaf or the running timer with its task left of the notch, the
// open-task count or the clock right of it, and a transient toast below.
class CollapsedView final : public QWidget {
  public:
    // The pill sits on screen all day with a timer rolling its clock every second: the roll
    // redraws on the breathing dot's frames, a few a second.
    static constexpr double clockFrameRate = PulseDot::breathFrameRate;

    explicit CollapsedView(TarnelUI& ui, QWidget* parent = nullptr);

    const CollapsedContent& content() const { return content_.content(); }

  private:
    void apply(const ContentChange<CollapsedContent>& change);
    void applyToast(const std::optional<Toast>& toast);

    TarnelUI& ui_;
    QWidget* mainRow_;
    QHBoxLayout* mainLayout_;
    QSpacerItem* notchGap_;
    TextLabel* leaf_;
    Ring* ring_;
    PulseDot* dot_;
    TextLabel* title_;
    TextLabel* count_;
    RollingText* clock_;
    QWidget* toastRow_;
    TextLabel* toastIcon_;
    TextLabel* toastText_;
    ContentBinding<CollapsedContent> content_;
    ContentBinding<std::optional<Toast>> toast_;
};

} // namespace vesk
