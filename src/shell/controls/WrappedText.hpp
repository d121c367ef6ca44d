#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace vesk {

// A paragraph of painted text that wraps at word boundaries onto as many lines as its width
// needs, or onto at most `maximumLines`, the last one then cut short with an ellipsis; its
// height follows the width. Line breaks in the text break the line; text in a right-to-left
// script is aligned to the right. Painted with the presence of its ancestors. One line that
// never wraps is a TextLabel.
class WrappedText final : public QWidget {
  public:
    WrappedText(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);

    void setText(const QString& text);
    void setColor(const QColor& color);
    // 0: as many as the text needs.
    void setMaximumLines(int lines);
    const QString& text() const { return text_; }
    const QColor& color() const { return color_; }
    // The lines the text takes at `width`.
    int lineCount(int width) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // The text of each line shown at `width`.
    QStringList lines(int width) const;

    QString text_;
    QFont font_;
    QColor color_;
    int maximumLines_ = 0;
    mutable int measuredWidth_ = -1;
    mutable int measuredLines_ = 1;
};

} // namespace vesk
