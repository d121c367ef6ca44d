#include "platform/UniqueFd.hpp"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>

namespace vesk {
namespace {

bool isOpen(int fd) {
    return ::fcntl(fd, F_GETFD) != -1;
}

TEST(UniqueFdTest, EachDescriptorIsClosedOnceByWhoeverHoldsItLast) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    UniqueFd read(ends[0]);
    {
        UniqueFd write(ends[1]);
        UniqueFd moved = std::move(write);
        EXPECT_FALSE(write.valid());
        // Assigned over: the one it held closes, the one it takes stays open.
        moved = std::move(read);
        EXPECT_FALSE(isOpen(ends[1]));
        EXPECT_TRUE(isOpen(ends[0]));
        read = std::move(moved);
    }
    EXPECT_TRUE(isOpen(ends[0]));
    const int released = read.release();
    EXPECT_FALSE(read.valid());
    EXPECT_TRUE(isOpen(released));
    read.reset(released);

    // A failure's errno survives the close on the way out.
    errno = ENOENT;
    read.reset();
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(isOpen(ends[0]));
}

} // namespace
} // namespace vesk
