#include "shell/WidgetEvents.hpp"
#include "shell/controls/TextField.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/controls/WrappedText.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

// The columns where a picture of the widget shows text, from its first to its last.
std::pair<int, int> inkSpan(QWidget& widget) {
    const QImage image = test::renderOnBlack(&widget);
    int first = image.width(), last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) > 80) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

// Titles in Arabic or Hebrew start at the right of their rows and fields; others at the left.
TEST(TextDirectionTest, RightToLeftTitlesAreAlignedToTheRightInLabelsParagraphsAndFields) {
    const QString hebrew = QString::fromUtf8("קנה חלב ולחם"), arabic = QString::fromUtf8("اشتري الحليب");
    TextLabel label({}, Fonts::text(13), Theme::text());
    WrappedText paragraph({}, Fonts::text(13), Theme::text());
    TextField line({}, Fonts::text(13), Theme::text());
    GrowingTextEdit lines({}, Fonts::text(13), Theme::text(), 1, 3);
    const auto setText = [&](const QString& text) {
        label.setText(text);
        paragraph.setText(text);
        line.setText(text);
        lines.setPlainText(text);
    };
    for (QWidget* widget : std::initializer_list<QWidget*>{&label, &paragraph, &line, &lines})
        widget->resize(300, widget == &lines ? lines.height() : 24);

    for (const QString& text : {hebrew, arabic}) {
        setText(text);
        for (QWidget* widget : std::initializer_list<QWidget*>{&label, &paragraph, &line, &lines}) {
            const auto [first, last] = inkSpan(*widget);
            EXPECT_GT(first, 150) << widget->metaObject()->className();
            EXPECT_GT(last, 280) << widget->metaObject()->className();
        }
    }
    setText("Buy milk");
    for (QWidget* widget : std::initializer_list<QWidget*>{&label, &paragraph, &line, &lines})
        EXPECT_LT(inkSpan(*widget).second, 150) << widget->metaObject()->className();
}

} // namespace
} // namespace vesk
