#pragma once

#include "shell/controls/PulseDot.hpp"
#include "shell/state/CollapsedContent.hpp"
#include "shell/state/Observations.hpp"
#include "shell/state/ScreenMetrics.hpp"

#include <QWidget>

class QHBoxLayout;
class QSpacerItem;

namespace vesk {

class Ring;
class RollingText;
class Store;
class TextLabel;

// The collapsed pill: the leaf or the running timer with its task left of the notch, the
// open-task count or the clock right of it, and a transient toast below.
class CollapsedView final : public QWidget {
  public:
    // The pill sits on screen all day with a timer rolling its clock every second: the roll
    // redraws on the breathing dot's frames, a few a second.
    static constexpr double clockFrameRate = PulseDot::breathFrameRate;

    explicit CollapsedView(Store& store, QWidget* parent = nullptr);

    void setMetrics(const ScreenMetrics& metrics);
    void showToast(const std::string& icon, const std::string& text, const QColor& tint);
    void hideToast();

    const CollapsedContent& content() const { return content_; }

  private:
    void refresh();

    Store& store_;
    ScreenMetrics metrics_;
    CollapsedContent content_;
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
    Observations observations_;
};

} // namespace vesk
