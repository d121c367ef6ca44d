#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

namespace vesk {

// One line of painted text in a theme colour, elided at the end when its frame is too
// narrow; with tabular digits (counts, clocks) every digit takes one width and the text is
// never elided. A left alignment is the leading one: text in a right-to-left script goes to
// the right. Paints with the presence of its ancestors like every other painted view.
class TextLabel : public QWidget {
  public:
    TextLabel(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);

    void setText(const QString& text);
    void setColor(const QColor& color);
    void setTextFont(const QFont& font);
    void setAlignment(Qt::Alignment alignment);
    void setTabularDigits(bool tabular);
    const QString& text() const { return text_; }
    const QColor& color() const { return color_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
    QFont font_;
    QColor color_;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
    bool tabular_ = false;
};

} // namespace vesk
