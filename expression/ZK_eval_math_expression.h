#pragma once

// The expression evaluator behind the input box: + - * / ^, brackets, named constants, the
// variables x, y, z, t and about ninety functions. Standard library only.
//
// Every entry point returns, in this order of precedence: 0 for a help keyword ("help", "/h",
// "?", "/?", any case, spaces ignored; the help text goes to the standard output stream); the
// error code itself as a number when the pre-check fails or the error slot is set after the
// evaluation; otherwise the computed value, even when it is NaN or infinite.
//
// The evaluator is reentrant: no shared buffers. The one piece of global state is the random
// generator of rand(), shared on purpose so that a run yields one reproducible sequence.

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

using ME_TYPE = double;

// Size of the evaluator's text buffers: an expression holds at most 1023 characters.
inline constexpr int ZK_MATH_EXPRESSION_LENGTH = 1024;

// ---- Entry points ------------------------------------------------------------------------------

// Fresh error slot, diagnostics printed on the standard error stream.
ME_TYPE eval_math_expression_xyzt(std::string_view math_expression, ME_TYPE x, ME_TYPE y, ME_TYPE z,
                                  ME_TYPE t);
// The caller owns the error slot (set to the final code) and the print flag (1 prints).
ME_TYPE eval_math_expression_xyzt(std::string_view math_expression, ME_TYPE x, ME_TYPE y, ME_TYPE z,
                                  ME_TYPE t, int& error_code, int print_errors);

// Synonyms: the variables missing from the name are 0.
ME_TYPE eval_math_expression(std::string_view math_expression);
ME_TYPE eval_math_expression_xyz(std::string_view math_expression, ME_TYPE x, ME_TYPE y, ME_TYPE z);
ME_TYPE eval_math_expression_xy(std::string_view math_expression, ME_TYPE x, ME_TYPE y);
ME_TYPE eval_math_expression_x(std::string_view math_expression, ME_TYPE x);
ME_TYPE eval_math_expression_xyt(std::string_view math_expression, ME_TYPE x, ME_TYPE y, ME_TYPE t);
ME_TYPE eval_math_expression_xt(std::string_view math_expression, ME_TYPE x, ME_TYPE t);
ME_TYPE eval_math_expression_xzt(std::string_view math_expression, ME_TYPE x, ME_TYPE z, ME_TYPE t);
ME_TYPE eval_math_expression_xz(std::string_view math_expression, ME_TYPE x, ME_TYPE z);
ME_TYPE eval_math_expression_yzt(std::string_view math_expression, ME_TYPE y, ME_TYPE z, ME_TYPE t);
ME_TYPE eval_math_expression_yz(std::string_view math_expression, ME_TYPE y, ME_TYPE z);
ME_TYPE eval_math_expression_yt(std::string_view math_expression, ME_TYPE y, ME_TYPE t);
ME_TYPE eval_math_expression_y(std::string_view math_expression, ME_TYPE y);
ME_TYPE eval_math_expression_zt(std::string_view math_expression, ME_TYPE z, ME_TYPE t);
ME_TYPE eval_math_expression_z(std::string_view math_expression, ME_TYPE z);

// The converter's entry. The documented entries hide errors that a later stage cleared
// ("sqrt(-1)+2" ends with code 12, "2+" with none), so the converter also needs to know whether
// anything was reported along the way.
struct math_expression_check {
    double value;               // what eval_math_expression returns for the text
    int code;                   // the final error code (0 = none)
    bool error_reported;        // the pre-check failed, or any error was reported during the
                                // evaluation, even one a later stage cleared
    int first_code;             // the first reported code (0 when none)
    std::string first_message;  // the table message of first_code (empty when none)
    // Where the first error lies: a byte index into the text (the text's size when it lies
    // past the end), npos when it has no place, as for a result that is not a number.
    std::size_t first_position = std::string_view::npos;
};
// Prints nothing: no diagnostics, no bracket-checker lines, no help text.
math_expression_check eval_math_expression_checked(std::string_view text);
// The same with variables; print_errors = 1 writes everything the documented entry writes
// (diagnostics on the standard error stream, the help text on the standard output stream).
math_expression_check eval_math_expression_checked_xyzt(std::string_view text, ME_TYPE x, ME_TYPE y,
                                                        ME_TYPE z, ME_TYPE t, int print_errors);

