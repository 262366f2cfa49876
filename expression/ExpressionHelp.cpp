// The help text printed for the keywords "help", "/h", "?" and "/?".

#include <cstdio>
#include <string_view>

#include "expression/EvalStages.h"
#include "expression/ZK_eval_math_expression.h"

namespace {

constexpr std::string_view kHelpText =
    R"HELP(-------------------------------------------------------------------------------
Help on the function:
ME_TYPE eval_math_expression_xyzt(std::string_view math_expression,
                                  ME_TYPE x, ME_TYPE y, ME_TYPE z, ME_TYPE t);
The function evaluates a mathematical expression with or without the variables x, y, z and t
and returns its value.
The maximum length of the expression is ZK_MATH_EXPRESSION_LENGTH = 1024 symbols, the
terminating zero included (see ZK_eval_math_expression.h).
Synonyms of the function are:
ME_TYPE eval_math_expression_xyzt(std::string_view math_expression,
                                  ME_TYPE x, ME_TYPE y, ME_TYPE z, ME_TYPE t,
                                  int& error_code, int print_errors);
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
ME_TYPE eval_math_expression(std::string_view math_expression);
The variables missing from a name are 0, for example:
eval_math_expression_xyz(math_expression, x, y, z) = eval_math_expression_xyzt(math_expression, x, y, z, 0)
eval_math_expression_xy(math_expression, x, y) = eval_math_expression_xyzt(math_expression, x, y, 0, 0)
eval_math_expression_x(math_expression, x) = eval_math_expression_xyzt(math_expression, x, 0, 0, 0)
eval_math_expression_zt(math_expression, z, t) = eval_math_expression_xyzt(math_expression, 0, 0, z, t)
eval_math_expression(math_expression) = eval_math_expression_xyzt(math_expression, 0, 0, 0, 0)
Example 1:
  eval_math_expression_xyzt("sin(-50.01+x^(sin(y/21.11)-(cos(t)^z)^3.11))-exp(1e-0.6)+x-y*z/t-0010.0100",
                            0.1, 0.2, 0.3, -0.4)
  Result of the example should be -11.6857
Example 2:
  eval_math_expression("sin(-50.01+10^(sin(-0.1/21.11)-(cos(12)^0.1)^3.11))")
  Result of the example should be  0.358661
Example 3:
  eval_math_expression_x("sin(-50.01+x^(sin(-0.1/21.11)-(cos(12)^0.1)^3.11))", 10.0)
  Result of the example should be  0.358661
Example 4:
  eval_math_expression_xy("sin(-50.01+x^(sin(y/21.11)-(cos(12)^0.1)^3.11))", 10.0, -0.1)
  Result of the example should be  0.358661
Example 5:
  eval_math_expression_xyzt("sin(-50.01+x^(sin(y/21.11)-(cos(t)^z)^3.11))", 10.0, -0.1, 0.1, 12.0)
  Result of the example should be  0.358661
NOTE: write all the variables of one call as values of the same type, ME_TYPE:
  wrong: eval_math_expression_xyzt("x+y-z*t", 1, 2, 3, 4)
  right: eval_math_expression_xyzt("x+y-z*t", 1.0, 2.0, 3.0, 4.0)
-----------------------------------------------------------------------
Code version 1.02
The expression is converted to lower case before the evaluation.
All spaces are removed from the expression.
Variables: x, y, z, t.
Numbers can be in digital format as usual: 0, 0.0, -58.00019e-12 and so on.
NOTE: 03.123 = 3.123.
Brackets: '(' and ')'.
Allowable operators: '+', '-', '*', '/' and '^' (power).
Constants: pi = M_PI = 3.14159..., e = M_E = 2.71828..., M_2PI = 2*pi,
  M_PI2 = M_PI_2 = pi/2, M_PI3 = M_PI_3 = pi/3, M_PI4 = M_PI_4 = pi/4, M_A_PI = 1/pi.
Functions:
e() = 2.71828...
pi() = 3.14159...
rand() - random value in [0, 1]
rand(a,b) - random value in [a, b]
rand_close_open(a,b) - random value in [a, b)
min(a,b) - the smaller of a and b
max(a,b) - the larger of a and b
abs(a) - absolute value of a
signum(a) = 1 if a > 0, -1 if a < 0, 0 otherwise
sign(a) = signum(a)
delta(a) = 1 if a = 0, 0 otherwise
d(a) = delta(a)
impuls(a,a1,a2) = 1 if a lies between a1 and a2 (bounds included, in either order), 0 otherwise
step(a) = 1 if a > 0, 0 if a < 0, 0.5 if a = 0
step_minus(a) = 1 if a >= 0, 0 otherwise
stepm(a) = step_minus(a)
step_plus(a) = 1 if a > 0, 0 otherwise
stepp(a) = step_plus(a)
mod(a,b) - remainder of a/b with the sign of a
floor(a) - the largest integer not greater than a
ceil(a) - the smallest integer not less than a
round(a) - the nearest integer, halves away from zero
frac(a) - the signed fractional part of a
int(a) - the signed integer part of a
trunc(a) = int(a)
zero_upto_zero(a) = a if a > 0, 0 otherwise
zero_over_zero(a) = 0 if a > 0, a otherwise
value_upto_value(a,b) = max(a,b)
value_over_value(a,b) = b if b < a, a otherwise
pow(a,b) = a^b
power(a,b) = pow(a,b)
sqrt(a) - square root of a
sqr(a) = sqrt(a)
exp(a) = e^a
ln(a) - natural logarithm of a
log(a) = ln(a)
lg(a) - base-10 logarithm of a
log10(a) = lg(a)
log2(a) = lg(a)/lg(2)
deg2rad(a) - a degrees in radians
d2r(a) = deg2rad(a)
rad2deg(a) - a radians in degrees
r2d(a) = rad2deg(a)
sin(a) - sine of a (radians)
cos(a) - cosine of a
tg(a) - tangent of a
tan(a) = tg(a)
ctg(a) = 1/tg(a)
cot(a) = ctg(a)
sec(a) = 1/cos(a)
cosec(a) = 1/sin(a)
csc(a) = cosec(a)
arcsin(a) - arc sine of a
asin(a) = arcsin(a)
arccos(a) - arc cosine of a
acos(a) = arccos(a)
arctg(a) - arc tangent of a
atan(a) = arctg(a)
atan2(a,b) - arc tangent of a/b in [-pi, pi], by the signs of a and b
atan2p(a,b) - arc tangent of a/b in [0, 2*pi)
arcctg(a) = pi/2 - arctg(a)
acot(a) = arcctg(a)
arcsec(a) = arccos(1/a)
asec(a) = arcsec(a)
arccosec(a) = arcsin(1/a)
acsc(a) = arccosec(a)
sh(a) - hyperbolic sine of a
sinh(a) = sh(a)
ch(a) - hyperbolic cosine of a
cosh(a) = ch(a)
th(a) - hyperbolic tangent of a
tanh(a) = th(a)
cth(a) = 1/th(a)
coth(a) = cth(a)
sech(a) = 1/ch(a)
sch(a) = sech(a)
cosech(a) = 1/sh(a)
csch(a) = cosech(a)
arsh(a) = log(a + sqrt(a^2+1))
asinh(a) = arsh(a)
arch(a) = log(a + sqrt(a^2-1))
acosh(a) = arch(a)
arth(a) = log((1+a)/(1-a))/2
atanh(a) = arth(a)
arcth(a) = log((a+1)/(a-1))/2
acoth(a) = arcth(a)
asech(a) = arch(1/a)
arsech(a) = asech(a)
acsch(a) = arsh(1/a)
arcosech(a) = acsch(a)
NOTES:
-2^2 = -(2^2) = -4
(-2)^2 = 4
2^3^4 = 2^(3^4)
2^3*4 = (2^3)*4
2^3*4^2 = (2^3)*(4^2)
So, please use more brackets or pow() function instead of '^',
if you would like to be sure on the result.
-----------------------------------------------------------------------
Example of expression: sin(x+y)/(z^t)
Example of expression: sin(x+y)/power(z,t)
Example of expression: log(10)/sin(-0.118^t)
Example of expression: tg(15.017e-3)
-----------------------------------------------------------------------
@BANNER@
-----------------------------------------------------------------------
This help text will be displayed on the cases of:
eval_math_expression_xyzt("help", x, y, z, t)
eval_math_expression_xyzt("/h", x, y, z, t)
eval_math_expression_xyzt("/H", x, y, z, t)
eval_math_expression_xyzt("/?", x, y, z, t)
eval_math_expression("help"), eval_math_expression_x("help", x) and the other synonyms
Then result of the functions will be equal to 0.
-----------------------------------------------------------------------
@BANNER@
-----------------------------------------------------------------------
)HELP";

