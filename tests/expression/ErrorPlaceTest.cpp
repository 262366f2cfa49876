#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "expression/EvalStages.h"
#include "expression/ZK_eval_math_expression.h"

namespace {

constexpr std::size_t kNoPlace = std::string_view::npos;

// Where the checked entry says the first error lies: a byte index into the text as typed,
// spaces and capitals included.
struct PlaceRow {
    const char* name;
    std::string text;
    int first_code;
    std::size_t place;
};

class ErrorPlace : public ::testing::TestWithParam<PlaceRow> {};

TEST_P(ErrorPlace, IsAnIndexIntoTheTextAsTyped) {
    const PlaceRow& row = GetParam();
    const math_expression_check check = eval_math_expression_checked(row.text);
    EXPECT_EQ(check.first_code, row.first_code);
    EXPECT_EQ(check.first_position, row.place);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, ErrorPlace, ::testing::Values(
    PlaceRow{"symbol_of_two_bytes", "2+\xC2\xA7", 2, 2},
    PlaceRow{"symbol_after_spaces", "  1 + #", 2, 6},
    PlaceRow{"right_bracket_too_many", "(1+2))+3", 21, 5},
    PlaceRow{"left_bracket_left_open", "2*(3+(4)", 22, 2},
    PlaceRow{"divisor_zero_past_spaces", "4 / 0", 18, 4},
    PlaceRow{"operator_last", "2 + 3 *", 15, 6},
    PlaceRow{"two_operators", "2*/3", 16, 2},
    PlaceRow{"operator_first", "*2", 17, 0},
    PlaceRow{"operator_first_after_spaces", "  *2", 17, 2},
    PlaceRow{"blank_is_empty_past_its_end", "   ", 4, 3},
    PlaceRow{"domain_of_a_function_names_it", "1 + SQRT(-1)", korvane::expression::kSqrtOfNegative, 4},
    PlaceRow{"wrong_letter_in_a_number", "1 2x", 2, 3},
    PlaceRow{"too_long_at_the_first_character_past_the_limit", std::string(1030, '1'), 3, 1023},
    PlaceRow{"infinite_result_has_no_place", "1e308*10", 13, kNoPlace},
    PlaceRow{"no_error_no_place", "2 * 3", 0, kNoPlace}),
    [](const ::testing::TestParamInfo<PlaceRow>& row) { return std::string(row.param.name); });
// clang-format on

// The place is the first error's even when later stages report others.
TEST(ErrorPlaceOrder, FirstErrorKeepsItsPlace) {
    const math_expression_check check = eval_math_expression_checked("sqrt(-4)+ln(0)");
    EXPECT_EQ(check.first_code, korvane::expression::kSqrtOfNegative);
    EXPECT_EQ(check.first_position, 0u);
}

}  // namespace
