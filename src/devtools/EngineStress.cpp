#include "devtools/EngineStress.hpp"

#include "platform/GetrandomSource.hpp"
#include "platform/QtMainQueue.hpp"
#include "render/engine/BonsaiEngine.hpp"
#include "render/gl/OffscreenRenderer.hpp"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>
#include <ostream>

namespace vesk::EngineStress {

namespace {

constexpr std::uint64_t stressSeed = 424242;
constexpr double frameIntervalSeconds = 0.05;
constexpr double reportIntervalSeconds = 2.0;
constexpr int frameSide = 160;

// Uniform on the closed range 0…1 with 53 random bits.
double unitClosed(RandomSource& random) {
    constexpr std::uint64_t steps = std::uint64_t(1) << 53;
    return double(random.uniform(0, steps)) / double(steps);
}

} // namespace

int run(const EngineStressPlan::Options& options, std::ostream& out) {
    QtMainQueue queue;
    GetrandomSource random;
    BonsaiEngine engine(queue);
    std::string log;
    auto renderer = gl::OffscreenRenderer::make(log);
    if (!renderer) out << "vesk: frames are not drawn: " << log << std::endl;

    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [start] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    std::int64_t requests = 0, anims = 0, frames = 0;
    double peak = 0.0;

    const Subscription requesting = queue.repeating(options.interval, [&] {
        ++requests;
        const std::int64_t n = EngineStressPlan::cubeCount(unitClosed(random), options.maxN);
        if (EngineStressPlan::isAnimated(requests, options.interval)) {
            ++anims;
            const auto grown = std::int64_t(random.uniform(2, 4));
            const std::int64_t limit = std::numeric_limits<std::int64_t>::max() - grown;
            engine.show(stressSeed, n > limit ? std::numeric_limits<std::int64_t>::max() : n + grown, n);
        } else {
            engine.show(stressSeed, n);
        }
    });
    const Subscription drawing = queue.repeating(frameIntervalSeconds, [&] {
        const double t = elapsed();
        // Each frame steps the scene and the engine's per-frame work, as a view's frame does.
        engine.scene().update(t);
        engine.renderDelegate().update(t, engine.revealCameraNode().get());
        if (renderer && !renderer->render(engine.scene(), *engine.revealCameraNode(), frameSide, frameSide, t)
                             .rgba.empty())
            ++frames;
        peak = std::max(peak, EngineStressPlan::residentMegabytes());
    });
    int status = 0;
    const Subscription reporting = queue.repeating(reportIntervalSeconds, [&] {
        const double t = elapsed();
        char line[200];
        std::snprintf(line, sizeof line,
                      "t=%4.0fs requests=%lld anims=%lld frames=%lld shown=%lld rss=%.0f MB peak=%.0f MB", t,
                      static_cast<long long>(requests), static_cast<long long>(anims),
                      static_cast<long long>(frames), static_cast<long long>(engine.shownN.get()),
                      EngineStressPlan::residentMegabytes(), peak);
        out << line << std::endl;
        if (t >= options.seconds) {
            out << "SURVIVED" << std::endl;
            QCoreApplication::exit(status);
        }
    });
    return QCoreApplication::exec();
}

} // namespace vesk::EngineStress
