#pragma once

#include <QWidget>
#include <functional>

namespace vesk {

// A control drawn by its own paint code: it follows the pointer (hover), the button
// (press) and the keyboard focus, and runs its action on a click: a press and a release
// of the left button inside it. Space or Return click a focused control.
class PaintedControl : public QWidget {
  public:
    explicit PaintedControl(QWidget* parent = nullptr);

    void setAction(std::function<void()> action) { action_ = std::move(action); }
    // The tooltip; empty shows none.
    void setHelp(const QString& help) { setToolTip(help); }

    bool isHovered() const { return hovered_; }
    bool isPressed() const { return pressed_; }

    // Runs the action as a click would.
    void click();

  protected:
    // Repaints by default; controls that animate with their state override it.
    virtual void interactionChanged() { update(); }

    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void setHovered(bool hovered);
    void setPressed(bool pressed);

    std::function<void()> action_;
    bool hovered_ = false;
    bool pressed_ = false;
};

} // namespace vesk
