#pragma once

#include <string>
#include <string_view>

namespace korvane {

// Settings files written by older programs and by hand on Windows are Windows-1252; every byte
// has a meaning there, so any file can be read this way.
std::string Windows1252ToUtf8(std::string_view bytes);

// C0 controls (CR, LF, tab, NUL...), DEL and the C1 controls U+0080..U+009F. A line-based file
// cannot hold them in a name or value and read them back the same.
bool ContainsControlCharacter(std::string_view utf8);

}  // namespace korvane
