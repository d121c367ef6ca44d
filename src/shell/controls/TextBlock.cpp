#include "shell/controls/TextBlock.hpp"

#include "shell/anim/Presence.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace vesk {

TextBlock::TextBlock(const QString& text, const QFont& font, const QColor& color, int maximumLines,
                     QWidget* parent)
    : QWidget(parent), text_(text), font_(font), color_(color), maximumLines_(std::max(1, maximumLines)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Not Fixed: that would hold it to the one line of its size hint.
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void TextBlock::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    measuredWidth_ = -1;
    updateGeometry();
    update();
}

void TextBlock::setColor(const QColor& color) {
    if (color == color_) return;
    color_ = color;
    update();
}

QStringList TextBlock::lines(int width) const {
    // Line breaks typed into a title break the line here too.
    QString laidOut = text_;
    laidOut.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(laidOut, font_);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList shown;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(1, width));
        if (shown.size() + 1 == maximumLines_) {
            // The last line takes the rest of the text, cut short with an ellipsis.
            const QString rest = text_.mid(line.textStart()).simplified();
            shown << QFontMetricsF(font_).elidedText(rest, Qt::ElideRight, width);
            break;
        }
        shown << laidOut.mid(line.textStart(), line.textLength()).remove(QChar::LineSeparator);
    }
    layout.endLayout();
    if (shown.isEmpty()) shown << QString();
    return shown;
}

int TextBlock::lineCount(int width) const {
    if (width != measuredWidth_) {
        measuredWidth_ = width;
        measuredLines_ = static_cast<int>(lines(width).size());
    }
    return measuredLines_;
}

int TextBlock::heightForWidth(int width) const {
    const QFontMetricsF metrics(font_);
    const double lineHeight = metrics.height();
    return static_cast<int>(
        std::ceil(lineHeight * lineCount(width) + metrics.leading() * (lineCount(width) - 1)));
}

QSize TextBlock::sizeHint() const {
    const QFontMetricsF metrics(font_);
    return {static_cast<int>(std::ceil(metrics.horizontalAdvance(text_))),
            static_cast<int>(std::ceil(metrics.height()))};
}

QSize TextBlock::minimumSizeHint() const {
    return {0, static_cast<int>(std::ceil(QFontMetricsF(font_).height()))};
}

void TextBlock::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    Presence::apply(p, this);
    p.setFont(font_);
    p.setPen(color_);
    const QFontMetricsF metrics(font_);
    double y = metrics.ascent();
    for (const QString& line : lines(width())) {
        p.drawText(QPointF(0, y), line);
        y += metrics.height() + metrics.leading();
    }
}

} // namespace vesk
