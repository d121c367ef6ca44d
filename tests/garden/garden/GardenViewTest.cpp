#include "garden/garden/GardenView.hpp"

#include "garden/FakeThumbnails.hpp"
#include "garden/garden/NurserySection.hpp"
#include "garden/garden/TreeCard.hpp"
#include "render/thumbs/BonsaiThumbnails.hpp"
#include "shell/WidgetEvents.hpp"
#include "shell/controls/SectionTitle.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/state/TarnelUI.hpp"
#include "support/StoreTestBed.hpp"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <atomic>
#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::FakeThumbnails;

class GardenViewTest : public ::testing::Test, protected test::StoreTestBed {
  protected:
    Store& store = open();
    TarnelUI ui{store, queue};
    FakeThumbnails thumbs{queue};

    // The thumbnails asked for so far, published.
    void settle() {
        QCoreApplication::processEvents();
        thumbs.cache.waitForQueue();
        queue.runDue();
    }

    // A garden of `count` trees, planted a day apart, the first one current; `cubes` earned.
    void plantGarden(int count, std::int64_t cubes) {
        test::edit(store, &Snapshot::bonsai, [&](BonsaiProgress& progress) {
            for (int i = 0; i < count; ++i)
                progress.garden.push_back({UUID::random(random), std::uint64_t(1000 + i),
                                           dateFromUnixSeconds(86400.0 * i), 10 * i});
            progress.seed = 1000;
            progress.gains.push_back({clock.now(), cubes, GainReason::created});
        });
    }

    GardenView& show() {
        ui.openGarden();
        view = std::make_unique<GardenView>(store, ui, random, thumbs.cache);
        view->resize(378, 400);
        view->show();
        settle();
        return *view;
    }

    std::unique_ptr<GardenView> view;
};

TEST_F(GardenViewTest, CardsRunCurrentFirstThenNewestAndAClickMakesThatTreeCurrentAndCloses) {
    plantGarden(3, 60);
    GardenView& garden = show();
    std::vector<std::uint64_t> seeds;
    for (TreeCard* card : garden.cards())
        seeds.push_back(card->content().seed);
    EXPECT_EQ(seeds, (std::vector<std::uint64_t>{1000, 1002, 1001}));
    EXPECT_EQ(garden.cards()[0]->subtitle().text(), "Growing \u00B7 1");
    EXPECT_TRUE(garden.cards()[0]->content().highlight);
    EXPECT_EQ(garden.countLine().text(), "3 trees \u00B7 60 cubes earned");

    test::click(garden.cards()[2]);
    EXPECT_EQ(store.bonsai.get().seed, 1001u);
    EXPECT_FALSE(ui.gardenOpen.get());
}

TEST_F(GardenViewTest, ContextMenuRemovesAnyTreeButTheCurrentOne) {
    plantGarden(2, 0);
    GardenView& garden = show();
    const GardenTree current = store.bonsai.get().garden[0];
    const GardenTree other = store.bonsai.get().garden[1];
    EXPECT_EQ(garden.contextMenu(current.id), nullptr);
    const auto menu = garden.contextMenu(other.id);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "Remove from garden");

    menu->actions()[0]->trigger();
    ASSERT_EQ(store.bonsai.get().garden.size(), 1u);
    EXPECT_EQ(garden.card(other.id), nullptr);
    EXPECT_EQ(garden.cards().size(), 1u);
}

TEST_F(GardenViewTest, APickPlantsAndClosesButARefusedOneKeepsTheGardenOpen) {
    plantGarden(1, 50); // one seedling available
    // A seed the store refuses, put on offer from outside.
    const std::uint64_t refused = std::uint64_t{1} << 60;
    ui.setNursery({refused, 11, 12});
    GardenView& garden = show();
    NurseryPicker& picker = garden.nursery().picker();
    EXPECT_EQ(garden.nursery().title().text(), "NURSERY \u00B7 PICK YOUR NEW SEEDLING");

    test::click(picker.card(refused));
    EXPECT_TRUE(ui.gardenOpen.get());
    EXPECT_EQ(ui.nursery.get(), (std::vector<std::uint64_t>{11, 12}));
    EXPECT_EQ(store.bonsai.get().seedlingsPlanted, 0);

    test::click(picker.card(11));
    EXPECT_FALSE(ui.gardenOpen.get());
    EXPECT_EQ(store.bonsai.get().seed, 11u);
    EXPECT_EQ(store.bonsai.get().seedlingsPlanted, 1);
    // Now locked: picking does nothing.
    EXPECT_EQ(garden.nursery().title().text(), "NURSERY");
    test::click(picker.card(12));
    EXPECT_EQ(ui.nursery.get(), (std::vector<std::uint64_t>{12}));
    EXPECT_EQ(picker.card(12)->subtitle().text(), "Locked");
}

TEST_F(GardenViewTest, OnlyCardsScrolledIntoViewAskForThumbnails) {
    plantGarden(24, 0);
    GardenView& garden = show();
    const int nursery = 3;
    const int first = thumbs.renders - nursery;
    EXPECT_GE(first, 3);
    EXPECT_LT(first, 12);
    for (TreeCard* card : garden.cards())
        EXPECT_EQ(card->showsThumbnail(), card->hasAppeared());
    EXPECT_FALSE(garden.cards().back()->hasAppeared());

    QScrollBar* scroll = garden.findChild<QScrollArea*>()->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    settle();
    EXPECT_TRUE(garden.cards().back()->hasAppeared());
    EXPECT_TRUE(garden.cards().back()->showsThumbnail());
}

class TreeCardTest : public GardenViewTest {
  protected:
    std::unique_ptr<TreeCard> card(TreeCard::Content content) {
        auto made = std::make_unique<TreeCard>(thumbs.cache, std::move(content), 94);
        made->resize(120, 130);
        made->show();
        return made;
    }
    // The card drawn once every animation has come to rest.
    QImage rested(TreeCard& card) {
        now += 2;
        AnimationManager::shared().tick();
        return test::renderOnBlack(&card);
    }
    void SetUp() override {
        AnimationManager::shared().setTimeSource([this] { return now; });
    }
    void TearDown() override { AnimationManager::shared().setTimeSource({}); }

    double now = 0;
};

TEST_F(TreeCardTest, ShowsTheLeafUntilItsThumbnailArrivesAndAsksAgainWhenItsCountChanges) {
    auto tree = card({7, 40, "40 cubes", false, false});
    settle();
    EXPECT_EQ(thumbs.renders, 0); // not on screen yet
    tree->appear();
    EXPECT_FALSE(tree->showsThumbnail());
    settle();
    EXPECT_EQ(thumbs.renders, 1);
    EXPECT_TRUE(tree->showsThumbnail());

    tree->setContent({7, 41, "41 cubes", false, false}); // close enough
    settle();
    EXPECT_EQ(thumbs.renders, 1);
    tree->setContent({7, 900, "900 cubes", false, false});
    settle();
    EXPECT_EQ(thumbs.renders, 2);
}

TEST_F(TreeCardTest, HoverGrowsAnOpenCardButLeavesALockedOneAsItWas) {
    for (const bool locked : {false, true}) {
        int clicks = 0;
        auto tree = card({7, 900, "Plant", false, locked});
        tree->setAction([&] { ++clicks; });
        tree->appear();
        settle();
        test::unhover(tree.get()); // the window may have opened under the pointer
        const QImage before = rested(*tree);
        test::hover(tree.get());
        EXPECT_EQ(rested(*tree) == before, locked) << locked;
        test::click(tree.get());
        EXPECT_EQ(clicks, 1);
    }
}

} // namespace
} // namespace vesk
