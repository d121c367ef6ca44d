#include "shell/controls/TextField.hpp"

#include "shell/theme/TextDirection.hpp"
#include "shell/theme/Theme.hpp"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>
#include <cmath>

namespace vesk {
namespace {

constexpr double focusLineWidth = 1.5;

template <class Field> void applyTheme(Field& field, const QFont& font, const QColor& color) {
    field.setFont(font);
    field.setAttribute(Qt::WA_MacShowFocusRect, false);
    field.setAutoFillBackground(false);
    QPalette palette = field.palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Window, Qt::transparent);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::PlaceholderText, Theme::text3());
    palette.setColor(QPalette::Highlight, Theme::surfaceHi());
    palette.setColor(QPalette::HighlightedText, Theme::text());
    field.setPalette(palette);
}

// The mark of the field that has the keyboard: a line in the accent along its bottom edge.
void paintFocusLine(QWidget& surface, int width, int bottom) {
    QPainter painter(&surface);
    painter.fillRect(QRectF(0, bottom - focusLineWidth, width, focusLineWidth), Theme::accent());
}

template <class Field> void recolor(Field& field, const QColor& color) {
    QPalette palette = field.palette();
    palette.setColor(QPalette::Text, color);
    field.setPalette(palette);
}

} // namespace

TextField::TextField(const QString& placeholder, const QFont& font, const QColor& color, QWidget* parent)
    : QLineEdit(parent) {
    setFrame(false);
    applyTheme(*this, font, color);
    setPlaceholderText(placeholder);
    setTextMargins(0, 0, 0, 0);
}

void TextField::setTextColor(const QColor& color) {
    recolor(*this, color);
}

void TextField::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (hasFocus()) paintFocusLine(*this, width(), height());
}

void TextField::setStruckThrough(bool struck) {
    QFont f = font();
    if (f.strikeOut() == struck) return;
    f.setStrikeOut(struck);
    setFont(f);
}

GrowingTextEdit::GrowingTextEdit(const QString& placeholder, const QFont& font, const QColor& color,
                                 int minLines, int maxLines, QWidget* parent)
    : QPlainTextEdit(parent), minLines_(minLines), maxLines_(maxLines) {
    applyTheme(*this, font, color);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
    setPlaceholderText(placeholder);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
    document()->setDocumentMargin(0);
    setContentsMargins(0, 0, 0, 0);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        followDirection();
        fitHeight();
    });
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            [this] { fitHeight(); });
    fitHeight();
}

void GrowingTextEdit::setTextColor(const QColor& color) {
    recolor(*this, color);
}

void GrowingTextEdit::setStruckThrough(bool struck) {
    QFont f = font();
    if (f.strikeOut() == struck) return;
    f.setStrikeOut(struck);
    setFont(f);
}

void GrowingTextEdit::showText(const QString& text) {
    if (toPlainText() == text) return;
    QTextCursor cursor = textCursor();
    const int anchor = cursor.anchor();
    const int position = cursor.position();
    setPlainText(text);
    if (!hasFocus()) return;
    // An edit from elsewhere while the user types here leaves the caret where it was.
    const int end = static_cast<int>(text.size());
    cursor = textCursor();
    cursor.setPosition(std::min(anchor, end));
    cursor.setPosition(std::min(position, end), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void GrowingTextEdit::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    if (hasFocus()) paintFocusLine(*viewport(), viewport()->width(), viewport()->height());
}

void GrowingTextEdit::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    viewport()->update();
}

void GrowingTextEdit::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && onReturn_) {
        onReturn_();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void GrowingTextEdit::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    // Wrapping follows the width.
    fitHeight();
}

void GrowingTextEdit::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    viewport()->update();
    verticalScrollBar()->setValue(0);
}

bool GrowingTextEdit::canInsertFromMimeData(const QMimeData* source) const {
    return source && !source->formats().isEmpty() && source->hasText();
}

void GrowingTextEdit::insertFromMimeData(const QMimeData* source) {
    // Qt 6.4 reads the first clipboard format without looking whether there is one, which
    // happens whenever the program that copied has quit and no clipboard manager runs.
    if (canInsertFromMimeData(source)) insertPlainText(source->text());
}

void GrowingTextEdit::followDirection() {
    // The plain text layout aligns every line to the left, whatever its direction: the
    // document is told where its text starts.
    const QString text = toPlainText();
    QTextOption option = document()->defaultTextOption();
    const Qt::Alignment alignment = TextDirection::aligned(text, Qt::AlignLeft);
    const Qt::LayoutDirection direction = text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    if (option.alignment() == alignment && option.textDirection() == direction) return;
    option.setAlignment(alignment);
    option.setTextDirection(direction);
    document()->setDefaultTextOption(option);
}

void GrowingTextEdit::fitHeight() {
    // The plain layout counts a wrapped block's lines in its line count.
    int lines = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines += std::max(1, block.layout() ? block.layout()->lineCount() : 1);
    lines = std::clamp(lines, minLines_, maxLines_);
    const int height = int(std::ceil(QFontMetricsF(font()).lineSpacing() * lines)) + 2;
    if (height != this->height()) setFixedHeight(height);
}

} // namespace vesk
