// The live 3D view on the headless GL the program uses for it (Mesa's EGL), under Qt's
// offscreen platform: its frames never touch the window system.
#include "garden/bonsai/BonsaiSceneView.hpp"

#include "garden/bonsai/BonsaiTree.hpp"
#include "garden/bonsai/GardenButton.hpp"
#include "garden/bonsai/SceneFrames.hpp"
#include "render/engine/BonsaiEngine.hpp"
#include "shell/WidgetEvents.hpp"
#include "shell/state/TarnelUI.hpp"
#include "support/StoreTestBed.hpp"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWheelEvent>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace vesk {
namespace {

struct SceneViewTest : ::testing::Test {
    test::VirtualClock clock;
    test::FakeMainQueue queue{clock};
    BonsaiEngine engine{queue, {}, [](std::function<void()> job) { job(); }};
    SceneFrames frames;
    double now = 0;
    QWidget host;

    BonsaiSceneView* makeView(BonsaiSceneView::Input input) {
        engine.show(12345, 600);
        queue.runDue();
        frames.waitUntilReady();
        auto* view =
            new BonsaiSceneView(engine, engine.cameraNode(), input, frames, &host, [this] { return now; });
        host.resize(378, 316);
        view->setGeometry(host.rect());
        host.show();
        return view;
    }

    void drag(QWidget* view, QPointF from, QPointF by) {
        test::mouse(view, QEvent::MouseButtonPress, from);
        QMouseEvent move(QEvent::MouseMove, from + by, view->mapToGlobal(from + by), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &move);
        test::mouse(view, QEvent::MouseButtonRelease, from + by);
    }

