#pragma once

#include "shell/controls/PlainButton.hpp"

#include <QColor>
#include <QString>
#include <functional>

namespace vesk {

// A capsule toggle: black text on its tint while selected; otherwise `text2` on `surface`,
// lightening to `text` on `surfaceHi` under the pointer.
class Chip final : public PlainButton {
  public:
    enum class State { unselected, selected };

    Chip(const QString& text, State state, const QColor& tint, std::function<void()> action,
         QWidget* parent = nullptr);

    void setSelected(bool selected);
    bool isSelected() const { return selected_; }

  private:
    void restyle();

    bool selected_;
    QColor tint_;
};

} // namespace vesk
