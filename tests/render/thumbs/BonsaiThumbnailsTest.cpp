#include "render/thumbs/BonsaiThumbnails.hpp"

#include "support/FakeMainQueue.hpp"

#include <gtest/gtest.h>
#include <mutex>
#include <pthread.h>
#include <vector>

namespace vesk {
namespace {

// Renders by recording the request; fails while `failing` is set.
struct FakeRender {
    std::mutex mutex;
    std::vector<std::pair<std::uint64_t, std::int64_t>> calls;
    std::vector<std::string> threads;
    bool failing = false;

    BonsaiThumbnails::Render function() {
        return [this](std::uint64_t seed, std::int64_t n) -> std::optional<gl::Frame> {
            char name[32] = {};
            pthread_getname_np(pthread_self(), name, sizeof name);
            const std::lock_guard lock(mutex);
            calls.emplace_back(seed, n);
            threads.emplace_back(name);
            if (failing) return std::nullopt;
            return gl::Frame{
                BonsaiThumbnails::width, BonsaiThumbnails::height,
                std::vector<std::uint8_t>(std::size_t(BonsaiThumbnails::width) * BonsaiThumbnails::height * 4,
                                          std::uint8_t(n))};
        };
    }
};

class BonsaiThumbnailsTest : public ::testing::Test {
  protected:
    // Lets the render queue finish, then the main thread take its results.
    void settle() {
        thumbs.waitForQueue();
        main.runDue();
    }
    // Stores a picture of `n` cubes for the seed.
    void store(std::uint64_t seed, std::int64_t n) {
        thumbs.request(seed, n);
        settle();
        ASSERT_NE(thumbs.thumb(seed), nullptr);
        ASSERT_EQ(thumbs.thumb(seed)->n, n);
    }
    std::size_t rendersAfter(std::uint64_t seed, std::int64_t n) {
        const std::size_t before = render.calls.size();
        thumbs.request(seed, n);
        settle();
        return render.calls.size() - before;
    }

    test::VirtualClock clock;
    test::FakeMainQueue main{clock};
    FakeRender render;
    BonsaiThumbnails thumbs{main, render.function()};
};

TEST_F(BonsaiThumbnailsTest, FreshnessIsMeasuredAgainstTheRequestedCount) {
    EXPECT_TRUE(BonsaiThumbnails::isFresh(100, 91));
    EXPECT_TRUE(BonsaiThumbnails::isFresh(100, 111));
    EXPECT_FALSE(BonsaiThumbnails::isFresh(100, 90));
    EXPECT_FALSE(BonsaiThumbnails::isFresh(100, 112));
    EXPECT_TRUE(BonsaiThumbnails::isFresh(20, 17));
    EXPECT_TRUE(BonsaiThumbnails::isFresh(20, 23));
    EXPECT_FALSE(BonsaiThumbnails::isFresh(20, 16));
    EXPECT_FALSE(BonsaiThumbnails::isFresh(20, 24));
    // The rule switches at 30: 3 ≤ 30 / 10.
    EXPECT_TRUE(BonsaiThumbnails::isFresh(27, 30));
    EXPECT_FALSE(BonsaiThumbnails::isFresh(26, 30));
    // Counts far apart do not overflow into "fresh".
    EXPECT_FALSE(BonsaiThumbnails::isFresh(std::numeric_limits<std::int64_t>::min(),
                                           std::numeric_limits<std::int64_t>::max()));
}

TEST_F(BonsaiThumbnailsTest, StalePicturesAreRenderedAgainAndFreshOnesAreNot) {
    store(1, 100);
    EXPECT_EQ(rendersAfter(1, 91), 0u);
    EXPECT_EQ(rendersAfter(1, 111), 0u);
    EXPECT_EQ(rendersAfter(1, 90), 1u);
    EXPECT_EQ(thumbs.thumb(1)->n, 90);

    store(2, 20);
    EXPECT_EQ(rendersAfter(2, 17), 0u);
    EXPECT_EQ(rendersAfter(2, 16), 1u);
    store(3, 20);
    EXPECT_EQ(rendersAfter(3, 24), 1u);
    store(4, 100);
    EXPECT_EQ(rendersAfter(4, 112), 1u);
}

TEST_F(BonsaiThumbnailsTest, ASeedBeingRenderedIsNotQueuedTwice) {
    int told = 0;
    thumbs.thumbs.observe([&] { ++told; });
    thumbs.request(7, 50);
    EXPECT_TRUE(thumbs.isPending(7));
    thumbs.request(7, 500); // stale by then, but already on its way
    thumbs.request(8, 5);
    thumbs.waitForQueue();
    // Nothing is published until the main thread takes the results.
    EXPECT_EQ(thumbs.thumb(7), nullptr);
    EXPECT_EQ(told, 0);
    main.runDue();
    EXPECT_EQ(render.calls, (std::vector<std::pair<std::uint64_t, std::int64_t>>{{7, 50}, {8, 5}}));
    EXPECT_FALSE(thumbs.isPending(7));
    ASSERT_NE(thumbs.thumb(7), nullptr);
    EXPECT_EQ(thumbs.thumb(7)->n, 50);
    EXPECT_EQ(thumbs.thumb(7)->image->width, 240);
    EXPECT_EQ(thumbs.thumb(7)->image->height, BonsaiThumbnails::height);
    EXPECT_EQ(thumbs.thumb(7)->image->rgba.front(), 50);
    EXPECT_GE(told, 1);
    // Renders run on the thumbnail queue's own thread (Linux keeps 15 characters of its name).
    EXPECT_EQ(render.threads.front(), "vesk.bonsai.thu");
    // Nothing is left behind on the main thread.
    EXPECT_EQ(main.pendingCount(), 0u);
}

TEST_F(BonsaiThumbnailsTest, AFailedRenderIsNotStoredSoTheNextRequestRetries) {
    render.failing = true;
    thumbs.request(9, 40);
    settle();
    EXPECT_EQ(thumbs.thumb(9), nullptr);
    EXPECT_FALSE(thumbs.isPending(9));
    render.failing = false;
    EXPECT_EQ(rendersAfter(9, 40), 1u);
    ASSERT_NE(thumbs.thumb(9), nullptr);
    EXPECT_EQ(thumbs.thumb(9)->n, 40);

    // A failure never throws away a picture already stored.
    render.failing = true;
    EXPECT_EQ(rendersAfter(9, 400), 1u);
    EXPECT_EQ(thumbs.thumb(9)->n, 40);
}

} // namespace
} // namespace vesk
