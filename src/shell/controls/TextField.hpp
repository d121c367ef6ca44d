#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>

namespace vesk {

// The tarnel's borderless text fields: no frame, no fill, the theme's text, placeholder and
// selection colours. Editing keys reach them through the panel's key table.

// One line; `onReturn` runs on Return or Enter.
class TextField final : public QLineEdit {
  public:
    TextField(const QString& placeholder, const QFont& font, const QColor& color, QWidget* parent = nullptr);
    void setTextColor(const QColor& color);
    // A solid line through the text, as done items show.
    void setStruckThrough(bool struck);
};

// Several lines that grow with the text from `minLines` to `maxLines`, then scroll.
// Return runs `onReturn` instead of breaking the line when one is set.
class GrowingTextEdit final : public QPlainTextEdit {
  public:
    GrowingTextEdit(const QString& placeholder, const QFont& font, const QColor& color, int minLines,
                    int maxLines, QWidget* parent = nullptr);
    void setTextColor(const QColor& color);
    void setStruckThrough(bool struck);
    void setOnReturn(std::function<void()> onReturn) { onReturn_ = std::move(onReturn); }
    // Replaces the text only when it differs, so the cursor stays put while the user types.
    void showText(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void fitHeight();

    int minLines_;
    int maxLines_;
    std::function<void()> onReturn_;
};

} // namespace vesk
