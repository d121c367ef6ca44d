#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace vesk {

// A paragraph of painted text that wraps at word boundaries onto as many lines as its width
// needs; its height follows the width. Painted with the presence of its ancestors.
class WrappedText final : public QWidget {
  public:
    WrappedText(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);

    void setText(const QString& text);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRectF bounds(double width) const;

    QString text_;
    QFont font_;
    QColor color_;
};

} // namespace vesk
