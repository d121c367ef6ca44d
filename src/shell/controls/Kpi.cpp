#include "shell/controls/Kpi.hpp"

#include "shell/anim/PresencePainter.hpp"
#include "shell/controls/FittedText.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace vesk {

Kpi::Kpi(const QString& value, const QString& label, QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(10, 8, 10, 8);
    stack->setSpacing(2);
    value_ = new FittedText(Fonts::text(19, FontWeight::medium, FontDesign::rounded), Theme::text(),
                            Qt::AlignLeft | Qt::AlignVCenter, this);
    value_->setText(value);
    label_ = new TextLabel(label, Fonts::text(10.5), Theme::text3(), this);
    stack->addWidget(value_);
    stack->addWidget(label_);
}

void Kpi::setValue(const QString& value) {
    value_->setText(value);
}

void Kpi::setLabel(const QString& label) {
    label_->setText(label);
}

void Kpi::paintEvent(QPaintEvent*) {
    PresencePainter p(this);
    QPainterPath plate;
    plate.addRoundedRect(QRectF(rect()), 11, 11);
    p.fillPath(plate, Theme::surface());
}

} // namespace vesk
