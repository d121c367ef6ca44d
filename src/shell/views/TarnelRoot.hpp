#pragma once

#include "shell/anim/Animated.hpp"
#include "shell/state/ContentBinding.hpp"
#include "shell/state/TarnelUI.hpp"

#include <QWidget>
#include <functional>
#include <optional>

namespace vesk {

class TarnelView;

// The panel's root: the tarnel hanging from the middle of the top edge, its soft shadow,
// and the growth-reveal satellite 10 points right of it. The tarnel's size follows the UI state
// with the tarnel spring; `onOutlineChanged` tells the owner each new frame of what it draws (the
// window's shapes follow).
class TarnelRoot final : public QWidget {
  public:
    // How far the shadows of the tarnel and the satellite reach beyond their outlines: the open
    // tarnel's is the widest.
    static constexpr double haloPoints = 10;

    TarnelRoot(TarnelUI& ui, TarnelView* tarnel, QWidget* parent = nullptr);

    // Moves the tarnel to `size` along `animation`, whatever animation the change runs in;
    // without one, at once.
    void setTarnelSize(QSizeF size, std::optional<Animation> animation = std::nullopt);
    // The satellite's top-left corner stays 10 points right of the tarnel's right edge.
    void setSatellite(QWidget* satellite);
    void setOnOutlineChanged(std::function<void()> changed) { onOutlineChanged_ = std::move(changed); }

    QRectF tarnelFrame() const;
    // What is drawn, without the shadows: the tarnel, its flared ears along the top edge
    // included, and the satellite's outline (its whole rectangle when it has none of its own).
    QPainterPath drawnOutline() const;
    TarnelView& tarnel() const { return *tarnel_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // What the outline and its shadow follow.
    struct Outline {
        bool expanded = false;
        bool hovering = false;
        TarnelUI::Size size;
        bool operator==(const Outline&) const = default;
    };
    void follow(const ContentChange<Outline>& change);
    void place();
    void outlineChanged() const;

    TarnelView* tarnel_;
    QWidget* satellite_ = nullptr;
    Animated<QSizeF> size_;
    Animated<double> shadowOpacity_;
    double shadowRadius_ = 5;
    std::function<void()> onOutlineChanged_;
    ContentBinding<Outline> outline_;
};

} // namespace vesk
