#include "shell/state/ContentBinding.hpp"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace vesk {
namespace {

struct Sum {
    int total = 0;
    bool operator==(const Sum&) const = default;
};

TEST(ContentBindingTest, ComputesOncePerGroupedChangeAndAppliesOnlyWhatDiffers) {
    ChangeBatch batch;
    Observed<int> a(1, batch);
    Observed<int> b(2, batch);
    int computed = 0;
    std::vector<std::pair<int, bool>> applied; // total, first
    ContentBinding<Sum> binding;
    binding.bind(
        {a, b},
        [&] {
            ++computed;
            return Sum{a.get() + b.get()};
        },
        [&](const ContentChange<Sum>& change) {
            applied.emplace_back(change.now.total, change.before == nullptr);
        });
    {
        const auto hold = batch.hold();
        a.set(3);
        b.set(4);
    }
    {
        const auto hold = batch.hold(); // a new sum, the same content
        a.set(4);
        b.set(3);
    }
    binding.setLive(false);
    a.set(5);
    EXPECT_EQ(computed, 3);
    binding.setLive(true);
    EXPECT_EQ(computed, 4);
    EXPECT_EQ(applied, (std::vector<std::pair<int, bool>>{{3, true}, {7, false}, {8, false}}));
    EXPECT_EQ(binding.content().total, 8);
}

} // namespace
} // namespace vesk