    void turnWheel(QWidget* view, int delta) {
        QWheelEvent wheel({100, 100}, view->mapToGlobal(QPointF(100, 100)), {}, {0, delta}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view, &wheel);
    }
};

int difference(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

TEST_F(SceneViewTest, DrawsTheTreeOnlyWhileShownAndGoesOnWithTheSameSceneWhenShownAgain) {
    BonsaiSceneView* view = makeView(BonsaiSceneView::Input::interactive);
    ASSERT_TRUE(view->isRendering());
    view->step();
    ASSERT_EQ(view->framesRendered(), 1) << "no headless GL";
    const QImage frame = view->lastFrame();
    // The tree stands in the middle of the backdrop that fills the corners.
    const QRgb backdrop = frame.pixel(2, 2);
    int most = 0;
    for (int y = frame.height() / 2 - 30; y < frame.height() / 2 + 30; ++y)
        for (int x = frame.width() / 2 - 30; x < frame.width() / 2 + 30; ++x)
            most = std::max(most, difference(frame.pixel(x, y), backdrop));
    EXPECT_GT(most, 90);

    host.hide();
    EXPECT_FALSE(view->isRendering());
    // A second of frames that would have come: none is drawn.
    for (int i = 0; i < 60; ++i) {
        now += 1.0 / 60;
        QCoreApplication::processEvents();
    }
    view->step();
    EXPECT_EQ(view->framesRendered(), 1);

    host.show();
    EXPECT_TRUE(view->isRendering());
    view->step();
    EXPECT_EQ(view->framesRendered(), 2);
}

TEST_F(SceneViewTest, ADragTurnsTheCameraAboutTheTargetAndTheTiltStopsAtEightyDegrees) {
    BonsaiSceneView* view = makeView(BonsaiSceneView::Input::interactive);
    const scene::Vec3 before = engine.cameraNode()->position();
    drag(view, {100, 150}, {120, 0});
    view->step();
    const scene::Vec3 turned = engine.cameraNode()->position();
    EXPECT_GT(std::fabs(turned.x - before.x) + std::fabs(turned.z - before.z), 1.0f);
    EXPECT_NEAR(length(turned - engine.orbitTarget()), length(before - engine.orbitTarget()), 1e-3f);

    drag(view, {100, 20}, {0, 2000});
    now += 1;
    view->step();
    const float limit = 80.0f * std::numbers::pi_v<float> / 180.0f;
    EXPECT_NEAR(view->orbit().pitch(), limit, 1e-4f);
    const scene::Vec3 d = engine.cameraNode()->position() - engine.orbitTarget();
    EXPECT_NEAR(std::asin(d.y / length(d)), limit, 1e-3f);

    // Zoomed far out, the camera is held 24 units from the target.
    for (int i = 0; i < 40; ++i) {
        turnWheel(view, -120);
    }
    view->step();
    EXPECT_NEAR(length(engine.cameraNode()->position() - engine.orbitTarget()), 24.0f, 1e-3f);
}

TEST_F(SceneViewTest, WheelEventsComingFasterThanTheFramesDoNotPutTheNextFrameOff) {
    BonsaiSceneView* view = makeView(BonsaiSceneView::Input::interactive);
    view->step();
    if (!frames.software()) GTEST_SKIP() << "the lively rate is for software GL";
    // A touchpad's stream of small turns, closer together than a lively frame's period.
    for (int i = 1; i <= 4; ++i) {
        now = i * 0.02;
        turnWheel(view, 15);
    }
    EXPECT_TRUE(view->isRendering());
    EXPECT_LE(view->nextFrameInMs(), 1) << "the frame due after the first turn keeps being put off";
}

TEST_F(SceneViewTest, AViewThatIsNotInteractiveLeavesTheCameraToTheEngine) {
    BonsaiSceneView* view = makeView(BonsaiSceneView::Input::passesThrough);
    EXPECT_TRUE(view->testAttribute(Qt::WA_TransparentForMouseEvents));
    const scene::Vec3 before = engine.cameraNode()->position();
    view->step();
    EXPECT_EQ(engine.cameraNode()->position(), before);
}

TEST_F(SceneViewTest, TheFramesLetGoOfAllOfGlAndComeBackDrawingTheSame) {
    engine.show(12345, 600);
    queue.runDue();
    const QSize pixels(160, 120);
    const auto draw = [&] { return frames.render(engine.scene(), *engine.cameraNode(), pixels, 1.0); };
    EXPECT_FALSE(frames.ready()) << "made before anything asked for it";
    ASSERT_TRUE(frames.waitUntilReady()) << "no headless GL";
    const QImage before = draw();
    ASSERT_FALSE(before.isNull());

    frames.drop();
    EXPECT_FALSE(frames.ready());
    EXPECT_FALSE(frames.holdsTargets());
    // Asking starts the making again; meanwhile the view keeps its placeholder, and one who
    // waits for the frames is told once they can be drawn, without blocking.
    bool told = false;
    frames.whenReady([&] { told = true; });
    EXPECT_FALSE(told);
    EXPECT_TRUE(draw().isNull());
    QElapsedTimer waited;
    waited.start();
    while (!told && !waited.hasExpired(2 * SceneFrames::readyDeadlineMs))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_TRUE(told);
    ASSERT_TRUE(frames.ready());
    EXPECT_EQ(draw(), before);
}

TEST(BonsaiTreeTest, ShowsTheCurrentTreeAndItsHelpStartsOpenWithTheVariableSetEvenEmpty) {
    test::StoreTestBed bed;
    Store& store = bed.open();
    store.plant(4242);
    TarnelUI ui(store, bed.queue);
    BonsaiEngine engine{bed.queue, {}, [](std::function<void()> job) { job(); }};
    SceneFrames frames;
    setenv("VESK_SHOW_HELP", "", 1);
    BonsaiTree screen(store, ui, engine, frames);
    unsetenv("VESK_SHOW_HELP");
    bed.queue.runDue();
    ASSERT_TRUE(engine.info.get().has_value());
    EXPECT_EQ(engine.shownN.get(), 1);
    EXPECT_TRUE(screen.helpShown());

    // Growing the tree asks the engine for the new count, without a growth animation.
    store.addTask("Water the moss");
    bed.queue.runDue();
    EXPECT_EQ(engine.shownN.get(), 2);
    EXPECT_FALSE(engine.animating());

    BonsaiTree closed(store, ui, engine, frames);
    EXPECT_FALSE(closed.helpShown());
    test::click(&closed.gardenButton());
    EXPECT_TRUE(ui.gardenOpen.get());
}

} // namespace
} // namespace vesk
