#pragma once

#include "shell/state/ContentBinding.hpp"
#include "shell/state/ViewServices.hpp"
#include "tabs/focus/FocusContent.hpp"

#include <QWidget>
#include <vector>

namespace vesk {

class AnimationManager;
class Chip;
class FocusDial;
class IconButton;
class PlayButton;
class Store;
class TaskPicker;
class TextLabel;
template <class T> class Segmented;

// The focus tab: the mode switch, the dial, the task picker, the timer's buttons, the
// pomodoro's length presets and the day's summary. It keeps no state of its own: it shows
// the store's timer and acts only through the store.
class FocusView final : public QWidget {
  public:
    FocusView(Store& store, ViewServices services, QWidget* parent = nullptr,
              AnimationManager* manager = nullptr);

    const FocusContent& content() const { return content_.content(); }

    Segmented<TimerMode>& modeControl() const { return *mode_; }
    FocusDial& dial() const { return *dial_; }
    TaskPicker& picker() const { return *picker_; }
    IconButton& resetButton() const { return *reset_; }
    PlayButton& playButton() const { return *play_; }
    IconButton& finishButton() const { return *finish_; }
    QWidget& presets() const { return *presets_; }
    // In the order of the presets.
    const std::vector<Chip*>& focusChips() const { return focusChips_; }
    const TextLabel& summary() const { return *summary_; }

  private:
    QWidget* buildControls();
    QWidget* buildPresets(AnimationManager* manager);
    void apply(const ContentChange<FocusContent>& change);

    Store& store_;
    ViewServices services_;
    Segmented<TimerMode>* mode_;
    FocusDial* dial_;
    TaskPicker* picker_;
    IconButton* reset_;
    PlayButton* play_;
    IconButton* finish_;
    QWidget* presets_;
    std::vector<Chip*> focusChips_;
    std::vector<Chip*> breakChips_;
    TextLabel* summary_;
    ContentBinding<FocusContent> content_;
};

} // namespace vesk
