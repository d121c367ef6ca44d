#pragma once

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace vesk::test {

// Widget tests need one application object for the whole program, on the main thread; the
// platform comes from QT_QPA_PLATFORM (offscreen under ctest). Any number of test files may
// include this: the environment is registered once per program, and it makes no second
// application when one exists.
class QtApplication final : public ::testing::Environment {
  public:
    void SetUp() override {
        if (QApplication::instance()) return;
        static int argc = 1;
        static char name[] = "vesk_widget_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

  private:
    std::unique_ptr<QApplication> app_;
};

// gtest owns registered environments.
inline const auto* const qtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

} // namespace vesk::test
