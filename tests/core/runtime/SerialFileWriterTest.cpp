#include "core/runtime/SerialFileWriter.hpp"

#include "support/FakeFileSystem.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

FileWriter::Bytes bytes(std::string text) {
    return std::make_shared<const std::string>(std::move(text));
}

TEST(SerialFileWriterTest, WritesInOrderReportsEachOutcomeAndFinishesBeforeItGoes) {
    test::FakeFileSystem files;
    files.createDirectories("/data");
    files.failingWrites.insert("/data/locked");
    {
        SerialFileWriter writer(files);
        FileWriter::Bytes base; // no file yet
        for (int i = 0; i < 50; ++i) {
            auto next = bytes(std::to_string(i));
            writer.write({"/data/data.json", next, base});
            base = next;
        }
        writer.write({"/data/locked", bytes("x"), nullptr});
        writer.wait();
        EXPECT_EQ(files.contents("/data/data.json"), "49");
        EXPECT_EQ(files.writeCount("/data/data.json"), 50u);
        auto outcomes = writer.finished();
        ASSERT_EQ(outcomes.size(), 51u);
        for (std::size_t i = 0; i < 50; ++i) {
            ASSERT_TRUE(outcomes[i].ok());
            EXPECT_FALSE(outcomes[i]->replaced); // each file replaced was the one expected, and is gone
        }
        EXPECT_FALSE(outcomes.back().failure().changed);
        EXPECT_EQ(outcomes.back().reason(), files.failure);
        EXPECT_TRUE(writer.finished().empty());
        EXPECT_EQ(files.filesIn("/data").size(), 1u);

        // Another program's file found in place of the one expected is handed back, still there.
        files.put("/data/data.json", "theirs");
        writer.write({"/data/data.json", bytes("mine"), base});
        writer.wait();
        outcomes = writer.finished();
        ASSERT_EQ(outcomes.size(), 1u);
        ASSERT_TRUE(outcomes[0].ok());
        ASSERT_TRUE(outcomes[0]->replaced);
        EXPECT_EQ(outcomes[0]->replacedBytes, "theirs");
        EXPECT_EQ(files.contents(*outcomes[0]->replaced), "theirs");
        writer.write({"/data/data.json", bytes("last"), bytes("mine")});
    }
    EXPECT_EQ(files.contents("/data/data.json"), "last");
}

} // namespace
} // namespace vesk
