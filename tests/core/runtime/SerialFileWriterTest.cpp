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
        for (int i = 0; i < 50; ++i)
            writer.write("/data/data.json", bytes(std::to_string(i)));
        writer.write("/data/locked", bytes("x"));
        writer.wait();
        EXPECT_EQ(files.contents("/data/data.json"), "49");
        EXPECT_EQ(files.writeCount("/data/data.json"), 50u);
        std::vector<bool> expected(50, true);
        expected.push_back(false);
        EXPECT_EQ(writer.finished(), expected);
        EXPECT_TRUE(writer.finished().empty());
        writer.write("/data/data.json", bytes("last"));
    }
    EXPECT_EQ(files.contents("/data/data.json"), "last");
}

} // namespace
} // namespace vesk
