#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// The spellings the alias tier tries for a typed unit text, the text itself first, each once:
// a qualifier in front ("UK gal" -> "gal (UK)"), "per" ("miles per hour" -> "miles/hour"),
// powers ("sq m", "square meters", "m2", "m^2" -> "m²", "meters²"; "cu ft", "ft3" -> "ft³"),
// British spellings ("metre" -> "meter") and plurals ("inches" -> "inch", "feet" -> "foot").
std::vector<std::string> TextForms(std::string_view text);

}  // namespace korvane
