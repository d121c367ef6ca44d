#include "garden/garden/NurserySection.hpp"

#include "core/store/Store.hpp"
#include "garden/garden/NurseryDraw.hpp"
#include "garden/garden/TreeCard.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/IconButton.hpp"
#include "shell/controls/SectionTitle.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/theme/Theme.hpp"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vesk {

NurserySection::NurserySection(Store& store, TarnelUI& ui, RandomSource& random, BonsaiThumbnails& thumbs,
                               const QString& title, NurseryPicker::Access access, double cardHeight,
                               NurseryPicker::OnPick onPick, QWidget* parent)
    : QWidget(parent) {
    auto* column = columnLayout(this, 0);
    auto* heading = new QHBoxLayout;
    title_ = new SectionTitle(title, this);
    heading->addWidget(title_);
    heading->addStretch(1);
    auto* redraw = new IconButton(
        "arrow.clockwise", 10.5, Theme::text3(), "Other seedlings",
        [&store, &ui, &random] {
            withAnimation(Animation::tarnelFast,
                          [&] { ui.setNursery(nurserySeedlings(store.bonsai.get(), random)); });
        },
        this);
    heading->addWidget(redraw);
    column->addLayout(heading);
    // The cards' overhang stands in for part of the gap.
    column->addSpacing(8 - TreeCard::overhang);
    picker_ = new NurseryPicker(store, ui, random, thumbs, access, cardHeight, std::move(onPick), this);
    column->addWidget(picker_);
}

void NurserySection::setTitle(const QString& title) {
    title_->setText(SectionTitle::shown(title));
}

void NurserySection::setLocked(bool locked) {
    picker_->setLocked(locked);
}

} // namespace vesk
