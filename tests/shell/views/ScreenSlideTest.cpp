#include "shell/WidgetEvents.hpp"
#include "shell/anim/AnimationManager.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/views/ExpandedView.hpp"
#include "support/StoreTestBed.hpp"

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace vesk {
namespace {

// A screen with a red text field across its middle half, which paints itself as Qt's
// widgets do, and nothing on either side.
QWidget* textFieldScreen(QWidget* parent) {
    auto* screen = new QWidget(parent);
    auto* row = new QHBoxLayout(screen);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    auto* field = new QLineEdit(screen);
    field->setObjectName("field");
    field->setStyleSheet("QLineEdit { background: rgb(255, 0, 0); border: none; }");
    field->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    row->addStretch(1);
    row->addWidget(field, 2);
    row->addStretch(1);
    return screen;
}

int redAt(const QImage& image, int x, int y) {
    return image.pixelColor(x, y).red();
}

TEST(ScreenSlideTest, TheTasksScreenWithATextFieldSlidesAndFadesOutAsAWholeAndKeepsItsFocusTillItIsGone) {
    test::StoreTestBed bed;
    Store& store = bed.open();
    TarnelUI ui{store, bed.queue};
    ScreenFactories factories;
    factories.tasks = textFieldScreen;
    factories.taskDetail = textFieldScreen;
    ui.expand(std::nullopt);
    ExpandedView expanded(store, ui, MenuServices{}, factories);
    expanded.show();
    QApplication::setActiveWindow(&expanded);
    QWidget* tasks = expanded.screenWidget();
    auto* field = tasks->findChild<QLineEdit*>("field");
    field->setFocus();
    const QImage before = test::renderOnBlack(&expanded);
    const QRect area = tasks->geometry();
    const int y = area.center().y();
    const auto at = [&](double share) { return area.left() + int(share * area.width()); };
    ASSERT_EQ(redAt(before, at(0.5), y), 255);
    ASSERT_EQ(redAt(before, at(0.125), y), 0);

    double now = 0;
    AnimationManager::shared().setTimeSource([&] { return now; });
    ui.openDetail(store.lists.get()[0].id);
    // Along the opening's spring to the moment the screen stands half-way out.
    const QPoint halfway = area.topLeft() - QPoint(area.width() / 2, 0);
    while (tasks->pos().x() > halfway.x() && now < 1) {
        now += 0.0002;
        AnimationManager::shared().tick();
    }
    // Half-way out to the left and half faded: the field now spans the left quarter, and the
    // screen's empty side follows it over the tarnel's black.
    const QImage midway = test::renderOnBlack(&expanded);
    EXPECT_NEAR(redAt(midway, at(0.125), y), 128, 8);
    EXPECT_LT(redAt(midway, at(0.5) - 4, y), 10);
    EXPECT_TRUE(field->hasFocus());
    // The screen itself stands where its picture shows it, so that what it holds (a list that
    // builds the rows in sight) still knows what of it shows.
    EXPECT_EQ(tasks->pos(), halfway);

    now = 2;
    AnimationManager::shared().tick();
    AnimationManager::shared().setTimeSource({});
    EXPECT_TRUE(tasks->isHidden());
    EXPECT_EQ(tasks->geometry(), area);
    // Gone, it hands its keyboard to no field of the arriving screen.
    EXPECT_FALSE(QApplication::focusWidget());
}

} // namespace
} // namespace vesk
