#include "shell/controls/Segmented.hpp"

#include "shell/anim/PresencePainter.hpp"
#include "shell/controls/PlainButton.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

namespace vesk {

SegmentedControl::SegmentedControl(QWidget* parent) : QWidget(parent), row_(new QHBoxLayout(this)) {
    row_->setSpacing(2);
    row_->setContentsMargins(2, 2, 2, 2);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SegmentedControl::setLabels(const std::vector<QString>& labels) {
    for (PlainButton* button : buttons_)
        delete button;
    buttons_.clear();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        auto* button = new PlainButton(this);
        button->setText(labels[i]);
        button->setFont(Fonts::text(11.5, FontWeight::medium));
        button->setPadding({11, 4, 11, 4});
        button->setCornerRadius(-1);
        const int index = static_cast<int>(i);
        button->setAction([this, index] {
            if (onSelect_) onSelect_(index);
        });
        row_->addWidget(button);
        buttons_.push_back(button);
    }
    restyle();
}

void SegmentedControl::setSelectedIndex(std::optional<int> index) {
    if (index && (*index < 0 || *index >= count())) index.reset();
    selected_ = index;
    restyle();
}

void SegmentedControl::restyle() {
    for (int i = 0; i < count(); ++i) {
        PlainButton* button = buttons_[static_cast<std::size_t>(i)];
        const bool chosen = selected_ == i;
        // Segments have no hover look of their own.
        const QColor& text = chosen ? Theme::text() : Theme::text3();
        const QColor fill = chosen ? Theme::surfaceHi() : QColor(Qt::transparent);
        button->setColors(text, text);
        button->setFills(fill, fill);
    }
}

void SegmentedControl::paintEvent(QPaintEvent*) {
    PresencePainter p(this);
    const QRectF box = rect();
    QPainterPath capsule;
    capsule.addRoundedRect(box, box.height() / 2, box.height() / 2);
    p.fillPath(capsule, Theme::surface());
}

} // namespace vesk
