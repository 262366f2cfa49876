#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/LineReader.h"

namespace korvane::cli {
namespace {

std::vector<std::string> ReadLines(const std::string& input, std::vector<bool>* tooLong = nullptr) {
    std::stringbuf source(input);
    LineReader reader(source);
    std::vector<std::string> lines;
    while (const auto line = reader.Next()) {
        lines.emplace_back(line->text);
        if (tooLong)
            tooLong->push_back(line->tooLong);
    }
    return lines;
}

TEST(LineReader, SplitsLinesAndDropsLineEnds) {
    EXPECT_EQ(ReadLines(""), std::vector<std::string>{});
    EXPECT_EQ(ReadLines("a\nb\r\n\nc"), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_EQ(ReadLines("a\n"), std::vector<std::string>{"a"});
    EXPECT_EQ(ReadLines("\r\n"), std::vector<std::string>{""});
    EXPECT_EQ(ReadLines(std::string("a\0b\n", 4)),
              std::vector<std::string>{std::string("a\0b", 3)});
}

TEST(LineReader, LinesAcrossReadBoundariesStayWhole) {
    std::string input;
    std::vector<std::string> expected;
    for (int i = 0; i < 20000; ++i) {
        expected.push_back(std::to_string(i) + "\tfoot\tinch");
        input += expected.back() + "\n";
    }
    EXPECT_EQ(ReadLines(input), expected);
}

TEST(LineReader, AnOverlongLineIsReportedAndReadingGoesOn) {
    std::vector<bool> tooLong;
    const std::string input = std::string(LineReader::kMaxLine + 10, 'x') + "\nnext\n" +
                              std::string(LineReader::kMaxLine * 2, 'y');
    const std::vector<std::string> lines = ReadLines(input, &tooLong);
    ASSERT_EQ(lines.size(), 3u);  // compared piecewise: a failure must not print megabytes
    EXPECT_TRUE(lines[0].empty());
    EXPECT_EQ(lines[1], "next");
    EXPECT_TRUE(lines[2].empty());
    EXPECT_EQ(tooLong, (std::vector<bool>{true, false, true}));
}

}  // namespace
}  // namespace korvane::cli
