#include "shell/controls/TextField.hpp"

#include "shell/WidgetEvents.hpp"
#include "shell/theme/Fonts.hpp"
#include "shell/theme/Theme.hpp"

#include <QApplication>
#include <QTextBlock>
#include <QTextLayout>
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

TEST(TextFieldTest, WithoutTheKeyboardALongTextShowsItsBeginning) {
    const QString title = "Book the hotel by the station " + QString(200, 'x');
    QWidget window;
    auto* line = new TextField("Subtask", Fonts::text(12.5), Theme::text(), &window);
    line->setGeometry(0, 0, 200, 24);
    auto* start = new TextField("Subtask", Fonts::text(12.5), Theme::text(), &window);
    start->setGeometry(0, 30, 200, 24);
    start->setText(title.left(8));
    // Three lines at most: the third ends where the text would go on.
    auto* lines = new GrowingTextEdit("Title", Fonts::text(17), Theme::text(), 1, 3, &window);
    lines->setGeometry(0, 60, 200, lines->height());
    auto* three = new GrowingTextEdit("Title", Fonts::text(17), Theme::text(), 1, 3, &window);
    three->setGeometry(0, 160, 200, three->height());
    auto* elsewhere = new TextField("", Fonts::text(12.5), Theme::text(), &window);
    elsewhere->setGeometry(0, 260, 200, 24);
    window.show();
    QApplication::setActiveWindow(&window);

    line->setFocus();
    line->setText(title); // the caret at its end, where the line edit scrolls
    test::renderOnBlack(line);
    elsewhere->setFocus();
    const QRect beginning(0, 0, 40, 24);
    EXPECT_EQ(test::renderOnBlack(line).copy(beginning), test::renderOnBlack(start).copy(beginning));
    // The click that gives the keyboard back lands in the text it points at.
    test::mouse(line, QEvent::MouseButtonPress, QPointF(6, 12));
    EXPECT_LT(line->cursorPosition(), 3);

    lines->setPlainText(title + " " + title);
    const QTextLine third = lines->document()->begin().layout()->lineAt(2);
    three->setPlainText(title.left(third.textStart() + third.textLength()));
    const QImage shortened = test::renderOnBlack(lines);
    const QImage whole = test::renderOnBlack(three);
    const int lineHeight = lines->height() / 3;
    EXPECT_EQ(shortened.copy(0, 0, 200, 2 * lineHeight), whole.copy(0, 0, 200, 2 * lineHeight));
    EXPECT_NE(shortened.copy(0, 2 * lineHeight, 200, lineHeight),
              whole.copy(0, 2 * lineHeight, 200, lineHeight));
}

} // namespace
} // namespace vesk
