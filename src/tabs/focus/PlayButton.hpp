#pragma once

#include "shell/controls/PaintedControl.hpp"

#include <QColor>
#include <string>

namespace vesk {

// The focus screen's big round button: a black play or pause glyph on a filled circle,
// 48 points across, the whole circle clickable.
class PlayButton final : public PaintedControl {
  public:
    static constexpr int side = 48;

    explicit PlayButton(QWidget* parent = nullptr);

    void setLook(const std::string& symbol, const QColor& fill);
    const std::string& symbol() const { return symbol_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    std::string symbol_ = "play.fill";
    QColor fill_;
};

} // namespace vesk
