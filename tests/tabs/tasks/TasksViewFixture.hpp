#pragma once

#include "shell/anim/AnimationManager.hpp"
#include "shell/state/TarnelUI.hpp"
#include "support/StoreTestBed.hpp"
#include "tabs/tasks/AddTaskRow.hpp"
#include "tabs/tasks/TasksView.hpp"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>
#include <memory>

namespace vesk::test {

// A task list on a store of fakes, shown offscreen, with animations run frame by frame.
class TasksViewFixture : public ::testing::Test, protected StoreTestBed {
  protected:
    TasksViewFixture() {
        open();
        animations.setTimeSource([this] { return frameSeconds; });
        ui = std::make_unique<TarnelUI>(*store, queue);
        view = makeView();
    }
    ~TasksViewFixture() override {
        view.reset();
        ui.reset();
        animations.setTimeSource({});
    }

    std::unique_ptr<TasksView> makeView() {
        auto made = std::make_unique<TasksView>(*store, *ui, ViewServices{clock, calendar, queue, random});
        made->resize(378, 420);
        made->show();
        made->activateWindow();
        QApplication::processEvents();
        return made;
    }
    QLineEdit& field() { return *view->addRow()->field(); }
    void pressReturn() {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(&field(), &press);
    }
    UUID add(const char* title) { return *store->addTask(title); }
    // Lets every transition finish and the event loop destroy what left.
    void settle() {
        runFrames(90);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    void runFrames(int frames) {
        for (int i = 0; i < frames; ++i) {
            frameSeconds += 1.0 / 60;
            animations.tick();
        }
    }
    std::size_t gains(GainReason reason) const {
        std::size_t count = 0;
        for (const BonsaiGain& gain : store->bonsai.get().gains)
            count += gain.reason == reason;
        return count;
    }

    AnimationManager& animations = AnimationManager::shared();
    double frameSeconds = 0;
    std::unique_ptr<TarnelUI> ui;
    std::unique_ptr<TasksView> view;
};

} // namespace vesk::test
