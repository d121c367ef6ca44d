#include "core/model/BonsaiModels.hpp"
#include "core/model/TaskModels.hpp"
#include "core/model/TaskOrder.hpp"
#include "core/model/TimerModels.hpp"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <unordered_set>

namespace vesk {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

BonsaiProgress ledger(std::initializer_list<std::int64_t> amounts) {
    BonsaiProgress progress;
    for (std::int64_t amount : amounts)
        progress.gains.push_back({Date{}, amount, GainReason::created});
    return progress;
}

TEST(ModelValueTest, SeedlingsUnlockAtTheThresholds) {
    const std::vector<std::pair<std::int64_t, std::int64_t>> table = {{0, 0},   {49, 0},  {50, 1},  {149, 1},
                                                                      {150, 2}, {299, 2}, {300, 3}, {500, 4},
                                                                      {749, 4}, {750, 5}, {1050, 6}};
    for (const auto& [total, unlocked] : table)
        EXPECT_EQ(seedlingsUnlockedBy(total), unlocked) << total;
    EXPECT_EQ(ledger({}).seedlingsUnlocked(), 0);
    EXPECT_EQ(ledger({20, 30}).seedlingsUnlocked(), 1);
    EXPECT_EQ(ledger({400, -390}).seedlingsUnlocked(), 0);
    BonsaiProgress planted = ledger({100, 60});
    planted.seedlingsPlanted = 1;
    EXPECT_EQ(planted.totalGained(), 160);
    EXPECT_EQ(planted.seedlingsAvailable(), 1);
    planted.seedlingsPlanted = 3; // an older file may have planted more than it unlocked
    EXPECT_EQ(planted.seedlingsAvailable(), -1);
    planted.seedlingsPlanted = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(planted.seedlingsAvailable(), std::numeric_limits<std::int64_t>::max());

    // Agrees with stepping through the thresholds one by one.
    std::int64_t k = 0;
    for (std::int64_t total = 0; total < 200'000; ++total) {
        while (25 * (k + 1) * (k + 2) <= total)
            ++k;
        ASSERT_EQ(seedlingsUnlockedBy(total), k) << total;
    }
}

TEST(ModelValueTest, HandEditedHugeOrNegativeTotalsDoNotOverflow) {
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(seedlingsUnlockedBy(-1), 0);
    EXPECT_EQ(seedlingsUnlockedBy(std::numeric_limits<std::int64_t>::min()), 0);
    const std::int64_t k = seedlingsUnlockedBy(max);
    const __int128 reached = static_cast<__int128>(25) * k * (k + 1);
    const __int128 next = static_cast<__int128>(25) * (k + 1) * (k + 2);
    EXPECT_LE(reached, max);
    EXPECT_GT(next, max);
    // The sum saturates instead of wrapping round to a negative total.
    EXPECT_EQ(ledger({max, max, 5}).seedlingsUnlocked(), k);
    EXPECT_EQ(ledger({-max, -max, 50}).seedlingsUnlocked(), 0);
    // One below an exact threshold near the top of the range.
    const std::int64_t big = 600'000'000;
    EXPECT_EQ(seedlingsUnlockedBy(25 * big * (big + 1)), big);
    EXPECT_EQ(seedlingsUnlockedBy(25 * big * (big + 1) - 1), big - 1);
}

TEST(ModelValueTest, EqualityComparesEveryFieldAndNaNOrdersAreEqual) {
    TaskItem task{
        .id = UUID::random(), .title = "A", .createdAt = Date{} + std::chrono::seconds(5), .order = nan};
    TaskItem copy = task;
    EXPECT_EQ(task, copy); // a task read without an order still equals itself
    EXPECT_EQ(std::hash<TaskItem>{}(task), std::hash<TaskItem>{}(copy));
    copy.order = 0;
    EXPECT_NE(task, copy);
    copy = task;
    copy.rewarded = false;
    EXPECT_NE(task, copy); // nil and false differ
    copy = task;
    copy.createdAt += std::chrono::nanoseconds(1);
    EXPECT_NE(task, copy);

    task.order = 0.0;
    copy = task;
    copy.order = -0.0;
    EXPECT_EQ(task, copy);
    EXPECT_EQ(std::hash<TaskItem>{}(task), std::hash<TaskItem>{}(copy));

    FocusSession session{.id = UUID::random(), .duration = nan};
    EXPECT_EQ(session, session);
    FocusSession other = session;
    other.taskTitle = "";
    EXPECT_NE(session, other);
    EXPECT_EQ(std::hash<FocusSession>{}(session), std::hash<FocusSession>{}(FocusSession(session)));

    const TaskList list{UUID::random(), "Home"};
    std::unordered_set<TaskList> lists{list, list, TaskList{list.id, "Work"}};
    EXPECT_EQ(lists.size(), 2u);
    EXPECT_NE(TimerState{}, (TimerState{.accumulated = 1}));
    EXPECT_EQ(allCases<TimerMode>[0], TimerMode::pomodoro);
    EXPECT_EQ(allCases<TimerMode>[1], TimerMode::stopwatch);
}

TEST(ModelValueTest, MissingOrdersSortFirstAndKeepTheirArrayOrder) {
    struct Item {
        double order;
        int tag;
    };
    std::vector<Item> items = {{2, 0}, {nan, 1}, {-1, 2}, {nan, 3}, {0.5, 4}, {-0.0, 5}, {0.0, 6}};
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return orderPrecedes(a.order, b.order); });
    std::vector<int> tags;
    for (const Item& item : items)
        tags.push_back(item.tag);
    EXPECT_EQ(tags, (std::vector<int>{1, 3, 2, 5, 6, 4, 0}));
    EXPECT_FALSE(orderPrecedes(nan, nan));
}

} // namespace
} // namespace vesk
