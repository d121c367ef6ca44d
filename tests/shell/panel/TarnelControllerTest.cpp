#include "shell/panel/TarnelController.hpp"

#include "shell/anim/AnimationManager.hpp"
#include "shell/panel/TarnelPanel.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/views/TarnelRoot.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

// The panel without X (no pointer, no hot key), the animations on virtual time.
class TarnelControllerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        AnimationManager::shared().setTimeSource([this] { return now; });
        controller.show();
        root = controller.panel()->findChild<TarnelRoot*>();
        ASSERT_TRUE(root);
    }
    void TearDown() override { AnimationManager::shared().setTimeSource({}); }

    // The outline's size at each frame of the next `seconds`.
    std::vector<QSizeF> frames(double seconds) {
        std::vector<QSizeF> sizes;
        for (int i = 0; i < static_cast<int>(seconds * 60); ++i) {
            now += 1.0 / 60;
            AnimationManager::shared().tick();
            sizes.push_back(root->tarnelFrame().size());
        }
        return sizes;
    }
    QSizeF uiSize() const { return {ui.size().width, ui.size().height}; }

    double now = 0;
    test::StoreTestBed bed;
    Store& store = bed.open();
    TarnelUI ui{store, bed.queue};
    TarnelController controller{store, ui, nullptr, bed.queue, bed.files, MenuServices{}};
    TarnelRoot* root = nullptr;
};

TEST_F(TarnelControllerTest, ClosingNeverShrinksTheOutlineBelowThePillItEndsAs) {
    for (const auto tab : {TarnelUI::Tab::tasks, TarnelUI::Tab::bonsai}) {
        ui.expand(tab);
        if (tab == TarnelUI::Tab::bonsai) ui.openGarden(); // closing also shuts the garden
        frames(1.5);
        EXPECT_EQ(root->tarnelFrame().size(), uiSize());
        ui.collapse();
        const QSizeF pill = uiSize();
        for (const QSizeF& frame : frames(1.5)) {
            EXPECT_GE(frame.width(), pill.width() - 1e-6);
            EXPECT_GE(frame.height(), pill.height() - 1e-6);
        }
        EXPECT_EQ(root->tarnelFrame().size(), pill);
    }
}

TEST_F(TarnelControllerTest, TheUIStateOutlivesAControllerThatShowedIt) {
    {
        TarnelController gone{store, ui, nullptr, bed.queue, bed.files, MenuServices{}};
        gone.show();
    }
    ui.expand(TarnelUI::Tab::tasks);
    ui.collapse();
}

} // namespace
} // namespace vesk
