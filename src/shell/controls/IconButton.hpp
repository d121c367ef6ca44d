#pragma once

#include "shell/controls/PlainButton.hpp"

#include <QColor>
#include <QString>
#include <functional>
#include <string>

namespace vesk {

// A borderless symbol button with a tooltip: the symbol in its tint, turning `text` on a
// `surfaceHi` rounded rectangle while hovered. Framed `size` + 14 by `size` + 12; disabled,
// it ignores clicks.
class IconButton final : public PlainButton {
  public:
    IconButton(const std::string& symbol, double size, const QColor& tint, const QString& help,
               std::function<void()> action, QWidget* parent = nullptr);

    void setTint(const QColor& tint);
    void setIcon(const std::string& symbol);

  private:
    double size_;
};

} // namespace vesk
