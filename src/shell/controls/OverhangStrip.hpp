#pragma once

#include <QWidget>
#include <vector>

namespace vesk {

// A run of fixed-size controls that lays out as a strip of a given height while the controls,
// centred on it, overhang it above and below: the hover plate of an icon button may be
// taller than the line of text it sits beside without making the row taller. The controls
// are children of the strip's parent, so the strip does not clip them; hidden ones take no
// room.
class OverhangStrip final : public QWidget {
  public:
    OverhangStrip(int height, QWidget* parent);

    // Appends `control` at the trailing end; it becomes a child of the strip's parent.
    void addControl(QWidget* control);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void place();

    std::vector<QWidget*> controls_;
};

} // namespace vesk
