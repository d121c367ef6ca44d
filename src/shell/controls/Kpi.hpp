#pragma once

#include <QWidget>

namespace vesk {

class FittedText;
class TextLabel;

// One figure tile: a large value over a small label on a rounded plate. It takes the width
// it is offered, so tiles in a row share it equally; a value too long for its tile shrinks to
// 70 % and is then cut with an ellipsis, never wrapped.
class Kpi final : public QWidget {
  public:
    Kpi(const QString& value, const QString& label, QWidget* parent = nullptr);

    void setValue(const QString& value);
    void setLabel(const QString& label);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    FittedText* value_;
    TextLabel* label_;
};

} // namespace vesk
