#include "garden/tour/TourCard.hpp"

#include "core/store/Store.hpp"
#include "garden/garden/NurserySection.hpp"
#include "garden/tour/TourButtons.hpp"
#include "garden/tour/TourContent.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/anim/PresencePainter.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/BoxLayouts.hpp"
#include "shell/controls/PlainButton.hpp"
#include "shell/controls/SymbolLabel.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/controls/WrappedText.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace vesk {
namespace {

// A hint's symbol: accent on a faint accent disc, 22 across.
class HintBadge final : public QWidget {
  public:
    HintBadge(const char* symbol, QWidget* parent) : QWidget(parent) {
        setFixedSize(22, 22);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(new SymbolLabel(symbol, 11, Theme::accent(), this), 0, Qt::AlignCenter);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        PresencePainter painter(this);
        QColor disc = Theme::accent();
        disc.setAlphaF(0.14f);
        painter.setPen(Qt::NoPen);
        painter.setBrush(disc);
        painter.drawEllipse(QRectF(rect()));
    }
};

QVBoxLayout* pageColumn(QWidget* page, int spacing) {
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 8, 0, 0);
    column->setSpacing(spacing);
    return column;
}

} // namespace

TourCard::TourCard(Store& store, TarnelUI& ui, RandomSource& random, BonsaiThumbnails& thumbnails,
                   QWidget* parent)
    : QWidget(parent), store_(store), ui_(ui), random_(random), thumbnails_(thumbnails) {
    auto* column = columnLayout(this, 0);
    pages_ = new QGridLayout;
    pages_->setContentsMargins(0, 0, 0, 0);
    column->addLayout(pages_, 1);

    auto* footer = new QHBoxLayout;
    footer->setSpacing(6);
    skip_ = skipTourButton(ui_, 12, this);
    footer->addWidget(skip_);
    footer->addStretch(1);
    start_ = tourStepButton(
        12.5, QMargins(18, 6, 18, 6), [this] { ui_.advanceTour(TourStep::welcome); }, this);
    start_->setText("Start");
    footer->addWidget(start_);
    tapHint_ = new TextLabel("Tap a seedling to plant it", Fonts::text(11.5), Theme::text3(), this);
    footer->addWidget(tapHint_);
    auto* footerBox = new QWidget(this);
    footerBox->setFixedHeight(30);
    footerBox->setLayout(footer);
    footer->setContentsMargins(0, 0, 0, 0);
    column->addWidget(footerBox);

    welcome_.bind(
        {ui_.tour}, [this] { return ui_.tour.get() ? ui_.tour.get() == TourStep::welcome : showsWelcome(); },
        [this](const ContentChange<bool>& welcome) { showPage(welcome); });
    observations_.watch(ui_.hotKeyOurs, [this] {
        if (hotKeyHint_) hotKeyHint_->setText(QString::fromStdString(hotKeyHint(ui_.hotKeyOurs.get())));
    });
}

void TourCard::showPage(const ContentChange<bool>& welcome) {
    const bool arriving = welcome.before != nullptr;
    if (arriving) Presence::of(page_)->dismiss();
    page_ = welcome.now ? welcomePage() : seedlingPage();
    pages_->addWidget(page_, 0, 0);
    if (arriving) page_->hide();
    auto* in = new Presence(page_, Transition::fade().combined(Transition::move(1, 0)),
                            Transition::fade().combined(Transition::move(-1, 0)));
    if (arriving) in->setPresent(true);
    start_->setVisible(welcome.now);
    tapHint_->setVisible(!welcome.now);
}

QWidget* TourCard::welcomePage() {
    auto* page = new QWidget(this);
    auto* column = pageColumn(page, 18);
    auto* brand = new QHBoxLayout;
    brand->setSpacing(10);
    brand->addWidget(new SymbolLabel("leaf.fill", 20, Theme::accent(), page), 0, Qt::AlignBaseline);
    brand->addWidget(
        new TextLabel("Vesk", Fonts::text(34, FontWeight::light, FontDesign::serif), Theme::text(), page), 0,
        Qt::AlignBaseline);
    brand->addStretch(1);
    column->addLayout(brand);
    column->addWidget(
        new WrappedText("A quiet place for your tasks \u2014 and a bonsai that grows as you get things done.",
                        Fonts::text(14), Theme::text2(), page));
    auto* hints = new QVBoxLayout;
    hints->setContentsMargins(0, 4, 0, 0);
    hints->setSpacing(12);
    const auto hintRow = [&](const char* symbol, QWidget* text) {
        auto* row = new QHBoxLayout;
        row->setSpacing(10);
        row->addWidget(new HintBadge(symbol, page));
        row->addWidget(text, 1);
        hints->addLayout(row);
    };
    for (const auto& [symbol, text] : std::array<std::pair<const char*, const char*>, 2>{{
             {"plus", "Every task you create adds a cube to your tree."},
             {"checkmark", "Every task you complete adds 2\u20134 more."},
         }})
        hintRow(symbol, new TextLabel(text, Fonts::text(12.5), Theme::text(), page));
    // Wraps: while another program holds the key, the hint says how else to open Vesk.
    hotKeyHint_ = new WrappedText(QString::fromStdString(hotKeyHint(ui_.hotKeyOurs.get())), Fonts::text(12.5),
                                  Theme::text(), page);
    hintRow("command", hotKeyHint_);
    column->addLayout(hints);
    auto* closing = new TextLabel("Let's walk through it \u2014 it takes a minute.", Fonts::text(12),
                                  Theme::text3(), page);
    closing->setContentsMargins(0, 4, 0, 0);
    column->addWidget(closing);
    column->addStretch(1);
    return page;
}

QWidget* TourCard::seedlingPage() {
    auto* page = new QWidget(this);
    auto* column = pageColumn(page, 14);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(6);
    texts->addWidget(new TextLabel("Pick your first seedling",
                                   Fonts::text(24, FontWeight::light, FontDesign::serif), Theme::text(),
                                   page));
    texts->addWidget(new WrappedText("This is how it can look one day. It starts as a single cube.",
                                     Fonts::text(12.5), Theme::text2(), page));
    column->addLayout(texts);
    nursery_ = new NurserySection(
        store_, ui_, random_, thumbnails_, "Nursery", NurseryPicker::Access::open, 150,
        [this](std::uint64_t seed) {
            store_.plant(seed);
            if (ui_.tour.get() == TourStep::seedling) ui_.beginTaskStep();
        },
        page);
    column->addWidget(nursery_);
    column->addStretch(1);
    return page;
}

} // namespace vesk
