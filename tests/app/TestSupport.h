#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

#include "app/Utf8Path.h"
#include "catalogue/UnitCatalogue.h"

namespace korvane::testing {

// Paths are UTF-8 text, as in the storage; on Windows a narrow path would be read in the ANSI
// code page.
inline std::filesystem::path PathOf(const std::string& utf8) {
    return PathFromUtf8(utf8);
}

inline std::string TextOf(const std::filesystem::path& path) {
    return Utf8FromPath(path);
}

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

// A fresh folder per test, removed afterwards.
class TempFolder {
  public:
    TempFolder() {
#ifdef _WIN32
        // No mkdtemp: a random name, which create_directory refuses when it is taken.
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const std::filesystem::path candidate =
                std::filesystem::temp_directory_path() /
                ("korvane-app-test-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error))
                path_ = TextOf(candidate);
        }
#else
        std::string pattern =
            (std::filesystem::temp_directory_path() / "korvane-app-test-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) == nullptr ? std::string() : pattern;
#endif
        EXPECT_FALSE(path_.empty());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(PathOf(path_), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(PathOf(path_), ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const {
        return path_;
    }
    std::string File(std::string_view name) const {
        return path_ + kSeparator + std::string(name);
    }

  private:
    std::string path_;
};

// `text`, written with LF, as the store puts it in a file it creates: with the platform's line
// break (CR LF on Windows).
inline std::string AsNewFile(std::string_view text) {
#ifdef _WIN32
    std::string file;
    for (const char c : text)
        file += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return file;
#else
    return std::string(text);
#endif
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(PathOf(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A catalogue that does not depend on the compiled-in data: rows named "Category 0" ..
// "Category 41" with two units each, except the rows the storage treats specially, which carry
// their real names. Custom rows are free, as after LoadBuiltInTables.
inline constexpr int kTestDistance = 9;
inline constexpr int kTestDataTransfer = 8;
inline constexpr int kTestNumbers = 26;
inline constexpr int kTestTemperature = 33;
inline constexpr int kTestConductance = 34;

inline UnitCatalogue MakeTestCatalogue() {
    UnitCatalogue catalogue;
    catalogue.LoadBuiltInTables();
    // Counted loops that check every step: a broken RemoveUnit or AppendUnit fails the test
    // here instead of looping for ever.
    for (int c = 0; c < kBuiltInCategories; ++c) {
        for (int count = catalogue.UnitCount(c); count > 0; --count) {
            if (!catalogue.RemoveUnit(c, 0) || catalogue.UnitCount(c) != count - 1) {
                ADD_FAILURE() << "RemoveUnit did not remove the first unit of category " << c;
                break;
            }
        }
        catalogue.SetCategoryName(c, "Category " + std::to_string(c));
        EXPECT_TRUE(catalogue.AppendUnit(c, "first unit", 1.0));
        EXPECT_TRUE(catalogue.AppendUnit(c, "second unit", 2.0));
    }
    catalogue.SetCategoryName(kTestDistance, "Distance");
    catalogue.SetCategoryName(kTestDataTransfer, "Data Transfer");
    for (int u = 2; u < 169; ++u)
        EXPECT_TRUE(catalogue.AppendUnit(kTestDataTransfer, "filler " + std::to_string(u), 8.0));
    EXPECT_EQ(catalogue.UnitCount(kTestDataTransfer), 169);
    catalogue.SetCategoryName(kTestNumbers, "Numbers");
    catalogue.SetCategoryName(kTestTemperature, "Temperature");
    catalogue.SetCategoryName(kTestConductance, "Thermal Conductance (buildings)");
    return catalogue;
}

}  // namespace korvane::testing
