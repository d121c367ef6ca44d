#include "render/thumbs/BonsaiThumbnails.hpp"

#include "render/thumbs/ThumbnailRenderer.hpp"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vesk {

namespace {
// The "utility" level of background work: well below the interface, above idle.
constexpr int utilityNice = 10;
} // namespace

BonsaiThumbnails::BonsaiThumbnails(MainQueue& main) : BonsaiThumbnails(main, Render{}) {
    renderer_ = std::make_unique<ThumbnailRenderer>();
    renderer_->frameForCards(viewAspect, cardAspect);
    render_ = [this](std::uint64_t seed, std::int64_t n) {
        return renderer_->render(seed, n, width, height);
    };
}

BonsaiThumbnails::BonsaiThumbnails(MainQueue& main, Render render) : main_(main), render_(std::move(render)) {
    // Thumbnails are background work: their thread yields to the interface.
    queue_.post([] { setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), utilityNice); });
}

BonsaiThumbnails::~BonsaiThumbnails() {
    // Pictures nobody will see: quitting waits for the one being drawn at most.
    queue_.discardPending();
    // The renderer's GL context belongs to the queue's thread.
    queue_.post([this] { renderer_.reset(); });
    waitForQueue();
}

void BonsaiThumbnails::waitForQueue() {
    queue_.wait();
}

const BonsaiThumbnails::Thumb* BonsaiThumbnails::thumb(std::uint64_t seed) const {
    const auto found = thumbs.get().find(seed);
    return found == thumbs.get().end() ? nullptr : &found->second;
}

bool BonsaiThumbnails::isFresh(std::int64_t stored, std::int64_t requested) {
    // Unsigned, so that far-apart counts cannot overflow the difference.
    const auto a = std::uint64_t(stored), b = std::uint64_t(requested);
    const std::uint64_t d = stored > requested ? a - b : b - a;
    if (requested > 29) return d <= std::uint64_t(requested / 10);
    return d <= 3;
}

void BonsaiThumbnails::request(std::uint64_t seed, std::int64_t n) {
    if (const Thumb* stored = thumb(seed); stored && isFresh(stored->n, n)) return;
    if (!pending_.insert(seed).second) return;
    queue_.post([this, seed, n, alive = lifetime_.token()] {
        main_.post([this, alive, seed, n, image = render_(seed, n)]() mutable {
            if (alive.alive()) publish(seed, n, std::move(image));
        });
    });
}

void BonsaiThumbnails::publish(std::uint64_t seed, std::int64_t n, std::optional<gl::Frame> image) {
    pending_.erase(seed);
    // A failed render stores nothing, so the next request tries again.
    if (!image) return;
    auto shared = std::make_shared<const gl::Frame>(std::move(*image));
    thumbs.update([&](Thumbs& all) { all[seed] = Thumb{std::move(shared), n}; });
}

} // namespace vesk
