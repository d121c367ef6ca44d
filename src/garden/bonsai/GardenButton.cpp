#include "garden/bonsai/GardenButton.hpp"

#include "shell/anim/Presence.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Symbols.hpp"
#include "shell/theme/Theme.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace vesk {

namespace {

constexpr double symbolPoints = 9.5, spacing = 5, padX = 9, padY = 4, dot = 6;

QFont labelFont() {
    return Fonts::text(11, FontWeight::medium);
}

QFont countFont() {
    return Fonts::text(10.5, FontWeight::medium, FontDesign::rounded);
}

const QString label = QStringLiteral("Garden");

} // namespace

GardenButton::GardenButton(QWidget* parent) : PaintedControl(parent) {
    setHelp(QString::fromUtf8("All your trees — switch the one that grows, or plant a new seedling"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void GardenButton::setMark(BonsaiContent::GardenMark mark) {
    if (mark == mark_) return;
    mark_ = mark;
    updateGeometry();
    update();
}

double GardenButton::markWidth() const {
    switch (mark_.kind) {
    case BonsaiContent::GardenMark::Kind::dot:
        return dot;
    case BonsaiContent::GardenMark::Kind::count:
        return QFontMetricsF(countFont()).horizontalAdvance(QString::number(mark_.trees));
    case BonsaiContent::GardenMark::Kind::none:
        break;
    }
    return 0;
}

QSize GardenButton::sizeHint() const {
    const QFontMetricsF metrics(labelFont());
    double width = Symbols::extent(symbolPoints) + spacing + metrics.horizontalAdvance(label);
    if (mark_.kind != BonsaiContent::GardenMark::Kind::none) width += spacing + markWidth();
    const double height = std::max(metrics.height(), Symbols::extent(symbolPoints));
    return {static_cast<int>(std::ceil(width + 2 * padX)), static_cast<int>(std::ceil(height + 2 * padY))};
}

void GardenButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Presence::apply(painter, this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds(rect());
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::surface());
    painter.drawRoundedRect(bounds, bounds.height() / 2, bounds.height() / 2);

    double x = padX;
    const double extent = Symbols::extent(symbolPoints);
    Symbols::draw(painter, QRectF(x, (bounds.height() - extent) / 2, extent, extent), "square.grid.2x2",
                  symbolPoints, Theme::text2());
    x += extent + spacing;
    const QFontMetricsF metrics(labelFont());
    painter.setFont(labelFont());
    painter.setPen(Theme::text2());
    const double textWidth = metrics.horizontalAdvance(label);
    painter.drawText(QRectF(x, 0, textWidth + 1, bounds.height()), Qt::AlignLeft | Qt::AlignVCenter, label);
    x += textWidth + spacing;
    switch (mark_.kind) {
    case BonsaiContent::GardenMark::Kind::dot:
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::accent());
        painter.drawEllipse(QRectF(x, (bounds.height() - dot) / 2, dot, dot));
        break;
    case BonsaiContent::GardenMark::Kind::count:
        painter.setFont(countFont());
        painter.setPen(Theme::text3());
        painter.drawText(QRectF(x, 0, markWidth() + 1, bounds.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::number(mark_.trees));
        break;
    case BonsaiContent::GardenMark::Kind::none:
        break;
    }
}

} // namespace vesk
