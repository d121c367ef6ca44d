#include "shell/controls/KeyedRowList.hpp"

#include "shell/FrameClock.hpp"
#include "shell/WidgetEvents.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/anim/Transaction.hpp"
#include "shell/controls/PlainButton.hpp"

#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace vesk {
namespace {

class KeyedRowListTest : public ::testing::Test, protected test::FrameClock {
  protected:
    KeyedRowListTest() {
        list.setSpacing(2);
        list.resize(200, 100);
        list.show();
    }

    // Rows 20 high that count how often they were built.
    KeyedRowList::Factory rows() {
        return [this](const KeyedRowList::Key&, QWidget* parent) {
            ++built;
            auto* row = new QWidget(parent);
            row->setFixedHeight(20);
            return row;
        };
    }

    static void deleteLaterNow() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    KeyedRowList list{nullptr, &manager};
    int built = 0;
};

TEST_F(KeyedRowListTest, EachKeyKeepsItsWidgetWhileTheSequenceChanges) {
    list.setKeys({"a", "b", "c"}, rows());
    QWidget* a = list.row("a");
    QWidget* c = list.row("c");
    QPointer<QWidget> b = list.row("b");

    list.setKeys({"c", "a", "d"}, rows());
    EXPECT_EQ(list.row("a"), a);
    EXPECT_EQ(list.row("c"), c);
    EXPECT_EQ(built, 4);
    EXPECT_EQ(list.row("b"), nullptr);
    EXPECT_EQ(c->y(), 0);
    EXPECT_EQ(a->y(), 22);
    EXPECT_EQ(list.row("d")->y(), 44);
    EXPECT_EQ(list.heightForWidth(200), 64);
    EXPECT_EQ(a->width(), 200);

    // Gone without an animation: hidden at once, destroyed by the event loop.
    ASSERT_FALSE(b.isNull());
    EXPECT_FALSE(b->isVisible());
    deleteLaterNow();
    EXPECT_TRUE(b.isNull());
}

TEST_F(KeyedRowListTest, InsertsRemovalsAndMovesFollowTheAnimationOfTheChange) {
    list.setKeys({"a", "b"}, rows());
    QWidget* a = list.row("a");
    QPointer<QWidget> b = list.row("b");

    withAnimation(Animation::linear(0.5), [&] { list.setKeys({"c", "a"}, rows()); });
    QWidget* c = list.row("c");
    EXPECT_EQ(c->y(), 0); // an insertion appears where it belongs
    EXPECT_DOUBLE_EQ(Presence::of(c)->presence(), 0.0);
    runFrames(15);
    EXPECT_GT(a->y(), 0);
    EXPECT_LT(a->y(), 22);
    EXPECT_GT(Presence::effectFor(c).opacity, 0.0);
    EXPECT_LT(Presence::effectFor(b).opacity, 1.0);
    EXPECT_TRUE(b->isVisible()); // still fading out, where it stood
    EXPECT_TRUE(b->testAttribute(Qt::WA_TransparentForMouseEvents));

    runFrames(30);
    EXPECT_EQ(a->y(), 22);
    EXPECT_FALSE(b->isVisible());
    deleteLaterNow();
    EXPECT_TRUE(b.isNull());
}

TEST_F(KeyedRowListTest, AKeyBackBeforeItsRowHasLeftGetsTheSameRowBack) {
    list.setKeys({"a", "b"}, rows());
    QPointer<QWidget> b = list.row("b");
    withAnimation(Animation::linear(0.5), [&] { list.setKeys({"a"}, rows()); });
    runFrames(10);
    withAnimation(Animation::linear(0.5), [&] { list.setKeys({"a", "b"}, rows()); });
    EXPECT_EQ(list.row("b"), b.data());
    runFrames(40);
    deleteLaterNow();
    ASSERT_FALSE(b.isNull());
    EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(built, 2);
}

TEST_F(KeyedRowListTest, ARowRemovedByItsOwnClickIsDestroyedOnlyAfterTheClick) {
    list.setKeys({"a"}, [this](const KeyedRowList::Key&, QWidget* parent) {
        auto* button = new PlainButton(parent);
        button->setText("Remove me");
        button->setAction([this] { list.setKeys({}, rows()); });
        return button;
    });
    QPointer<QWidget> a = list.row("a");
    test::click(a); // the release handler runs on after the action has removed the row
    EXPECT_FALSE(a.isNull());
    EXPECT_EQ(list.row("a"), nullptr);
    deleteLaterNow();
    EXPECT_TRUE(a.isNull());
}

TEST_F(KeyedRowListTest, RowsThatGrowPushTheRowsBelowDown) {
    list.setKeys({"a", "b"}, rows());
    list.row("a")->setFixedHeight(50);
    withAnimation(Animation::linear(0.5), [&] { list.relayout(); });
    EXPECT_EQ(list.row("a")->height(), 50);
    EXPECT_EQ(list.targetTop("b"), 52);
    runFrames(40);
    EXPECT_EQ(list.row("b")->y(), 52);
    EXPECT_EQ(list.sizeHint().height(), 72);
}

TEST_F(KeyedRowListTest, WithAnEstimateOnlyRowsNearTheShownPartAreBuilt) {
    QScrollArea area;
    area.resize(200, 100);
    area.setWidgetResizable(true);
    auto* lazy = new KeyedRowList(nullptr, &manager);
    area.setWidget(lazy);
    area.show();
    std::vector<KeyedRowList::Key> keys;
    for (int i = 0; i < 500; ++i)
        keys.push_back(std::to_string(i));
    lazy->setKeys(keys, rows(), [](const KeyedRowList::Key&, int) { return 20; });
    QApplication::processEvents();
    EXPECT_GT(built, 5);
    EXPECT_LT(built, 40);
    EXPECT_EQ(lazy->row("499"), nullptr);
    EXPECT_EQ(lazy->targetTop("499"), 499 * 20);

    area.verticalScrollBar()->setValue(area.verticalScrollBar()->maximum());
    ASSERT_NE(lazy->row("499"), nullptr);
    EXPECT_EQ(lazy->row("499")->y(), 499 * 20);
    EXPECT_LT(built, 80);
}

TEST_F(KeyedRowListTest, ALazyListPutIntoAnotherParentBuildsRowsWhenItsNewAncestorsOpen) {
    // As a screen is built before the panel it goes into has grown.
    QWidget panel;
    panel.resize(0, 0);
    panel.show();
    auto* screen = new QWidget;
    screen->resize(0, 0);
    auto* area = new QScrollArea(screen);
    area->resize(200, 100);
    area->setWidgetResizable(true);
    auto* lazy = new KeyedRowList(nullptr, &manager);
    area->setWidget(lazy);
    lazy->setKeys({"a", "b"}, rows(), [](const KeyedRowList::Key&, int) { return 20; });
    EXPECT_EQ(built, 0);

    screen->setParent(&panel);
    screen->resize(200, 100);
    screen->show();
    QApplication::processEvents();
    EXPECT_EQ(built, 0); // the panel still shows nothing of it
    panel.resize(200, 100);
    EXPECT_EQ(built, 2);
}

} // namespace
} // namespace vesk
