#include "shell/controls/Kpi.hpp"

#include "shell/anim/Presence.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/TabularText.hpp"
#include "shell/theme/Theme.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace vesk {

// The tile's value: tabular digits that shrink to fit, then elide.
class FittedFigure final : public QWidget {
  public:
    explicit FittedFigure(QWidget* parent)
        : QWidget(parent), font_(Fonts::text(19, FontWeight::medium, FontDesign::rounded)) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        setFixedHeight(static_cast<int>(std::ceil(QFontMetricsF(font_).height())));
    }

    void setText(const QString& text) {
        if (text == text_) return;
        text_ = text;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::TextAntialiasing);
        Presence::apply(p, this);
        QFont font = font_;
        font.setPointSizeF(font_.pointSizeF() * Kpi::valueScale(TabularText::width(font_, text_), width()));
        p.setFont(font);
        p.setPen(Theme::text());
        const QFontMetricsF metrics(font);
        const double baseline = (height() - metrics.height()) / 2 + metrics.ascent();
        if (TabularText::width(font, text_) <= width()) {
            TabularText::draw(p, QPointF(0, baseline), text_);
            return;
        }
        p.drawText(QPointF(0, baseline), metrics.elidedText(text_, Qt::ElideRight, width()));
    }

  private:
    QString text_;
    QFont font_;
};

Kpi::Kpi(const QString& value, const QString& label, QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(10, 8, 10, 8);
    stack->setSpacing(2);
    value_ = new FittedFigure(this);
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

double Kpi::valueScale(double textWidth, double boxWidth) {
    if (!(textWidth > boxWidth)) return 1;
    return std::max(boxWidth / textWidth, minimumValueScale);
}

void Kpi::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    Presence::apply(p, this);
    QPainterPath plate;
    plate.addRoundedRect(QRectF(rect()), 11, 11);
    p.fillPath(plate, Theme::surface());
}

} // namespace vesk
