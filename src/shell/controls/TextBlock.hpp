#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace vesk {

// Painted text that wraps at word boundaries onto at most `maximumLines` lines, the last one
// elided when the text goes on; as high as its lines at the width it is given. One line of
// text that never wraps is a TextLabel.
class TextBlock final : public QWidget {
  public:
    TextBlock(const QString& text, const QFont& font, const QColor& color, int maximumLines,
              QWidget* parent = nullptr);

    void setText(const QString& text);
    void setColor(const QColor& color);
    const QString& text() const { return text_; }
    const QColor& color() const { return color_; }
    // The lines the text takes at `width`, at most `maximumLines`.
    int lineCount(int width) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // The text of each line shown at `width`, the last one elided when the text goes on.
    QStringList lines(int width) const;

    QString text_;
    QFont font_;
    QColor color_;
    int maximumLines_;
    mutable int measuredWidth_ = -1;
    mutable int measuredLines_ = 1;
};

} // namespace vesk
