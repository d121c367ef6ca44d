#include "garden/garden/GardenView.hpp"

#include "core/store/Store.hpp"
#include "garden/garden/GardenContent.hpp"
#include "garden/garden/NurserySection.hpp"
#include "garden/garden/SeedlingProgress.hpp"
#include "garden/garden/TreeCard.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/ClearScroll.hpp"
#include "shell/controls/IconButton.hpp"
#include "shell/controls/SectionTitle.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/controls/ThemedMenu.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

namespace vesk {
namespace {

constexpr int columns = 3;
constexpr double cardHeight = 94;
constexpr int gap = 12;

} // namespace

GardenView::GardenView(Store& store, TarnelUI& ui, RandomSource& random, BonsaiThumbnails& thumbs,
                       QWidget* parent)
    : QWidget(parent), store_(store), ui_(ui), thumbs_(thumbs) {
    auto* column = columnLayout(this, 0);

    auto* header = new QWidget(this);
    header->setFixedHeight(26);
    auto* headerRow = rowLayout(header, 6);
    headerRow->addWidget(new IconButton(
        "chevron.left", 12, Theme::text2(), "Back", [this] { ui_.closeGarden(); }, header));
    headerRow->addWidget(new TextLabel("Garden", Fonts::text(18, FontWeight::regular, FontDesign::serif),
                                       Theme::text(), header));
    headerRow->addStretch(1);
    count_ =
        new TextLabel("", Fonts::text(11, FontWeight::medium, FontDesign::rounded), Theme::text3(), header);
    count_->setTabularDigits(true);
    headerRow->addWidget(count_);
    column->addWidget(header);
    column->addSpacing(gap);

    const std::int64_t available = store_.bonsai.get().seedlingsAvailable();
    nursery_ = new NurserySection(
        store_, ui_, random, thumbs_, QString::fromStdString(nurseryTitle(available)),
        available < 1 ? NurseryPicker::Access::locked : NurseryPicker::Access::open, cardHeight,
        [this](std::uint64_t seed) { plantSeedling(seed); }, this);
    column->addWidget(nursery_);
    column->addSpacing(gap);
    column->addWidget(new SeedlingProgress(store_, this), 0, Qt::AlignLeft);
    column->addSpacing(gap);
    column->addWidget(new SectionTitle("Your trees", this));
    // The cards' overhang stands in for part of the gap.
    column->addSpacing(gap - TreeCard::overhang);

    grid_ = new QWidget;
    gridLayout_ = new QGridLayout(grid_);
    gridLayout_->setContentsMargins(0, 0, 0, 4);
    gridLayout_->setHorizontalSpacing(8 - 2 * TreeCard::overhang);
    gridLayout_->setVerticalSpacing(10 - TreeCard::overhang);
    gridLayout_->setAlignment(Qt::AlignTop);
    for (int c = 0; c < columns; ++c) {
        gridLayout_->setColumnStretch(c, 1);
        gridLayout_->setColumnMinimumWidth(c, 10 + 2 * TreeCard::overhang);
    }
    scroll_ = clearScrollArea(grid_, this);
    column->addWidget(scroll_, 1);
    grid_->installEventFilter(this);
    scroll_->viewport()->installEventFilter(this);

    refresh();
    observations_.watch(store_.bonsai, [this] { refresh(); });
}

GardenView::~GardenView() = default;

TreeCard* GardenView::card(const UUID& tree) const {
    const auto found = cards_.find(tree);
    return found == cards_.end() ? nullptr : found->second;
}

std::vector<TreeCard*> GardenView::cards() const {
    std::vector<TreeCard*> ordered;
    for (int i = 0; i < gridLayout_->count(); ++i)
        if (auto* card = dynamic_cast<TreeCard*>(gridLayout_->itemAt(i)->widget())) ordered.push_back(card);
    return ordered;
}

void GardenView::refresh() {
    const BonsaiProgress& progress = store_.bonsai.get();
    count_->setText(QString::fromStdString(gardenCountLine(progress)));
    const std::int64_t available = progress.seedlingsAvailable();
    nursery_->setTitle(QString::fromStdString(nurseryTitle(available)));
    nursery_->setLocked(available < 1);

    const std::vector<GardenTree> trees = gardenOrder(progress);
    std::set<UUID> shown;
    for (const GardenTree& tree : trees)
        shown.insert(tree.id);
    while (gridLayout_->count() > 0)
        delete gridLayout_->takeAt(0);
    for (auto it = cards_.begin(); it != cards_.end();) {
        if (shown.contains(it->first)) {
            ++it;
            continue;
        }
        // Removed from its own context menu: gone once the menu has closed.
        it->second->hide();
        it->second->deleteLater();
        it = cards_.erase(it);
    }
    std::set<UUID> placed;
    int index = 0;
    for (const GardenTree& tree : trees) {
        // A hand-edited file may repeat an id; its first tree stands for it.
        if (!placed.insert(tree.id).second) continue;
        const bool current = isCurrentTree(progress, tree);
        const TreeCard::Content content{tree.seed, shownCubes(tree), gardenTreeSubtitle(tree, current),
                                        current, false};
        TreeCard*& card = cards_[tree.id];
        if (!card) {
            card = new TreeCard(thumbs_, content, cardHeight, grid_);
            card->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(card, &QWidget::customContextMenuRequested, this,
                    [this, card, id = tree.id](const QPoint& at) {
                        if (const auto menu = contextMenu(id)) menu->exec(card->mapToGlobal(at));
                    });
        }
        card->setContent(content);
        card->setAction([this, seed = tree.seed] { openTree(seed); });
        gridLayout_->addWidget(card, index / columns, index % columns);
        ++index;
    }
    // Once the grid has its new layout.
    QTimer::singleShot(0, this, [this] { revealVisibleCards(); });
}

std::unique_ptr<QMenu> GardenView::contextMenu(const UUID& tree) {
    const BonsaiProgress& progress = store_.bonsai.get();
    const auto found = std::find_if(progress.garden.begin(), progress.garden.end(),
                                    [&](const GardenTree& t) { return t.id == tree; });
    if (found == progress.garden.end()) return nullptr;
    const auto entries = gardenTreeMenu(isCurrentTree(progress, *found), [this, tree] {
        withAnimation(Animation::tarnelFast, [&] { store_.removeFromGarden(tree); });
    });
    if (entries.empty()) return nullptr;
    return std::make_unique<ThemedMenu>(entries, this);
}

void GardenView::plantSeedling(std::uint64_t seed) {
    // A refused seedling leaves the garden open.
    if (store_.plant(seed)) ui_.closeGarden();
}

void GardenView::openTree(std::uint64_t seed) {
    store_.plant(seed);
    ui_.closeGarden();
}

bool GardenView::eventFilter(QObject* watched, QEvent* event) {
    // The grid moves inside the view as it scrolls.
    const QEvent::Type type = event->type();
    if (type == QEvent::Move || type == QEvent::Resize) revealVisibleCards();
    return QWidget::eventFilter(watched, event);
}

void GardenView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    revealVisibleCards();
}

void GardenView::revealVisibleCards() {
    // Not before the view has given the grid its width: until then the cards lie on one another.
    if (!isVisible() || grid_->width() != scroll_->viewport()->width()) return;
    gridLayout_->activate();
    const QRect seen(-grid_->pos(), scroll_->viewport()->size());
    for (const auto& [id, card] : cards_)
        if (!card->hasAppeared() && card->isVisibleTo(grid_) && card->geometry().intersects(seen))
            card->appear();
}

} // namespace vesk
