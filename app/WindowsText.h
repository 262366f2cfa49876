#pragma once

#include <string>
#include <string_view>

// Windows only: the wide (UTF-16) texts its API takes and gives, and our UTF-8 texts. Invalid
// sequences become replacement characters, as the system converts them.
namespace korvane {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace korvane
