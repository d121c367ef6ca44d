#pragma once

#include <QColor>
#include <QWidget>
#include <string>

namespace vesk {

// One symbol in a fixed square, optionally on a filled circle (the badges of the growth
// rules). Painted with the presence of its ancestors; takes no input.
class SymbolMark final : public QWidget {
  public:
    SymbolMark(std::string symbol, double points, const QColor& color, double side,
               QWidget* parent = nullptr);

    void setCircle(const QColor& fill);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::string symbol_;
    double points_;
    QColor color_;
    QColor circle_ = Qt::transparent;
};

} // namespace vesk
