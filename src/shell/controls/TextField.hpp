#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>

namespace vesk {

// The tarnel's borderless text fields: no frame, no fill, the theme's text, placeholder and
// selection colours; the one with the keyboard is underlined in the accent. Editing keys
// reach them through the panel's key table.

// One line. Without the keyboard a text too long for it shows its beginning, ended with an
// ellipsis.
class TextField final : public QLineEdit {
  public:
    TextField(const QString& placeholder, const QFont& font, const QColor& color, QWidget* parent = nullptr);
    void setTextColor(const QColor& color);
    // A solid line through the text, as done items show.
    void setStruckThrough(bool struck);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    // Paints the shortened text when it is too long; false when it fits.
    bool paintShortened();

    bool paintingWhole_ = false;
};

// Several lines that grow with the text from `minLines` to `maxLines`, then scroll; without
// the keyboard it shows its beginning, its last line ended with an ellipsis when more text
// follows. Text that starts in a right-to-left script is aligned to the right, as one line
// is. Return runs `onReturn` instead of breaking the line when one is set; Tab and Shift+Tab
// move the keyboard on and back. Pasting or dropping takes plain text only.
class GrowingTextEdit final : public QPlainTextEdit {
  public:
    GrowingTextEdit(const QString& placeholder, const QFont& font, const QColor& color, int minLines,
                    int maxLines, QWidget* parent = nullptr);
    void setTextColor(const QColor& color);
    void setStruckThrough(bool struck);
    void setOnReturn(std::function<void()> onReturn) { onReturn_ = std::move(onReturn); }
    // Replaces the text only when it differs; the caret stays where it was, within the new text.
    void showText(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    void followDirection();
    // The lines the text takes at the present width.
    int lineCount() const;
    void fitHeight();
    // Paints the first `maxLines` lines, the last one shortened, when more follow; false
    // when all fit.
    bool paintShortened();

    int minLines_;
    int maxLines_;
    std::function<void()> onReturn_;
};

} // namespace vesk
