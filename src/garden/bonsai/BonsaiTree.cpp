#include "garden/bonsai/BonsaiTree.hpp"

#include "core/store/Store.hpp"
#include "garden/bonsai/BonsaiContent.hpp"
#include "garden/bonsai/BonsaiRules.hpp"
#include "garden/bonsai/BonsaiSceneView.hpp"
#include "garden/bonsai/GardenButton.hpp"
#include "garden/garden/SeedlingProgress.hpp"
#include "render/engine/BonsaiEngine.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/Chip.hpp"
#include "shell/controls/IconButton.hpp"
#include "shell/controls/RollingText.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/state/TourAnchor.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QGraphicsDropShadowEffect>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <cstdlib>

namespace vesk {

namespace {

// The help panel's backdrop: near-black over the tree, with the card's hairline.
class HelpPanel final : public QWidget {
  public:
    explicit HelpPanel(QWidget* parent) : QWidget(parent) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        Presence::apply(painter, this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        const double r = BonsaiTree::cardRadius - 0.5;
        painter.setPen(QPen(Theme::hairline(), 1));
        painter.setBrush(QColor::fromRgbF(0, 0, 0, 0.97f));
        painter.drawRoundedRect(bounds, r, r);
    }
};

QFont tracked(QFont font, double spacing) {
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return font;
}

QColor withAlpha(QColor color, double alpha) {
    color.setAlphaF(static_cast<float>(color.alphaF() * alpha));
    return color;
}

} // namespace

BonsaiTree::BonsaiTree(Store& store, TarnelUI& ui, BonsaiEngine& engine, SceneFrames& frames, QWidget* parent)
    : QWidget(parent), store_(store), ui_(ui), engine_(engine),
      showHelp_(std::getenv("VESK_SHOW_HELP") != nullptr), seed_(store.bonsai.get().seed),
      count_(BonsaiContent::shownCount(store.bonsai.get())) {
    auto* column = columnLayout(this, 12);
    column->addWidget(makeCard(frames));
    column->addWidget(makeBottomRow());
    column->addStretch(1);

    observations_.watch(store_.bonsai, [this] { bonsaiChanged(); });
    observations_.watch(engine_.info,
                        [this] { withAnimation(Animation::easeInOut(0.3), [this] { refreshCaption(); }); });
    refreshCaption();
    // Appearing: the current tree, or none.
    engine_.show(seed_, count_);
}

QWidget* BonsaiTree::makeCard(SceneFrames& frames) {
    auto* card = new QWidget(this);
    card->setFixedHeight(cardHeight);
    auto* layers = new QGridLayout(card);
    layers->setContentsMargins(0, 0, 0, 0);

    view_ =
        new BonsaiSceneView(engine_, engine_.cameraNode(), BonsaiSceneView::Input::interactive, frames, card);
    view_->setCornerRadius(cardRadius);
    view_->setBorder(Theme::hairline());
    layers->addWidget(view_, 0, 0);

    caption_ = makeCaption(card);
    layers->addWidget(caption_, 0, 0, Qt::AlignTop | Qt::AlignLeft);

    help_ = makeHelp(card);
    layers->addWidget(help_, 0, 0);
    return card;
}

QWidget* BonsaiTree::makeCaption(QWidget* parent) {
    auto* caption = new QWidget(parent);
    auto* lines = new QVBoxLayout(caption);
    lines->setContentsMargins(16, 14, 0, 0);
    lines->setSpacing(4);
    japanese_ = new TextLabel({}, tracked(Fonts::text(24, FontWeight::light, FontDesign::serif), 1),
                              Theme::text(), caption);
    subtitle_ =
        new TextLabel({}, tracked(Fonts::text(8.5, FontWeight::semibold), 1.6), Theme::text2(), caption);
    cubes_ = new RollingText(caption);
    cubes_->setTextFont(Fonts::text(10, FontWeight::regular, FontDesign::monospaced));
    cubes_->setColor(Theme::text3());
    for (QWidget* line :
         {static_cast<QWidget*>(japanese_), static_cast<QWidget*>(subtitle_), static_cast<QWidget*>(cubes_)})
        lines->addWidget(line, 0, Qt::AlignLeft);

    auto* shadow = new QGraphicsDropShadowEffect(caption);
    shadow->setColor(Theme::shadow());
    shadow->setBlurRadius(12);
    shadow->setOffset(0, 0);
    caption->setGraphicsEffect(shadow);
    new Presence(caption, Transition::fade());
    Presence::of(caption)->setPresent(!showHelp_);
    // Drags and clicks reach the tree beneath.
    caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    return caption;
}

QWidget* BonsaiTree::makeHelp(QWidget* parent) {
    auto* panel = new HelpPanel(parent);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(18, 18, 18, 18);
    column->setSpacing(14);
    column->addWidget(new TextLabel(QStringLiteral("How your bonsai grows"),
                                    Fonts::text(17, FontWeight::regular, FontDesign::serif), Theme::text(),
                                    panel));
    column->addWidget(new BonsaiRules(panel));
    column->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(new SeedlingProgress(store_, panel));
    row->addStretch(1);
    row->addWidget(new Chip(QStringLiteral("Got it"), Chip::State::selected, Theme::accent(), [this] {
        withAnimation(Animation::tarnelFast, [this] { setHelpShown(false); });
    }));
    column->addLayout(row);
    if (!showHelp_) panel->hide();
    new Presence(panel, Transition::scaled(0.97).combined(Transition::fade()));
    return panel;
}

QWidget* BonsaiTree::makeBottomRow() {
    auto* row = new QWidget(this);
    auto* layout = rowLayout(row, 8);
    helpToggle_ = new IconButton(
        "questionmark.circle", 12, Theme::text3(), QStringLiteral("How your bonsai grows"),
        [this] { withAnimation(Animation::tarnelFast, [this] { setHelpShown(!showHelp_); }); }, row);
    layout->addWidget(helpToggle_, 0, Qt::AlignVCenter);
    layout->addWidget(new SeedlingProgress(store_, row), 0, Qt::AlignVCenter);
    layout->addStretch(1);
    layout->addSpacing(4);
    gained_ = new TextLabel({}, Fonts::text(11), withAlpha(Theme::accent(), 0.85), row);
    gained_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    layout->addWidget(gained_, 0, Qt::AlignVCenter);
    garden_ = new GardenButton(row);
    garden_->setAction([this] { ui_.openGarden(); });
    tourAnchor(garden_, TourTarget::gardenButton);
    layout->addWidget(garden_, 0, Qt::AlignVCenter);
    setHelpShown(showHelp_);
    return row;
}

void BonsaiTree::setHelpShown(bool shown) {
    showHelp_ = shown;
    helpToggle_->setIcon(shown ? "xmark.circle.fill" : "questionmark.circle");
    helpToggle_->setTint(shown ? Theme::text() : Theme::text3());
    Presence::of(help_)->setPresent(shown);
    Presence::of(caption_)->setPresent(!shown);
    caption_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BonsaiTree::bonsaiChanged() {
    const BonsaiProgress& bonsai = store_.bonsai.get();
    const std::int64_t count = BonsaiContent::shownCount(bonsai);
    if (bonsai.seed != seed_ || count != count_) {
        seed_ = bonsai.seed;
        count_ = count;
        engine_.show(seed_, count_);
    }
    refreshCaption();
}

void BonsaiTree::refreshCaption() {
    const BonsaiProgress& bonsai = store_.bonsai.get();
    const auto caption = BonsaiContent::caption(engine_.info.get(), count_);
    japanese_->setText(QString::fromStdString(caption.japanese));
    subtitle_->setText(QString::fromStdString(caption.subtitle));
    cubes_->setText(QString::fromStdString(caption.cubes), RollingText::Direction::up);
    const auto gained = BonsaiContent::gainedToday(store_.bonsaiGainedToday());
    gained_->setVisible(gained.has_value());
    if (gained) gained_->setText(QString::fromStdString(*gained));
    garden_->setMark(BonsaiContent::gardenMark(bonsai));
}

} // namespace vesk
