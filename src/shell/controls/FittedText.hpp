#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace vesk {

// One line of figures with digits of equal width, in a frame the caller sizes: a text too
// wide for it is drawn smaller, down to 70 % of its font, then cut with an ellipsis; never
// wrapped, never cut through a digit.
class FittedText final : public QWidget {
  public:
    FittedText(const QFont& font, const QColor& color, Qt::Alignment alignment, QWidget* parent = nullptr);

    void setText(const QString& text);
    const QString& text() const { return text_; }
    // The scale of the font the text is drawn at in the current width.
    double shownScale() const;

    // The scale of the font for a text `textWidth` wide in a box `boxWidth` wide.
    static double scale(double textWidth, double boxWidth);
    static constexpr double minimumScale = 0.7;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
    QFont font_;
    QColor color_;
    Qt::Alignment alignment_;
};

} // namespace vesk
