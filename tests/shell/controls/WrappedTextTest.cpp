#include "shell/controls/WrappedText.hpp"

#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cmath>
#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(WrappedTextTest, WrapsOntoAtMostItsLinesAndALayoutGivesItTheirHeight) {
    const QFont font = Fonts::text(13);
    const int line = static_cast<int>(std::ceil(QFontMetricsF(font).height()));
    QWidget row;
    auto* across = new QHBoxLayout(&row);
    across->setContentsMargins(0, 0, 0, 0);
    auto* column = new QVBoxLayout;
    auto* block = new WrappedText("Plan the spring garden beds with the neighbours before the frost", font,
                                  Theme::text(), &row);
    block->setMaximumLines(2);
    column->addWidget(block);
    column->addStretch(1);
    across->addLayout(column);
    row.resize(150, row.heightForWidth(150));
    row.show();
    EXPECT_EQ(block->lineCount(150), 2); // four lines' worth, cut to two
    EXPECT_GE(block->height(), 2 * line);
    EXPECT_GE(row.heightForWidth(150), 2 * line);

    block->setText("Short");
    EXPECT_EQ(block->lineCount(150), 1);
    EXPECT_LE(block->heightForWidth(150), line);
}

} // namespace
} // namespace vesk
