#include "app/SettingsPath.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

#include "app/FileAccess.h"

namespace korvane {
namespace {

struct PathCase {
    const char* name;
    std::string_view program;
    std::string_view settings;
};

class WindowsSettingsPath : public ::testing::TestWithParam<PathCase> {};

TEST_P(WindowsSettingsPath, RootOfTheProgramsDriveOrShare) {
    EXPECT_EQ(BuildSettingsPath(GetParam().program), GetParam().settings);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, WindowsSettingsPath,
    ::testing::Values(
        PathCase{"Drive", R"(D:\Tools\Units\prog.exe)", R"(D:\Tabrivo.ini)"},
        PathCase{"DriveRoot", R"(c:\prog.exe)", R"(c:\Tabrivo.ini)"},
        PathCase{"NoBackslash", "prog.exe", R"(p:\Tabrivo.ini)"},
        PathCase{"ForwardSlashes", "E:/apps/prog.exe", R"(E:\Tabrivo.ini)"},
        PathCase{"Share", R"(\\server\share\tools\prog.exe)", R"(\\server\share\Tabrivo.ini)"},
        PathCase{"ShareRoot", R"(\\server\share\prog.exe)", R"(\\server\share\Tabrivo.ini)"},
        PathCase{"ServerWithoutShare", R"(\\server\prog.exe)", ""},
        PathCase{"LongDrivePath", R"(\\?\C:\very\long\prog.exe)", R"(C:\Tabrivo.ini)"},
        PathCase{"LongSharePath", R"(\\?\UNC\srv\sh\dir\prog.exe)", R"(\\srv\sh\Tabrivo.ini)"},
        PathCase{"DevicePathWithoutDrive", R"(\\.\pipe\prog.exe)", ""}, PathCase{"Empty", "", ""},
        PathCase{"Relative", R"(..\prog.exe)", ""}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(SettingsPathFromEnvironment, ExplicitFileThenXdgThenHome) {
    EXPECT_EQ(SettingsPathFromEnvironment("/tmp/x.ini", "/xdg", "/home/u"), "/tmp/x.ini");
    EXPECT_EQ(SettingsPathFromEnvironment("", "/xdg", "/home/u"), "/xdg/korvane/Tabrivo.ini");
    EXPECT_EQ(SettingsPathFromEnvironment("", "/xdg/", "/home/u"), "/xdg/korvane/Tabrivo.ini");
    EXPECT_EQ(SettingsPathFromEnvironment("", "relative/xdg", "/home/u"),
              "/home/u/.config/korvane/Tabrivo.ini");
    EXPECT_EQ(SettingsPathFromEnvironment("", "", "/home/u/"),
              "/home/u/.config/korvane/Tabrivo.ini");
    EXPECT_EQ(SettingsPathFromEnvironment("", "", ""), "");
}

#ifdef _WIN32

// The rule applied to this very program, as Windows names it; tests/app/WindowsProcessTest.cpp
// runs a program from a drive and a share the test controls.
TEST(DefaultSettingsPath, RootOfThisProgramsDrive) {
    const std::string program = file_access::ProgramFilePath();
    ASSERT_GE(program.size(), 3u);
    EXPECT_TRUE(program.ends_with("korvane_app_tests.exe")) << program;
    const std::string settings = DefaultSettingsPath();
    EXPECT_EQ(settings, BuildSettingsPath(program));
    if (program[1] == ':') {
        EXPECT_EQ(settings, program.substr(0, 3) + "Tabrivo.ini");
    }
}

#else

// Sets a variable for one scope and puts the old value back.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        const char* old = ::getenv(name);
        if (old != nullptr)
            old_ = old;
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedVariable() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(DefaultSettingsPath, FollowsTheEnvironment) {
    {
        ScopedVariable file("KORVANE_SETTINGS", "/somewhere/own.ini");
        EXPECT_EQ(DefaultSettingsPath(), "/somewhere/own.ini");
    }
    ScopedVariable file("KORVANE_SETTINGS", nullptr);
    ScopedVariable xdg("XDG_CONFIG_HOME", "/cfg");
    EXPECT_EQ(DefaultSettingsPath(), "/cfg/korvane/Tabrivo.ini");
}

#endif

}  // namespace
}  // namespace korvane
