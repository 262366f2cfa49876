#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CommandChoice.h"

namespace korvane::cli {
namespace {

struct CommandWordCase {
    const char* name;
    std::vector<std::string> arguments;  // without the program's name
    const char* word;
};

class CommandWordTest : public testing::TestWithParam<CommandWordCase> {};

TEST_P(CommandWordTest, FindsTheCommandAfterTheProgramsOwnOptions) {
    std::vector<std::string> arguments{"korvane-cli"};
    arguments.insert(arguments.end(), GetParam().arguments.begin(), GetParam().arguments.end());
    EXPECT_EQ(CommandWord(arguments), GetParam().word);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandWordTest,
    testing::Values(
        CommandWordCase{"Plain", {"convert", "1", "foot", "inch"}, "convert"},
        // The settings file may carry a command's name; it is a value, not the command.
        CommandWordCase{"SettingsValueSkipped", {"--settings", "units", "eval", "1"}, "eval"},
        CommandWordCase{"SettingsWithEquals", {"--settings=x.ini", "units"}, "units"},
        CommandWordCase{"NoSettings", {"--no-settings", "categories"}, "categories"},
        // A later word that names another command is that command's argument.
        CommandWordCase{"FirstWordOnly", {"convert", "eval", "foot", "inch"}, "convert"},
        // Help, version and anything unknown before the command: every command is set up.
        CommandWordCase{"HelpFirst", {"--help", "convert"}, ""},
        CommandWordCase{"EndOfOptionsFirst", {"--", "convert"}, ""},
        CommandWordCase{"Nothing", {}, ""},
        CommandWordCase{"SettingsWithoutValue", {"--settings"}, ""}),
    [](const testing::TestParamInfo<CommandWordCase>& param) { return param.param.name; });

}  // namespace
}  // namespace korvane::cli
