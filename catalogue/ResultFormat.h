#pragma once

#include <string>

namespace korvane {

enum class FormatMode : int { AutoFormat = 0, Scientific = 1, Fixed = 2 };

// The format the output box uses. Precision is the number of decimals of Scientific and Fixed.
struct ResultFormat {
    FormatMode mode = FormatMode::AutoFormat;
    int precision = 5;
};

inline constexpr int kDefaultPrecision = 5;
// A precision beyond this is clamped: it can only come from a hand-edited file, and honouring
// it would allocate and print thousands of digits on every keystroke.
inline constexpr int kMaxPrecision = 512;

// A stored mode other than 0, 1 or 2 reads as AutoFormat.
FormatMode FormatModeFromInt(int stored);
// Negative precision behaves as printf's default of 6; above kMaxPrecision is clamped.
int EffectivePrecision(int stored);

// The output box's text: "%1.8g", "%1.*e" or "%1.*f" with at least three exponent digits,
// independent of the locale; "inf", "-inf" and "nan" for non-finite values.
std::string FormatResult(double value, const ResultFormat& format);
// The Result Format page's preview: the same, but AutoFormat shows 14 significant digits.
std::string FormatPreview(double value, const ResultFormat& format);
// The number the Result Format page previews each choice with.
inline constexpr double kPreviewSample = 123.4567897689834;

}  // namespace korvane
