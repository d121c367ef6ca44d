#include "shell/WidgetEvents.hpp"
#include "shell/anim/AnimationManager.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/state/TarnelUI.hpp"
#include "shell/views/ExpandedView.hpp"
#include "support/StoreTestBed.hpp"

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace vesk {
namespace {

// A screen whose whole face is one red text field, which paints itself as Qt's widgets do.
QWidget* textFieldScreen(QWidget* parent) {
    auto* screen = new QWidget(parent);
    auto* column = new QVBoxLayout(screen);
    column->setContentsMargins(0, 0, 0, 0);
    auto* field = new QLineEdit(screen);
    field->setObjectName("field");
    field->setStyleSheet("QLineEdit { background: rgb(255, 0, 0); border: none; }");
    field->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    column->addWidget(field);
    return screen;
}

int redAt(const QImage& image, int x, int y) {
    return image.pixelColor(x, y).red();
}

TEST(ScreenSlideTest, TheTasksScreenWithATextFieldSlidesAndFadesOutAsAWholeAndKeepsItsFocus) {
    test::StoreTestBed bed;
    Store& store = bed.open();
    TarnelUI ui{store, bed.queue};
    ScreenFactories factories;
    factories.tasks = textFieldScreen;
    ExpandedView expanded(store, ui, MenuServices{}, factories);
    expanded.setContentSize(QSize(440, 470));
    expanded.show();
    QApplication::setActiveWindow(&expanded);
    QWidget* tasks = expanded.screenWidget();
    auto* field = tasks->findChild<QLineEdit*>("field");
    field->setFocus();
    const QImage before = test::renderOnBlack(&expanded);
    const QRect area = tasks->geometry();
    // A column near the field's right edge, and one at a quarter of its width.
    const int right = area.right() - 10, quarter = area.left() + area.width() / 4, y = area.center().y();
    ASSERT_EQ(redAt(before, right, y), 255);

    double now = 0;
    AnimationManager::shared().setTimeSource([&] { return now; });
    withAnimation(Animation::linear(1.0), [&] { ui.detailID.set(store.lists.get()[0].id); });
    now = 0.5;
    AnimationManager::shared().tick();
    // Half-way out to the left and half faded: the field's right edge now stands mid-screen.
    const QImage midway = test::renderOnBlack(&expanded);
    EXPECT_LT(redAt(midway, right, y), 10);
    EXPECT_NEAR(redAt(midway, quarter, y), 128, 8);
    EXPECT_TRUE(field->hasFocus());

    now = 2;
    AnimationManager::shared().tick();
    AnimationManager::shared().setTimeSource({});
    EXPECT_TRUE(tasks->isHidden());
    EXPECT_EQ(tasks->geometry(), area);
}

} // namespace
} // namespace vesk
