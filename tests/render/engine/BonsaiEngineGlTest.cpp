#include "render/engine/BonsaiEngine.hpp"
#include "render/gl/EglContext.hpp"
#include "render/gl/OffscreenRenderer.hpp"
#include "support/FakeMainQueue.hpp"

#include <cstdlib>
#include <gtest/gtest.h>

namespace vesk {
namespace {

constexpr std::uint64_t seed = 12345;

// The engine's own scene drawn headless, as the stress test and the views draw it.
class BonsaiEngineGlTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("EGL_PLATFORM", "surfaceless", 0);
        if (gl::EglContext::deviceExists()) renderer_ = gl::OffscreenRenderer::make(log_);
    }
    static void TearDownTestSuite() { renderer_.reset(); }
    void SetUp() override {
        if (!renderer_ && !gl::EglContext::deviceExists()) GTEST_SKIP() << "no EGL device";
        ASSERT_NE(renderer_, nullptr) << log_;
    }

    // An engine that builds at once, on this thread, and installs on the next runDue.
    std::unique_ptr<BonsaiEngine> engine(BonsaiEngine::Settings settings = {}) {
        return std::make_unique<BonsaiEngine>(main, std::move(settings),
                                              [](std::function<void()> job) { job(); });
    }
    // A tree of 300 cubes growing to 340.
    void grow(BonsaiEngine& e) {
        e.show(seed, 300);
        main.runDue();
        e.show(seed, 340, 300);
        main.runDue();
    }
    gl::Frame draw(BonsaiEngine& e) {
        return renderer_->render(e.scene(), *e.revealCameraNode(), 240, 200, 0.0);
    }

    static std::size_t differing(const gl::Frame& a, const gl::Frame& b) {
        std::size_t n = 0;
        for (std::size_t i = 0; i + 3 < a.rgba.size(); i += 4)
            if (std::abs(a.rgba[i] - b.rgba[i]) + std::abs(a.rgba[i + 1] - b.rgba[i + 1]) +
                    std::abs(a.rgba[i + 2] - b.rgba[i + 2]) >
                6)
                ++n;
        return n;
    }
    static std::size_t magenta(const gl::Frame& f) {
        std::size_t n = 0;
        for (std::size_t i = 0; i + 3 < f.rgba.size(); i += 4)
            if (f.rgba[i] > 170 && f.rgba[i + 2] > 170 && f.rgba[i + 1] < 110) ++n;
        return n;
    }

    test::VirtualClock clock;
    test::FakeMainQueue main{clock};
    static std::unique_ptr<gl::OffscreenRenderer> renderer_;
    static std::string log_;
};

std::unique_ptr<gl::OffscreenRenderer> BonsaiEngineGlTest::renderer_;
std::string BonsaiEngineGlTest::log_;

TEST_F(BonsaiEngineGlTest, ATreeIsDrawnOpaqueAndVariedOverItsBackdrop) {
    auto e = engine();
    const gl::Frame before = draw(*e);
    e->show(seed, 300);
    main.runDue();
    const gl::Frame tree = draw(*e);
    ASSERT_EQ(tree.rgba.size(), 240u * 200u * 4u);
    int lo = 255, hi = 0;
    for (std::size_t i = 0; i < tree.rgba.size(); i += 4) {
        ASSERT_EQ(tree.rgba[i + 3], 255);
        const int luma = (tree.rgba[i] + tree.rgba[i + 1] + tree.rgba[i + 2]) / 3;
        lo = std::min(lo, luma);
        hi = std::max(hi, luma);
    }
    EXPECT_GT(hi - lo, 60);
    // Before the first build only the black background shows.
    EXPECT_EQ(before.rgba[0] + before.rgba[1] + before.rgba[2], 0);

    e->scene().root()->children().front()->hidden = true; // the content: tree and diorama
    const gl::Frame backdrop = draw(*e);
    EXPECT_GT(differing(tree, backdrop), 240u * 200u / 10);
    const std::size_t centre = (100 * 240 + 120) * 4;
    EXPECT_GT(std::abs(tree.rgba[centre] - backdrop.rgba[centre]) +
                  std::abs(tree.rgba[centre + 1] - backdrop.rgba[centre + 1]) +
                  std::abs(tree.rgba[centre + 2] - backdrop.rgba[centre + 2]),
              30);
}

TEST_F(BonsaiEngineGlTest, TheGrowthShowsInThePicture) {
    auto e = engine();
    grow(*e);
    e->freezeAnimation(0.0f);
    const gl::Frame start = draw(*e);
    e->freezeAnimation(1.0f);
    const gl::Frame end = draw(*e);
    EXPECT_GT(differing(start, end), 50u);
    EXPECT_EQ(magenta(end), 0u);
}

TEST_F(BonsaiEngineGlTest, TheDebugSwitchPaintsGrowingCubesMagenta) {
    auto e = engine({"plain"});
    grow(*e);
    e->freezeAnimation(0.0f); // without their modifier they stand at full size at once
    EXPECT_GT(magenta(draw(*e)), 20u);
}

} // namespace
} // namespace vesk
