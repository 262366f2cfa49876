#pragma once

#include <filesystem>
#include <string>

// Our texts, file names included, are UTF-8; std::filesystem reads a narrow string in the
// system code page on Windows, so every path crosses between the two here.
namespace korvane {

std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace korvane
