#pragma once

#include "garden/bonsai/BonsaiContent.hpp"
#include "shell/anim/Animated.hpp"
#include "shell/state/ContentBinding.hpp"
#include "shell/theme/NotchShape.hpp"
#include "shell/views/DrawnOutline.hpp"

#include <QWidget>

namespace vesk {

class BonsaiEngine;
class BonsaiSceneView;
class SceneFrames;
class TarnelUI;
class TextLabel;

// The black panel beside the open tarnel while a growth is revealed: the tree growing in a
// second 3D view through the engine's reveal camera, the cubes just grown and the new total,
// and a line when a seedling unlocked meanwhile. Hidden it is a zero-wide strip; it drops
// open with the opening spring and closes with the closing one. It takes no mouse input.
class RevealSatellite final : public QWidget, public DrawnOutline {
  public:
    // Room beside and below the panel for its shadow.
    static constexpr double shadowMargin = 12;

    RevealSatellite(TarnelUI& ui, BonsaiEngine& engine, SceneFrames& frames, QWidget* parent = nullptr);

    const BonsaiContent::RevealPanel& content() const { return content_.content(); }
    // The panel's outline now, without the shadow's room.
    QSizeF panelSize() const { return size_.value(); }
    // The panel's outline now, in its own coordinates: nothing of it shows outside.
    QPainterPath outline() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void apply(const ContentChange<BonsaiContent::RevealPanel>& change);
    void resizeToPanel();
    void reshape();
    QWidget* makeColumn();

    TarnelUI& ui_;
    Animated<QSizeF> size_;
    Animated<NotchShape> shape_;
    Animated<double> shadow_;
    QWidget* column_ = nullptr;
    BonsaiSceneView* view_ = nullptr;
    TextLabel* grown_ = nullptr;
    TextLabel* grownLabel_ = nullptr;
    TextLabel* total_ = nullptr;
    QWidget* unlocked_ = nullptr;
    ContentBinding<BonsaiContent::RevealPanel> content_;
};

} // namespace vesk