// ---- Syntax and validation ---------------------------------------------------------------------

// Copies `text` without its spaces (code 32 only), ASCII-lower-cased, at most 1023 characters.
void normalize_math_expression(std::string_view text, std::string& copy);
// 0, or the code of the first failed pre-check: length (3), brackets (21, 22), characters (2).
int check_math_expression_for_correctness(std::string_view text, int print_errors);
// The bracket balance: negative when a ')' closes more than was opened, positive when brackets
// stay open. Writes its own two lines on the standard error stream when unbalanced.
int check_for_brackets_correctness_in_math_expression(std::string_view text);

// The pieces below are `length` characters at the start of `text`; `text` runs on to the end of
// the buffer the piece lives in, which is what diagnostics show. Nothing past the piece is read
// for the evaluation itself.

// First top-level bracket pair of the piece: `left` = its '(' and `right` = its ')', both 0 when
// there is none. 0 on success, the negative depth for an unmatched ')', the positive depth for an
// unmatched '(', 3 for a piece of 1024 characters or more.
int positions_of_brackets(std::string_view text, std::size_t length, std::size_t& left,
                          std::size_t& right, int& error_code, int print_errors);
// The value of one operand: a digit, e, a named constant or a number (atof rule).
ME_TYPE evaluate_number(std::string_view text, std::size_t length, int& error_code,
                        int print_errors);

// ---- Errors and help ---------------------------------------------------------------------------

// Writes the table text of `code` into `buffer`; 0 for the codes 0 to 51, 1 for any other.
int math_expression_error_message(std::string& buffer, int code);

// One argument of format_math_message: an integer, a character or a text.
struct math_message_argument {
    enum class kind { integer, character, text };
    kind type;
    std::int64_t integer = 0;
    char character = 0;
    std::string_view text;

    math_message_argument(char c) : type(kind::character), character(c) {}
    template <std::integral I>
    requires(!std::same_as<I, char> && !std::same_as<I, bool>) math_message_argument(I i)
        : type(kind::integer), integer(static_cast<std::int64_t>(i)) {}
    math_message_argument(std::string_view s) : type(kind::text), text(s) {}
    math_message_argument(const char* s) : type(kind::text), text(s) {}
    math_message_argument(const std::string& s) : type(kind::text), text(s) {}
};
// printf-like formatting with %d, %c, %s and %%, type-checked and never driven by user text: the
// format is always one of ours, user text only ever arrives as an argument. At most 5119
// characters.
std::string format_math_message(std::string_view format,
                                std::initializer_list<math_message_argument> arguments);

// If the slot holds 0, stores 1 in it; prints the diagnostic block with the slot's code when
// print_errors is 1; returns the slot's code.
int report_math_expression_error(std::string_view function_name, std::string_view text,
                                 std::string_view message, std::size_t position, int& error_code,
                                 int print_errors);
// The diagnostic block: dashes, "<name>(): ERROR in math expression at the position <pos+1>:",
// the text in apostrophes, dashes; then, when the message is not empty, the code and message
// line and dashes. Nothing when print_errors is 0.
void print_math_expression_error(std::string_view function_name, std::string_view text,
                                 std::string_view message, std::size_t position, int code,
                                 int print_errors);
void print_math_expression_error(std::FILE* stream, std::string_view function_name,
                                 std::string_view text, std::string_view message,
                                 std::size_t position, int code, int print_errors);

// The help text. With lines_per_page > 0 it waits for Enter on the standard input after each
// page.
void print_math_expression_help(std::FILE* stream, int lines_per_page);
