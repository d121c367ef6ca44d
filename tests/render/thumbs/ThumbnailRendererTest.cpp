#include "render/thumbs/ThumbnailRenderer.hpp"

#include "bonsai/VoxelGrower.hpp"
#include "render/gl/EglContext.hpp"
#include "render/thumbs/BonsaiThumbnails.hpp"
#include "support/FakeMainQueue.hpp"

#include <cstdlib>
#include <gtest/gtest.h>

namespace vesk {
namespace {

class ThumbnailRendererTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("EGL_PLATFORM", "surfaceless", 0);
        if (!gl::EglContext::deviceExists()) GTEST_SKIP() << "no EGL device";
    }
};

std::size_t distinctColours(const gl::Frame& f) {
    std::set<std::uint32_t> colours;
    for (std::size_t i = 0; i + 3 < f.rgba.size(); i += 4)
        colours.insert(std::uint32_t(f.rgba[i]) << 16 | std::uint32_t(f.rgba[i + 1]) << 8 | f.rgba[i + 2]);
    return colours.size();
}

const std::uint8_t* pixel(const gl::Frame& f, int x, int y) {
    return &f.rgba[(std::size_t(y) * std::size_t(f.width) + std::size_t(x)) * 4];
}

TEST(ThumbnailRendererCamera, ANewRendererLooksAtTheTargetFromNinePointFourUnits) {
    const ThumbnailRenderer renderer;
    const scene::Vec3 p = renderer.camera().position() - renderer.target();
    EXPECT_NEAR(p.x, 2.295893f, 1e-5f);
    EXPECT_NEAR(p.y, 1.4975911f, 1e-5f);
    EXPECT_NEAR(p.z, 8.991446f, 1e-5f);
    // It looks along its local −Z at the target.
    const scene::Vec3 front = renderer.camera().orientation().rotate({0.0f, 0.0f, -1.0f});
    const scene::Vec3 toTarget = scene::normalized(renderer.target() - renderer.camera().position());
    EXPECT_NEAR(dot(front, toTarget), 1.0f, 1e-5f);
}

TEST_F(ThumbnailRendererTest, RendersTheTreeOverItsBackdropAndKeepsNoTreeAfterwards) {
    ThumbnailRenderer renderer;
    const auto image = renderer.render(12345, 600, 240, 200);
    ASSERT_TRUE(image) << renderer.log();
    ASSERT_EQ(image->width, 240);
    ASSERT_EQ(image->height, 200);
    for (std::size_t i = 3; i < image->rgba.size(); i += 4)
        ASSERT_EQ(image->rgba[i], 255);
    EXPECT_GT(distinctColours(*image), 500u);
    // The tree stands in the middle; the corner shows the dark backdrop.
    const std::uint8_t* corner = pixel(*image, 2, 2);
    const std::uint8_t* middle = pixel(*image, 120, 100);
    EXPECT_LT(corner[0] + corner[1] + corner[2], 120);
    EXPECT_GT(std::abs(int(middle[0]) - corner[0]) + std::abs(int(middle[1]) - corner[1]) +
                  std::abs(int(middle[2]) - corner[2]),
              60);
    for (const auto& node : renderer.scene().root()->children().front()->children())
        EXPECT_EQ(node->geometry, nullptr) << node->name;

    // Same seed and count, same pixels; the camera moves the picture.
    EXPECT_EQ(renderer.render(12345, 600, 240, 200)->rgba, image->rgba);
    renderer.aimCamera(1.2f, 0.3f, 11.0f);
    EXPECT_NE(renderer.render(12345, 600, 240, 200)->rgba, image->rgba);
}

