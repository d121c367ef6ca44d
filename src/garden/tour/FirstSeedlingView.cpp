#include "garden/tour/FirstSeedlingView.hpp"

#include "core/store/Store.hpp"
#include "garden/garden/NurserySection.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/controls/WrappedText.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QVBoxLayout>

namespace vesk {

std::string firstSeedlingLine(std::int64_t pendingCubes) {
    if (pendingCubes >= 1)
        return "It starts from a single cube \u2014 plus the " + std::to_string(pendingCubes) +
               " you've already earned.";
    return "It starts as a single cube and grows with every task. More seedlings unlock later.";
}

FirstSeedlingView::FirstSeedlingView(Store& store, TarnelUI& ui, RandomSource& random,
                                     BonsaiThumbnails& thumbnails, QWidget* parent)
    : QWidget(parent), store_(store) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 6, 0, 0);
    column->setSpacing(14);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(6);
    texts->addWidget(new TextLabel("Pick your first seedling",
                                   Fonts::text(20, FontWeight::regular, FontDesign::serif), Theme::text(),
                                   this));
    line_ = new WrappedText("", Fonts::text(12), Theme::text2(), this);
    texts->addWidget(line_);
    column->addLayout(texts);
    column->addWidget(new NurserySection(
        store_, ui, random, thumbnails, "Nursery", NurseryPicker::Access::open, 150,
        [this](std::uint64_t seed) { store_.plant(seed); }, this));
    column->addStretch(1);

    lineText_.bind(
        {store_.bonsai}, [this] { return firstSeedlingLine(store_.bonsai.get().pending); },
        [this](const ContentChange<std::string>& change) {
            line_->setText(QString::fromStdString(change.now));
        });
}

} // namespace vesk
