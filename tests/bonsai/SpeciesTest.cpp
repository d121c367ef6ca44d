#include "bonsai/Species.hpp"

#include <gtest/gtest.h>
#include <set>
#include <thread>
#include <vector>

namespace vesk::bonsai {
namespace {

TEST(SpeciesTest, TablesAreInTheOrderSeedsIndexThem) {
    const auto& all = Species::all();
    ASSERT_EQ(all.size(), 7u);
    const std::vector<std::string> names{"Japanese Maple",   "Cherry Blossom",      "Ginkgo",
                                         "Shimpaku Juniper", "Japanese Black Pine", "Japanese Zelkova",
                                         "Wisteria"};
    for (std::size_t i = 0; i < all.size(); ++i)
        EXPECT_EQ(all[i].name, names[i]);
    EXPECT_EQ(all[3], Species::juniper());
    EXPECT_EQ(Species::maple().styles.size(), 5u);
    EXPECT_EQ(Species::maple().styles[0], Style::moyogi);
    EXPECT_EQ(Species::maple().styles[4], Style::moyogi);
    EXPECT_EQ(Species::zelkova().styles[0], Style::hokidachi);
    EXPECT_EQ(Species::zelkova().styles[1], Style::hokidachi);
    EXPECT_EQ(int(Style::hokidachi), 6);
}

TEST(SpeciesTest, NamesAndColoursSurviveAsGiven) {
    EXPECT_EQ(Species::ginkgo().japanese, "Ich\xC5\x8D");
    EXPECT_EQ(Species::maple().leafColors.front(), hex(0xB8231C));
    EXPECT_EQ(Species::wisteria().secondaryColors.back(), hex(0xE7DDF6));
    EXPECT_EQ(Species::sakura().secondary, LeafShape::smallLeaf);
    EXPECT_FALSE(Species::maple().secondary.has_value());
    for (const Species* s : {&Species::juniper(), &Species::pine()}) {
        EXPECT_EQ(s->fallRate, 0.0f);
        EXPECT_EQ(s->fallColors.size(), 1u);
    }
    for (const Species& s : Species::all()) {
        EXPECT_FALSE(s.styles.empty());
        EXPECT_FALSE(s.glazes.empty());
        EXPECT_FALSE(s.leafColors.empty());
        EXPECT_EQ(s.secondary.has_value(), !s.secondaryColors.empty()) << s.name;
    }
}

TEST(SpeciesTest, OnlyTheClayGlazesAreUnglazed) {
    const std::vector<const Glaze*> glazes{&Species::celadon(), &Species::cobalt(), &Species::cream(),
                                           &Species::oxblood(), &Species::namako(), &Species::terracotta(),
                                           &Species::umber(),   &Species::slate(),  &Species::ivory(),
                                           &Species::moss()};
    int unglazed = 0;
    for (const Glaze* g : glazes)
        unglazed += g->glazed ? 0 : 1;
    EXPECT_EQ(unglazed, 3);
    EXPECT_FALSE(Species::terracotta().glazed);
    EXPECT_FALSE(Species::umber().glazed);
    EXPECT_FALSE(Species::slate().glazed);
    for (const Glaze& g : Species::pine().glazes)
        EXPECT_FALSE(g.glazed);
    int clay = 0;
    for (const Glaze& g : Species::juniper().glazes)
        clay += g.glazed ? 0 : 1;
    EXPECT_EQ(clay, 3);
}

TEST(SpeciesTest, TablesBuildOnceWhenThreadsRaceForThem) {
    std::vector<const Species*> seen(8);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back([&seen, i] { seen[i] = &Species::all()[i % 7]; });
    for (auto& t : threads)
        t.join();
    for (std::size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], &Species::all()[i % 7]);
}

} // namespace
} // namespace vesk::bonsai
