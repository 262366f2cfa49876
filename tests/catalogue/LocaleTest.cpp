#include <gtest/gtest.h>

#include <clocale>
#include <locale>

#include "catalogue/Conversion.h"
#include "catalogue/NumberText.h"
#include "catalogue/ResultFormat.h"

namespace korvane {
namespace {

// Users with a decimal comma must see the same digits as everyone else, and typed numbers
// must read the same: the core never consults the locale.
class UnderGermanLocale : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::setlocale(LC_ALL, nullptr);
#ifdef _WIN32
        // The Windows C runtime names its locales its own way; MinGW's C++ library knows only
        // "C", so the C locale is all a program there can switch.
        ASSERT_NE(std::setlocale(LC_ALL, "German_Germany.1252"), nullptr);
#else
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
            << "the de_DE.UTF-8 locale is missing; scripts/setup.sh generates it";
        previousGlobal_ = std::locale::global(std::locale("de_DE.UTF-8"));
#endif
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }
    void TearDown() override {
        std::setlocale(LC_ALL, previous_.c_str());
        std::locale::global(previousGlobal_);
    }

  private:
    std::string previous_;
    std::locale previousGlobal_;
};

TEST_F(UnderGermanLocale, FormattingKeepsTheDecimalPoint) {
    EXPECT_EQ(FormatResult(1.0 / 3, ResultFormat{FormatMode::AutoFormat, 5}), "0.33333333");
    EXPECT_EQ(FormatResult(123.4567897689834, ResultFormat{FormatMode::Scientific, 5}),
              "1.23457e+002");
    EXPECT_EQ(FormatResult(1234567.5, ResultFormat{FormatMode::Fixed, 2}), "1234567.50");
    EXPECT_EQ(FormatPreview(2.5, ResultFormat{FormatMode::AutoFormat, 5}), "2.5");
    EXPECT_EQ(ShortestText(0.1), "0.1");
}

TEST_F(UnderGermanLocale, ReadingKeepsTheDecimalPoint) {
    EXPECT_EQ(ReadAtof("2.54"), 2.54);
    EXPECT_EQ(ReadAtof("2,54"), 2);
    EXPECT_EQ(ConvertNumberBase("255", "base-10 (decimal)", "base-16 (hexadecimal)"), "ff");
    EXPECT_EQ(FormatResult(ConvertLinear(2.5, 30.48, 2.54), ResultFormat{}), "30");
}

}  // namespace
}  // namespace korvane
