#pragma once

#include "shell/anim/Animated.hpp"
#include "shell/state/ContentBinding.hpp"
#include "shell/state/TarnelMenuItems.hpp"
#include "shell/theme/NotchShape.hpp"

#include <QWidget>
#include <functional>

namespace vesk {

class CollapsedView;
class TarnelUI;

// The black, notch-hugging tarnel: the collapsed pill or the expanded content on a fill of
// `Theme::tarnel` cut to the notch shape, with a black line along the top edge. The owner
// gives it its size; it follows the open state, its shape's radii with the opening or closing spring.
class TarnelView final : public QWidget {
  public:
    TarnelView(TarnelUI& ui, QWidget* expandedContent, MenuServices menuServices, QWidget* parent = nullptr);

    // A click on the pill; the owner expands the tarnel.
    void setOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }
    // Each new frame of the shape's radii.
    void setOnShapeChanged(std::function<void()> changed) { onShapeChanged_ = std::move(changed); }

    CollapsedView& collapsed() const { return *collapsed_; }
    QWidget& expandedContent() const { return *expanded_content_; }
    NotchShape shape() const { return shape_.value(); }
    QSize sizeHint() const override { return size(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    static NotchShape shapeFor(bool expanded);
    void layoutContent();
    const QPainterPath& outline();
    void clipContent();
    void setExpanded(bool expanded);

    TarnelUI& ui_;
    MenuServices menuServices_;
    CollapsedView* collapsed_;
    QWidget* expanded_content_;
    Animated<NotchShape> shape_;
    QPainterPath outline_; // of `outlineShape_` in `outlineBounds_`
    QRectF outlineBounds_;
    NotchShape outlineShape_;
    std::function<void()> onClick_;
    std::function<void()> onShapeChanged_;
    ContentBinding<bool> expanded_;
};

} // namespace vesk