constexpr std::string_view kBanner = R"(Code version 1.02
This code is an example of a parser function, eval_math_expression_xyzt,
which evaluates a string of math expression.
The code is provided as it is, without warranty of any kind.
Korvane Unit Converter: questions and bug reports go to the project's issue tracker,
see the README of the Korvane Unit Converter.
)";

constexpr std::string_view kBannerMark = "@BANNER@\n";

// Counts a written line and, every lines_per_page lines, waits for the reader.
void CountLine(std::FILE* stream, int lines_per_page, int& count) {
    ++count;
    if (lines_per_page <= 0 || count % lines_per_page != 0)
        return;
    count = 0;
    korvane::expression::WriteText(stream, "Press Enter to continue . . .");
    std::fflush(stream);
    int ch = 0;
    while ((ch = std::getchar()) != EOF && ch != '\n') {
    }
}

void WriteLines(std::FILE* stream, std::string_view text, int lines_per_page, int& count) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::size_t length = end == text.npos ? text.size() : end + 1;
        korvane::expression::WriteText(stream, text.substr(0, length));
        text.remove_prefix(length);
        CountLine(stream, lines_per_page, count);
    }
}

}  // namespace

void print_math_expression_help(std::FILE* stream, int lines_per_page) {
    if (stream == nullptr)
        return;
    int count = 0;
    std::string_view text = kHelpText;
    for (std::size_t mark = text.find(kBannerMark); mark != text.npos;
         mark = text.find(kBannerMark)) {
        WriteLines(stream, text.substr(0, mark), lines_per_page, count);
        WriteLines(stream, kBanner, lines_per_page, count);
        text.remove_prefix(mark + kBannerMark.size());
    }
    WriteLines(stream, text, lines_per_page, count);
    std::fflush(stream);
}
