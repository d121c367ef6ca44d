#include "garden/garden/SeedlingProgress.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/SymbolLabel.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

namespace vesk {

// The 54 × 4 capsule with its filled part.
class SeedlingProgress::Bar final : public QWidget {
  public:
    explicit Bar(QWidget* parent) : QWidget(parent) {
        setFixedSize(static_cast<int>(BonsaiContent::progressBarLength), 4);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    void setFill(double width) {
        if (width == fill_) return;
        fill_ = width;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        Presence::apply(painter, this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        const double h = height();
        painter.setBrush(Theme::surfaceHi());
        painter.drawRoundedRect(QRectF(rect()), h / 2, h / 2);
        QColor fill = Theme::accent();
        fill.setAlphaF(0.75f);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(0, 0, fill_, h), h / 2, h / 2);
    }

  private:
    double fill_ = 0;
};

SeedlingProgress::SeedlingProgress(Store& store, QWidget* parent) : QWidget(parent), store_(store) {
    auto* stack = rowLayout(this, 0);

    readyRow_ = new QWidget(this);
    auto* ready = rowLayout(readyRow_, 5);
    ready->addWidget(new SymbolLabel("sparkles", 9.5, Theme::accent(), readyRow_), 0, Qt::AlignVCenter);
    readyText_ = new TextLabel({}, Fonts::text(11, FontWeight::medium), Theme::accent(), readyRow_);
    readyText_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    ready->addWidget(readyText_, 0, Qt::AlignVCenter);
    stack->addWidget(readyRow_);

    progressRow_ = new QWidget(this);
    auto* progress = rowLayout(progressRow_, 8);
    progressText_ = new TextLabel({}, Fonts::text(11), Theme::text3(), progressRow_);
    progressText_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed); // shown whole, never cut short
    progress->addWidget(progressText_, 0, Qt::AlignVCenter);
    bar_ = new Bar(progressRow_);
    progress->addWidget(bar_, 0, Qt::AlignVCenter);
    stack->addWidget(progressRow_);

    status_.bind(
        {store_.bonsai}, [this] { return BonsaiContent::seedlingStatus(store_.bonsai.get()); },
        [this](const ContentChange<BonsaiContent::SeedlingStatus>& change) {
            const BonsaiContent::SeedlingStatus& status = change.now;
            readyRow_->setVisible(status.ready);
            progressRow_->setVisible(!status.ready);
            (status.ready ? readyText_ : progressText_)->setText(QString::fromStdString(status.text));
            bar_->setFill(status.barWidth);
        });
}

} // namespace vesk
