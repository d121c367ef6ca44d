#pragma once

#include "core/runtime/Lifetime.hpp"
#include "core/runtime/MainQueue.hpp"
#include "core/runtime/Observed.hpp"
#include "core/runtime/SerialWorker.hpp"
#include "render/gl/OffscreenRenderer.hpp"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

namespace vesk {

class ThumbnailRenderer;

// The garden's pictures of its trees, by seed. A card asks for its tree at its current cube
// count; a missing or stale picture is rendered on the serial queue "vesk.bonsai.thumbs" and
// published on the main thread, where observers of `thumbs` are told. Pictures are never
// removed. Everything but the render itself belongs to the main thread.
class BonsaiThumbnails {
  public:
    struct Thumb {
        std::shared_ptr<const gl::Frame> image; // width × height, opaque
        std::int64_t n = 0;                     // the cube count it shows

        friend bool operator==(const Thumb&, const Thumb&) = default;
    };
    using Thumbs = std::map<std::uint64_t, Thumb>;
    // Draws the tree on the queue's thread; nothing when it cannot.
    using Render = std::function<std::optional<gl::Frame>(std::uint64_t seed, std::int64_t n)>;

    // The live view's look at a tree, 240 × 200, with sky added above and below, seen from
    // farther off where a tree reaches beyond it (a windswept or cascading crown, a broad
    // stand): a card crops the middle to its own aspect, the nursery's narrow ones sky, the
    // garden's wider ones (up to `cardAspect`) some of that sky, and both keep the whole tree.
    static constexpr int width = 240;
    static constexpr int height = 320;
    static constexpr float viewAspect = 240.0f / 200.0f;
    static constexpr float cardAspect = 1.3f;

    // Renders with its own offscreen renderer, made and destroyed on the queue.
    explicit BonsaiThumbnails(MainQueue& main);
    BonsaiThumbnails(MainQueue& main, Render render);
    // Drops the renders still queued and waits for the one in progress.
    ~BonsaiThumbnails();
    BonsaiThumbnails(const BonsaiThumbnails&) = delete;
    BonsaiThumbnails& operator=(const BonsaiThumbnails&) = delete;

    // Makes sure a picture of `seed` near n cubes is stored or on its way.
    void request(std::uint64_t seed, std::int64_t n);

    Observed<Thumbs, BonsaiThumbnails> thumbs;
    const Thumb* thumb(std::uint64_t seed) const;
    bool isPending(std::uint64_t seed) const { return pending_.contains(seed); }

    // A picture of `stored` cubes still serves a request for `requested`: within a tenth of
    // the request for large trees, within 3 cubes for trees up to 29.
    static bool isFresh(std::int64_t stored, std::int64_t requested);

    // Blocks until the queue has finished what it was given (tests, shutdown).
    void waitForQueue();

  private:
    // On the main thread: publishes a finished render.
    void publish(std::uint64_t seed, std::int64_t n, std::optional<gl::Frame> image);

    MainQueue& main_;
    Render render_;
    std::set<std::uint64_t> pending_;
    Lifetime lifetime_;                           // results reach the main thread only while the cache lives
    std::unique_ptr<ThumbnailRenderer> renderer_; // used and destroyed on the queue only
    SerialWorker queue_{"vesk.bonsai.thumbs"};    // last: joined before the rest goes
};

} // namespace vesk
