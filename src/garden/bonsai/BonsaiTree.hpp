#pragma once

#include "core/runtime/Observations.hpp"

#include <QWidget>
#include <cstdint>

namespace vesk {

class BonsaiEngine;
class BonsaiSceneView;
class GardenButton;
class IconButton;
class RollingText;
class SceneFrames;
class Store;
class TarnelUI;
class TextLabel;

// The tree screen of the bonsai tab: the current tree in the live 3D view with its name and
// cube count, the help panel with the growth rules, and below it the help toggle, the
// seedling progress, the cubes gained today and the garden button. It keeps the engine on
// the current tree: on appearing and whenever the tree or its size changes, without growth.
class BonsaiTree final : public QWidget {
  public:
    static constexpr int cardHeight = 316;
    static constexpr double cardRadius = 18;

    BonsaiTree(Store& store, TarnelUI& ui, BonsaiEngine& engine, SceneFrames& frames,
               QWidget* parent = nullptr);

    bool helpShown() const { return showHelp_; }
    void setHelpShown(bool shown);

    GardenButton& gardenButton() const { return *garden_; }

  private:
    QWidget* makeCard(SceneFrames& frames);
    QWidget* makeCaption(QWidget* parent);
    QWidget* makeHelp(QWidget* parent);
    QWidget* makeBottomRow();
    void bonsaiChanged();
    void refreshCaption();

    Store& store_;
    TarnelUI& ui_;
    BonsaiEngine& engine_;
    bool showHelp_;
    std::uint64_t seed_;
    std::int64_t count_;

    BonsaiSceneView* view_ = nullptr;
    QWidget* caption_ = nullptr;
    TextLabel* japanese_ = nullptr;
    TextLabel* subtitle_ = nullptr;
    RollingText* cubes_ = nullptr;
    QWidget* help_ = nullptr;
    IconButton* helpToggle_ = nullptr;
    TextLabel* gained_ = nullptr;
    GardenButton* garden_ = nullptr;
    Observations observations_;
};

} // namespace vesk