// Where something stands before the backdrop: the columns and rows of the pixels far from the
// one at the left edge of their row.
struct Standing {
    int left, right, top, bottom;
};
Standing standing(const gl::Frame& f) {
    Standing found{f.width, -1, f.height, -1};
    for (int y = 0; y < f.height; ++y) {
        const std::uint8_t* edge = pixel(f, 0, y);
        for (int x = 0; x < f.width; ++x) {
            const std::uint8_t* p = pixel(f, x, y);
            if (std::abs(int(p[0]) - edge[0]) + std::abs(int(p[1]) - edge[1]) +
                    std::abs(int(p[2]) - edge[2]) >
                60) {
                found = {std::min(found.left, x), std::max(found.right, x), std::min(found.top, y),
                         std::max(found.bottom, y)};
            }
        }
    }
    return found;
}

TEST(ThumbnailRendererCards, TheViewWidensOnlyForContentBeyondTheLiveViewOrTheCardsWindow) {
    using Reach = ThumbnailRenderer::Reach;
    EXPECT_EQ(ThumbnailRenderer::cardHalfWidth(0.32f, Reach{0.25f, 0.2f}, 1.3f), 0.32f);
    EXPECT_NEAR(ThumbnailRenderer::cardHalfWidth(0.32f, Reach{0.4f, 0.2f}, 1.3f), 0.4f * 1.04f, 1e-6f);
    // Tall content must fit the window's height, which is its width ÷ 1.3.
    EXPECT_NEAR(ThumbnailRenderer::cardHalfWidth(0.32f, Reach{0.2f, 0.3f}, 1.3f), 0.3f * 1.3f * 1.04f, 1e-6f);
}

TEST_F(ThumbnailRendererTest, ATallerPictureShowsTheSameViewAcrossWithMoreSky) {
    ThumbnailRenderer renderer;
    renderer.frameForCards(BonsaiThumbnails::viewAspect, BonsaiThumbnails::cardAspect);
    const auto view = renderer.render(4242, 900, 240, 200);
    ASSERT_TRUE(view) << renderer.log();
    const auto taller = renderer.render(4242, 900, 240, 320);
    ASSERT_TRUE(taller);
    const Standing a = standing(*view), b = standing(*taller);
    ASSERT_LT(a.left, a.right);
    EXPECT_NEAR(b.left, a.left, 2);
    EXPECT_NEAR(b.right, a.right, 2);
}

TEST_F(ThumbnailRendererTest, AWindsweptOrCascadingTreeLiesWholeInsideEveryCardsPart) {
    ThumbnailRenderer renderer;
    renderer.frameForCards(BonsaiThumbnails::viewAspect, BonsaiThumbnails::cardAspect);
    const int w = BonsaiThumbnails::width, h = BonsaiThumbnails::height;
    const int windowHeight = int(w / BonsaiThumbnails::cardAspect);
    for (const bonsai::Style style : {bonsai::Style::fukinagashi, bonsai::Style::hanKengai}) {
        std::uint64_t seed = 1;
        while (bonsai::VoxelGrower::speciesAndStyle(seed).second != style)
            ++seed;
        const auto image = renderer.render(seed, 900, w, h);
        ASSERT_TRUE(image) << renderer.log();
        const Standing tree = standing(*image);
        EXPECT_GT(tree.left, 0) << "seed " << seed;
        EXPECT_LT(tree.right, w - 1) << "seed " << seed;
        EXPECT_GE(tree.top, (h - windowHeight) / 2) << "seed " << seed;
        EXPECT_LT(tree.bottom, (h + windowHeight) / 2) << "seed " << seed;
    }
}

TEST_F(ThumbnailRendererTest, TheCacheRendersOnItsQueueWithItsOwnContext) {
    test::VirtualClock clock;
    test::FakeMainQueue main{clock};
    BonsaiThumbnails thumbs(main);
    thumbs.request(777, 300);
    thumbs.waitForQueue();
    main.runDue();
    const auto* thumb = thumbs.thumb(777);
    ASSERT_NE(thumb, nullptr);
    EXPECT_EQ(thumb->n, 300);
    EXPECT_EQ(thumb->image->width, 240);
    EXPECT_EQ(thumb->image->height, BonsaiThumbnails::height);
    EXPECT_GT(distinctColours(*thumb->image), 100u);
}

} // namespace
} // namespace vesk
