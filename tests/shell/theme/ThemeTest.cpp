#include "shell/theme/Theme.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(ThemeTest, SurfacesAndTextsShareTheirBaseAndDifferOnlyInOpacity) {
    for (const QColor* c : {&Theme::surface(), &Theme::surfaceHi(), &Theme::hairline()})
        EXPECT_EQ(c->rgb(), Theme::surface().rgb());
    for (const QColor* c : {&Theme::text(), &Theme::text2(), &Theme::text3()})
        EXPECT_EQ(c->rgb(), Theme::text().rgb());
    EXPECT_LT(Theme::surface().alphaF(), Theme::hairline().alphaF());
    EXPECT_LT(Theme::hairline().alphaF(), Theme::surfaceHi().alphaF());
    EXPECT_GT(Theme::text().alphaF(), Theme::text2().alphaF());
    EXPECT_GT(Theme::text2().alphaF(), Theme::text3().alphaF());

    EXPECT_EQ(Theme::tarnel(), QColor(Qt::black));
    for (const QColor* tint :
         {&Theme::accent(), &Theme::focus(), &Theme::rest(), &Theme::star(), &Theme::danger()})
        EXPECT_EQ(tint->alpha(), 255);
    EXPECT_FLOAT_EQ(Theme::focus().greenF(), Theme::danger().greenF());
}

} // namespace
} // namespace vesk
