#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Widget tests need one application object for the whole program, on the main thread;
// the platform comes from QT_QPA_PLATFORM (offscreen under ctest).
class QtEnvironment final : public ::testing::Environment {
  public:
    void SetUp() override {
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
const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
