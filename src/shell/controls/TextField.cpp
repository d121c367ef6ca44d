#include "shell/controls/TextField.hpp"

#include "shell/theme/TextDirection.hpp"
#include "shell/theme/Theme.hpp"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace vesk {
namespace {

constexpr double focusLineWidth = 1.5;
// The line edit's own margins around its text, inside its contents.
constexpr int lineEditHorizontalMargin = 2;

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
    // The line edit shows whatever part its caret was last in, the end of a long title
    // cut in the middle of a letter.
    if (hasFocus() || paintingWhole_ || !paintShortened()) QLineEdit::paintEvent(event);
    if (hasFocus()) paintFocusLine(*this, width(), height());
}

void TextField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A menu of its own, or another window, takes the keyboard only for a while.
    if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) return;
    // Back to the beginning, which is what shows now. The line edit scrolls only as it
    // paints: a picture no one sees brings it there, so that the click that gives the
    // keyboard back puts the caret where it points.
    setCursorPosition(0);
    if (size().isEmpty()) return;
    QImage unseen(size(), QImage::Format_ARGB32_Premultiplied);
    paintingWhole_ = true;
    render(&unseen);
    paintingWhole_ = false;
}

bool TextField::paintShortened() {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &option, this).marginsRemoved(textMargins());
    const QFontMetrics metrics(font());
    // Where the line edit puts its line, so that the text stays put as the keyboard leaves.
    const QRect line(contents.left() + lineEditHorizontalMargin,
                     contents.top() + (contents.height() - metrics.height() + 1) / 2,
                     contents.width() - 2 * lineEditHorizontalMargin, metrics.height());
    if (metrics.horizontalAdvance(text()) <= line.width()) return false;
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(line,
                     TextDirection::drawFlags(text(), Qt::AlignLeft | Qt::AlignTop) | Qt::TextSingleLine,
                     metrics.elidedText(text(), Qt::ElideRight, line.width()));
    return true;
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
    // The editor's last line would stop mid-text, with nothing to say that more follows.
    if (hasFocus() || !paintShortened()) QPlainTextEdit::paintEvent(event);
    if (hasFocus()) paintFocusLine(*viewport(), viewport()->width(), viewport()->height());
}

bool GrowingTextEdit::paintShortened() {
    if (lineCount() <= maxLines_) return false;
    QPainter painter(viewport());
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    const QPointF offset = contentOffset();
    int shown = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QPointF top = blockBoundingGeometry(block).translated(offset).topLeft();
        const QTextLayout& layout = *block.layout();
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            if (++shown < maxLines_) {
                line.draw(&painter, top);
                continue;
            }
            // The last line holds the rest of the text, cut short.
            const QString rest = toPlainText().mid(block.position() + line.textStart()).simplified();
            const QRectF place(0, top.y() + line.y(), viewport()->width(), line.height());
            painter.drawText(place, TextDirection::drawFlags(rest, Qt::AlignLeft | Qt::AlignTop),
                             QFontMetricsF(font()).elidedText(rest, Qt::ElideRight, place.width()));
            return true;
        }
    }
    return true;
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

int GrowingTextEdit::lineCount() const {
    // The plain layout counts a wrapped block's lines in its line count.
    int lines = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines += std::max(1, block.layout() ? block.layout()->lineCount() : 1);
    return lines;
}

void GrowingTextEdit::fitHeight() {
    const int lines = std::clamp(lineCount(), minLines_, maxLines_);
    const int height = int(std::ceil(QFontMetricsF(font()).lineSpacing() * lines)) + 2;
    if (height != this->height()) setFixedHeight(height);
}

} // namespace vesk
