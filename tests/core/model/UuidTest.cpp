#include "core/model/Uuid.hpp"

#include "support/FakeRandom.hpp"

#include <gtest/gtest.h>
#include <unordered_set>

namespace vesk {
namespace {

int version(const UUID& id) {
    return id.bytes()[6] >> 4;
}
int variantBits(const UUID& id) {
    return id.bytes()[8] >> 6;
}

TEST(UuidTest, ParsesEitherCaseAndWritesUpperCase) {
    const auto lower = UUID::parse("0f8e2c4a-1b3d-4e5f-a6b7-c8d9e0f1a2b3");
    const auto upper = UUID::parse("0F8E2C4A-1B3D-4E5F-A6B7-C8D9E0F1A2B3");
    ASSERT_TRUE(lower && upper);
    EXPECT_EQ(*lower, *upper);
    EXPECT_EQ(lower->uuidString(), "0F8E2C4A-1B3D-4E5F-A6B7-C8D9E0F1A2B3");
    EXPECT_EQ(lower->bytes()[0], 0x0F);
    EXPECT_EQ(lower->bytes()[15], 0xB3);
    EXPECT_EQ(UUID::unknown.uuidString(), "00000000-0000-0000-0000-000000000000");
    EXPECT_EQ(UUID::parse("00000000-0000-0000-0000-000000000000"), UUID::unknown);
    EXPECT_EQ(UUID(), UUID::unknown);
}

TEST(UuidTest, RejectsEveryOtherShape) {
    for (const char* text : {
             "",
             "0F8E2C4A1B3D4E5FA6B7C8D9E0F1A2B3",      // no hyphens
             "0F8E2C4A-1B3D-4E5F-A6B7-C8D9E0F1A2B",   // one digit short
             "0F8E2C4A-1B3D-4E5F-A6B7-C8D9E0F1A2B3F", // one digit long
             "0F8E2C4A-1B3D-4E5F-A6B7_C8D9E0F1A2B3",  // wrong separator
             "0F8E2C4A-1B3D-4E5F-A6B7-C8D9E0F1A2BG",  // not hexadecimal
             "0F8E2C4-A1B3D-4E5F-A6B7-C8D9E0F1A2B3",  // hyphen misplaced
             "{F8E2C4A-1B3D-4E5F-A6B7-C8D9E0F1A2B3}",
         })
        EXPECT_FALSE(UUID::parse(text)) << text;
}

TEST(UuidTest, RandomIdsAreVersionFourAndDistinct) {
    std::unordered_set<UUID> seen;
    for (int i = 0; i < 200; ++i) {
        const UUID id = UUID::random();
        EXPECT_EQ(version(id), 4);
        EXPECT_EQ(variantBits(id), 0b10);
        EXPECT_EQ(UUID::parse(id.uuidString()), id);
        seen.insert(id);
    }
    EXPECT_EQ(seen.size(), 200u);

    test::FakeRandom random({~0ULL, ~0ULL});
    const UUID fromSource = UUID::random(random);
    EXPECT_EQ(fromSource.uuidString(), "FFFFFFFF-FFFF-4FFF-BFFF-FFFFFFFFFFFF");
    EXPECT_EQ(random.draws, 2u);
}

} // namespace
} // namespace vesk
