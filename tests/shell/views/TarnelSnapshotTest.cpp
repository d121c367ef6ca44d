#include "shell/views/TarnelSnapshot.hpp"

#include "support/FakeFileSystem.hpp"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(TarnelSnapshotTest, CropsTheTarnelWithItsMarginAndRoomForTheReveal) {
    const auto plain = TarnelSnapshot::frame(QSizeF(1100, 600), QSizeF(440, 470), false);
    EXPECT_EQ(plain.size, QSizeF(500, 500));
    EXPECT_EQ(plain.origin, QPointF(300, 0));
    const auto small = TarnelSnapshot::frame(QSizeF(1100, 600), QSizeF(112, 30), true);
    EXPECT_EQ(small.size, QSizeF(112 + 262 + 60, 304 + 30));
    EXPECT_EQ(small.origin, QPointF(464, 0));
}

TEST(TarnelSnapshotTest, WritesAPngOfTheFramesSize) {
    QWidget panel;
    panel.resize(1100, 600);
    panel.setAttribute(Qt::WA_TranslucentBackground);
    QWidget tarnel(&panel);
    tarnel.setGeometry(494, 0, 112, 30);
    tarnel.setStyleSheet("background: black");
    test::FakeFileSystem files;
    files.createDirectories("/tmp");
    const std::filesystem::path path = "/tmp/snapshot.png";
    const auto count = TarnelSnapshot::write(panel, QSizeF(112, 30), false, files, path);
    EXPECT_EQ(count.views, 0);
    EXPECT_TRUE(count.written);
    const auto bytes = files.contents(path);
    ASSERT_TRUE(bytes);
    QImage image;
    ASSERT_TRUE(image.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                                   static_cast<int>(bytes->size()), "PNG"));
    EXPECT_EQ(image.size(), QSize(172, 60));
    // The tarnel over the grey backdrop, with the margin around it.
    EXPECT_EQ(qGray(image.pixel(86, 10)), 0);
    EXPECT_EQ(qGray(image.pixel(86, 55)), 51);
    EXPECT_EQ(qGray(image.pixel(10, 10)), 51);

    files.failingWrites.insert(path);
    EXPECT_FALSE(TarnelSnapshot::write(panel, QSizeF(112, 30), false, files, path).written);
}

} // namespace
} // namespace vesk
