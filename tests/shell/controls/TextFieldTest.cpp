#include "shell/controls/TextField.hpp"

#include "shell/WidgetEvents.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QApplication>
#include <gtest/gtest.h>

namespace vesk {
namespace {

// Whether the bottom rows of a picture of the field show the accent.
bool accentAlongTheBottom(QWidget& field) {
    const QImage image = test::renderOnBlack(&field);
    const QColor accent = Theme::accent();
    int lit = 0;
    for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, image.height() - 1);
        lit += std::abs(c.green() - accent.green()) < 30 && std::abs(c.red() - accent.red()) < 30;
    }
    return lit > image.width() / 2;
}

TEST(TextFieldTest, TheFieldWithTheKeyboardAndOnlyItIsUnderlinedInTheAccent) {
    QWidget window;
    auto* line = new TextField("Add a task", Fonts::text(13), Theme::text(), &window);
    line->setGeometry(0, 0, 200, 24);
    auto* lines = new GrowingTextEdit("Add details", Fonts::text(12.5), Theme::text2(), 1, 6, &window);
    lines->setGeometry(0, 30, 200, lines->height());
    window.show();
    QApplication::setActiveWindow(&window);

    line->setFocus();
    EXPECT_TRUE(accentAlongTheBottom(*line));
    EXPECT_FALSE(accentAlongTheBottom(*lines));
    test::pressKey(line, Qt::Key_Tab);
    ASSERT_TRUE(lines->hasFocus());
    EXPECT_FALSE(accentAlongTheBottom(*line));
    EXPECT_TRUE(accentAlongTheBottom(*lines));
}

} // namespace
} // namespace vesk
