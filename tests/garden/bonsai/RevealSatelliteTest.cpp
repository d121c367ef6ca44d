// The growth-reveal panel on the virtual clock, frame by frame as it opens and closes.
#include "garden/bonsai/RevealSatellite.hpp"

#include "garden/bonsai/SceneFrames.hpp"
#include "render/engine/BonsaiEngine.hpp"
#include "shell/anim/AnimationManager.hpp"
#include "shell/state/TarnelUI.hpp"
#include "support/StoreTestBed.hpp"

#include <QImage>
#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(RevealSatelliteTest, NothingOfTheContentShowsBesideTheOutlineWhileItOpensAndCloses) {
    test::StoreTestBed bed;
    Store& store = bed.open();
    TarnelUI ui(store, bed.queue);
    BonsaiEngine engine{bed.queue, {}, [](std::function<void()> job) { job(); }};
    SceneFrames frames;
    double now = 0;
    AnimationManager::shared().setTimeSource([&] { return now; });
    ui.expand(std::nullopt);
    RevealSatellite panel(ui, engine, frames);
    panel.show();

    int framesChecked = 0;
    const auto checkFrames = [&](double seconds) {
        for (const double end = now + seconds; now < end && !HasFatalFailure();) {
            now += 1.0 / 60;
            AnimationManager::shared().tick();
            if (panel.width() == 0) continue;
            QImage picture(panel.size(), QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::transparent);
            panel.render(&picture, QPoint(), QRegion(), QWidget::DrawChildren);
            // The panel's outline and, round it, the reach of its shadow.
            const QRectF reach = panel.outline().boundingRect().adjusted(-7, -7, 7, 7);
            ++framesChecked;
            for (int y = 0; y < picture.height(); ++y) {
                for (int x = 0; x < picture.width(); ++x) {
                    if (reach.contains(QPointF(x + 0.5, y + 0.5))) continue;
                    ASSERT_EQ(qAlpha(picture.pixel(x, y)), 0)
                        << "drawn at " << x << "," << y << " beside a panel of " << panel.panelSize().width()
                        << " × " << panel.panelSize().height() << " at " << now << " s";
                }
            }
        }
    };
    ui.setReveal(Reveal{UUID::random(), 600, 640, false});
    checkFrames(1.0);
    ui.setReveal(std::nullopt);
    checkFrames(1.0);
    EXPECT_GT(framesChecked, 60);
    AnimationManager::shared().setTimeSource({});
}

} // namespace
} // namespace vesk
