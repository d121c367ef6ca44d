#pragma once

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace vesk::test {

// Widget tests need one application object for the whole program, on the main thread;
// the platform comes from QT_QPA_PLATFORM (offscreen under ctest). A test program registers
// it once: ::testing::AddGlobalTestEnvironment(new QtTestEnvironment).
class QtTestEnvironment final : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "vesk_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

  private:
    std::unique_ptr<QApplication> app_;
};

} // namespace vesk::test
