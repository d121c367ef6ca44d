#include "garden/tour/TourCard.hpp"

#include "garden/FakeThumbnails.hpp"
#include "garden/garden/NurseryPicker.hpp"
#include "garden/garden/NurserySection.hpp"
#include "garden/garden/TreeCard.hpp"
#include "garden/tour/FirstSeedlingView.hpp"
#include "garden/tour/TourContent.hpp"
#include "shell/WidgetEvents.hpp"
#include "shell/controls/PlainButton.hpp"
#include "shell/controls/WrappedText.hpp"
#include "shell/state/TarnelUI.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(FirstSeedlingTest, TheLineCountsCubesAlreadyEarned) {
    EXPECT_EQ(firstSeedlingLine(0),
              "It starts as a single cube and grows with every task. More seedlings unlock later.");
    EXPECT_EQ(firstSeedlingLine(7), "It starts from a single cube \u2014 plus the 7 you've already earned.");
}

class TourCardTest : public ::testing::Test, protected test::StoreTestBed {
  protected:
    Store& store = open();
    TarnelUI ui{store, queue};
    test::FakeThumbnails thumbs{queue};
};

TEST_F(TourCardTest, StartSkipsTheSeedlingPageWhenATreeGrowsAlready) {
    store.plant(77);
    ui.setTour(TourStep::welcome);
    TourCard card(store, ui, random, thumbs.cache);
    test::click(card.startButton());
    EXPECT_EQ(ui.tour.get(), TourStep::completeTask);
    EXPECT_TRUE(ui.tourTaskID.get());
}

TEST_F(TourCardTest, TheHotKeyHintFollowsWhetherTheKeyIsOurs) {
    ui.setTour(TourStep::welcome);
    ui.setHotKeyOurs(false);
    TourCard card(store, ui, random, thumbs.cache);
    const auto hint = [&] {
        for (const QWidget* widget : card.findChildren<QWidget*>())
            if (const auto* text = dynamic_cast<const WrappedText*>(widget);
                text && text->text().startsWith("Alt+Space"))
                return text->text().toStdString();
        return std::string();
    };
    EXPECT_EQ(hint(), hotKeyHint(false));
    EXPECT_NE(hint().find("Run vesk again"), std::string::npos);
    ui.setHotKeyOurs(true);
    EXPECT_EQ(hint(), "Alt+Space opens Vesk from anywhere.");
}

TEST_F(TourCardTest, APickOnTheSeedlingPagePlantsAndMovesToTheTaskStep) {
    ui.setTour(TourStep::welcome);
    TourCard card(store, ui, random, thumbs.cache);
    card.resize(378, 420);
    card.show();
    test::click(card.startButton());
    ASSERT_EQ(ui.tour.get(), TourStep::seedling);
    EXPECT_FALSE(card.showsWelcome());
    NurserySection* nursery = card.nursery();
    ASSERT_TRUE(nursery);
    ASSERT_FALSE(ui.nursery.get().empty());
    const std::uint64_t seed = ui.nursery.get().front();
    test::click(nursery->picker().card(seed));
    EXPECT_EQ(store.bonsai.get().seed, seed);
    EXPECT_EQ(ui.tour.get(), TourStep::completeTask);

    ui.setTour(TourStep::seedling);
    test::click(card.skipButton());
    EXPECT_FALSE(ui.tour.get());
    thumbs.cache.waitForQueue();
}

} // namespace
} // namespace vesk
