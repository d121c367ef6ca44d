#pragma once

#include <QColor>
#include <QWidget>
#include <string>

namespace vesk {

// One symbol in a theme colour, centred in its frame; it takes no input.
class SymbolLabel final : public QWidget {
  public:
    SymbolLabel(std::string symbol, double points, const QColor& color, QWidget* parent = nullptr);
    void setSymbol(std::string symbol);
    void setColor(const QColor& color);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::string symbol_;
    double points_;
    QColor color_;
};

} // namespace vesk
