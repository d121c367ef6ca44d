#include "platform/LoginItem.hpp"

#include "PlatformTestSupport.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace vesk {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class LoginItemTest : public ::testing::Test {
  protected:
    test::TempFolder config;
    ScopedEnv xdg{"XDG_CONFIG_HOME", config.path().string()};
    std::filesystem::path file = config / "autostart/vesk.desktop";
};

TEST_F(LoginItemTest, RegisteringWritesTheAutostartFileAndUnregisteringRemovesIt) {
    EXPECT_EQ(LoginItem::autostartFile(), file);
    EXPECT_FALSE(LoginItem::isEnabled());

    EXPECT_EQ(LoginItem::change(true), std::nullopt);
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_TRUE(LoginItem::isEnabled());
    const std::string entry = contents(file);
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(entry.find("\nType=Application\n"), std::string::npos);
    // The entry starts the program that registered it: here, this test program.
    const auto self = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_NE(entry.find("\nExec=\"" + self.string() + "\"\n"), std::string::npos) << entry;

    // Registering twice keeps one good file.
    EXPECT_EQ(LoginItem::change(true), std::nullopt);
    EXPECT_EQ(contents(file), entry);

    EXPECT_EQ(LoginItem::change(false), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_FALSE(LoginItem::isEnabled());
    // Already unregistered is no failure.
    EXPECT_EQ(LoginItem::change(false), std::nullopt);
}

TEST_F(LoginItemTest, TheStatusIsReadFromTheFileEveryTime) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "[Desktop Entry]\nType=Application\nExec=vesk\n";
    EXPECT_TRUE(LoginItem::isEnabled());
    std::ofstream(file) << "[Desktop Entry]\nType=Application\nExec=vesk\nHidden=true\n";
    EXPECT_FALSE(LoginItem::isEnabled());
    std::ofstream(file) << "[Desktop Entry]\nExec=vesk\nX-GNOME-Autostart-enabled=false\n";
    EXPECT_FALSE(LoginItem::isEnabled());
}

TEST_F(LoginItemTest, AFailedChangeIsReportedAndLeavesTheRealState) {
    // The autostart folder's name is taken by a plain file.
    std::ofstream(config / "autostart") << "not a folder";
    const auto error = LoginItem::change(true);
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->empty());
    EXPECT_FALSE(LoginItem::isEnabled());
    LoginItem::set(true); // logs and carries on
    EXPECT_FALSE(LoginItem::isEnabled());
}

TEST(LoginItemFolderTest, TheConfigFolderFallsBackToHomeWhenUnsetOrRelative) {
    ScopedEnv home("HOME", "/home/someone");
    {
        ScopedEnv relative("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(LoginItem::autostartFile(), "/home/someone/.config/autostart/vesk.desktop");
    }
    ScopedEnv empty("XDG_CONFIG_HOME", "");
    EXPECT_EQ(LoginItem::autostartFile(), "/home/someone/.config/autostart/vesk.desktop");
}

TEST(LoginItemEntryTest, ThePathIsQuotedForTheExecKey) {
    const std::string entry = LoginItem::desktopEntry("/opt/my apps/50%/a\"b$c\\d/vesk");
    EXPECT_NE(entry.find("\nExec=\"/opt/my apps/50%%/a\\\\\"b\\\\$c\\\\\\\\d/vesk\"\n"), std::string::npos)
        << entry;
    // A data file of its own goes to the program through env, quoted the same way.
    const std::string kept = LoginItem::desktopEntry("/usr/bin/vesk", "/home/me/my tasks/$work.json");
    EXPECT_NE(kept.find("\nExec=env \"TARNEL_DATA=/home/me/my tasks/\\\\$work.json\" \"/usr/bin/vesk\"\n"),
              std::string::npos)
        << kept;
    // A line break would let a path write keys of its own.
    EXPECT_EQ(LoginItem::desktopEntry("/tmp/x\nHidden=true"), "");
    EXPECT_EQ(LoginItem::desktopEntry("/usr/bin/vesk", "/tmp/x\nHidden=true"), "");
    EXPECT_EQ(LoginItem::desktopEntry(""), "");
}

} // namespace
} // namespace vesk
