#include "app/Settings.h"

#include <algorithm>

#include "app/CustomNames.h"
#include "app/SettingsKeys.h"

namespace korvane {

namespace {

using namespace settings_keys;

struct FlagKey {
    std::string_view key;
    std::string_view defaultText;
};

FlagKey KeyOf(SettingsFlag flag) {
    switch (flag) {
        case SettingsFlag::ShowAbbreviation:
            return {kShowAbbreviation, kFlagOn};
        case SettingsFlag::OnTop:
            return {kOnTop, kFlagOff};
        case SettingsFlag::RememberCategory:
            return {kRememberCategory, kFlagOn};
    }
    return {kShowAbbreviation, kFlagOn};
}

}  // namespace

bool ReadFlag(const ProfileStore& store, std::string_view key, std::string_view defaultText) {
    return store.GetProfileString(kSettingsSection, key, defaultText) == kFlagOn;
}

bool ReadFlag(const ProfileStore& store, SettingsFlag flag) {
    const FlagKey key = KeyOf(flag);
    return ReadFlag(store, key.key, key.defaultText);
}

WriteResult WriteFlag(ProfileStore& store, SettingsFlag flag, bool on) {
    return store.WriteProfileString(kSettingsSection, KeyOf(flag).key, on ? kFlagOn : kFlagOff);
}

CategoryVisibility ReadVisibility(const ProfileStore& store, const UnitCatalogue& catalogue) {
    const ProfileSnapshot file = store.Snapshot();
    CategoryVisibility visibility;
    for (int c = 0; c < kBuiltInCategories; ++c) {
        visibility.SetFlag(c, file.GetInt(catalogue.CategoryName(c), kVisibility,
                                          CategoryVisibility::DefaultFlag(c)));
    }
    return visibility;
}

ResultFormat ReadResultFormat(const ProfileStore& store) {
    const ProfileSnapshot file = store.Snapshot();
    ResultFormat format;
    format.mode = FormatModeFromInt(file.GetInt(kSettingsSection, kFormat, 0));
    format.precision =
        std::min(file.GetInt(kSettingsSection, kPrecision, kDefaultPrecision), kMaxPrecision);
    return format;
}

WriteResult SaveResultFormat(ProfileStore& store, const ResultFormat& format) {
    return store.Update([&](ProfileEditor& file) {
        file.SetInt(kSettingsSection, kPrecision, format.precision);
        file.SetInt(kSettingsSection, kFormat, static_cast<int>(format.mode));
    });
}

WriteResult SaveDisplaySettings(ProfileStore& store, const UnitCatalogue& catalogue,
                                const ResultFormat& format, const CategoryVisibility& visibility) {
    return store.Update([&](ProfileEditor& file) {
        file.SetInt(kSettingsSection, kFormat, static_cast<int>(format.mode));
        file.SetInt(kSettingsSection, kPrecision, format.precision);
        for (int c = 0; c < kBuiltInCategories; ++c) {
            file.SetInt(catalogue.CategoryName(c), kVisibility, visibility.Flag(c));
        }
    });
}

LastSelection ReadLastSelection(const ProfileStore& store) {
    const ProfileSnapshot file = store.Snapshot();
    LastSelection selection;
    selection.category = file.GetString(kSettingsSection, kLastCategory, kNoCategory);
    selection.toPosition = file.GetInt(kSettingsSection, kLastUnitTo, 0);
    selection.fromPosition = file.GetInt(kSettingsSection, kLastUnitFrom, 0);
    return selection;
}

WriteResult SaveLastSelection(ProfileStore& store, std::string_view categoryText, int toPosition,
                              int fromPosition) {
    // Refused here rather than by the file, whose reason would call the name "the value".
    if (std::string reason = UnstorableNameReason("category name", categoryText); !reason.empty())
        return WriteResult::Failure(WriteError::RefusedText, std::move(reason));
    return store.Update([&](ProfileEditor& file) {
        file.Set(kSettingsSection, kLastCategory, categoryText);
        file.SetInt(kSettingsSection, kLastUnitTo, toPosition);
        file.SetInt(kSettingsSection, kLastUnitFrom, fromPosition);
    });
}

}  // namespace korvane
