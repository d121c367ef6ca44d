#pragma once

#include "shell/controls/PaintedControl.hpp"

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QString>
#include <string>

namespace vesk {

// The tarnel's plain button: a label (a symbol, a text, or both) with no chrome of its own
// beyond a fill that lightens to `surfaceHi` under the pointer. The whole rounded rectangle
// (or capsule) is the hit area.
class PlainButton : public PaintedControl {
  public:
    explicit PlainButton(QWidget* parent = nullptr);

    void setText(const QString& text);
    void setSymbol(const std::string& symbol, double points);
    void setFont(const QFont& font);
    void setColors(const QColor& color, const QColor& hoverColor);
    void setFills(const QColor& fill, const QColor& hoverFill);
    // A negative radius makes a capsule.
    void setCornerRadius(double radius);
    void setPadding(const QMargins& padding);

    const QString& text() const { return text_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QSizeF contentSize() const;

    QString text_;
    std::string symbol_;
    double symbolPoints_ = 12;
    QFont font_;
    QColor color_, hoverColor_, fill_, hoverFill_;
    double radius_ = 7;
    QMargins padding_;
    static constexpr double spacing_ = 5; // between symbol and text
};

} // namespace vesk
