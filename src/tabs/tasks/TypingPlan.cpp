#include "tabs/tasks/TypingPlan.hpp"

#include "core/runtime/RandomSource.hpp"

#include <QTextBoundaryFinder>
#include <cstdint>

namespace vesk {

namespace {

constexpr double strideSeconds = 0.07;
constexpr double settleSeconds = 0.35;
// The jitter in whole microseconds, both ends included.
constexpr std::uint64_t jitterMicroseconds = 30'000;

} // namespace

TypingPlan typingPlan(const QString& text, RandomSource& random) {
    TypingPlan plan;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    for (qsizetype end = graphemes.toNextBoundary(); end != -1; end = graphemes.toNextBoundary()) {
        const double jitter = static_cast<double>(random.uniform(0, jitterMicroseconds)) * 1e-6;
        const double index = static_cast<double>(plan.keystrokes.size());
        plan.keystrokes.push_back({index * strideSeconds + jitter, text.mid(start, end - start)});
        start = end;
    }
    plan.addDelaySeconds = static_cast<double>(plan.keystrokes.size()) * strideSeconds + settleSeconds;
    return plan;
}

} // namespace vesk
