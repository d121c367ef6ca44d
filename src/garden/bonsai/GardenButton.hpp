#pragma once

#include "garden/bonsai/BonsaiContent.hpp"
#include "shell/controls/PaintedControl.hpp"

namespace vesk {

// The capsule that opens the garden: a grid symbol, "Garden" and its mark (a dot while a
// seedling is ready to plant, else the number of trees from two on), at its ideal size.
class GardenButton final : public PaintedControl {
  public:
    explicit GardenButton(QWidget* parent = nullptr);

    void setMark(BonsaiContent::GardenMark mark);
    const BonsaiContent::GardenMark& mark() const { return mark_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double markWidth() const;

    BonsaiContent::GardenMark mark_;
};

} // namespace vesk
