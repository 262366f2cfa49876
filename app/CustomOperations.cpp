#include "app/CustomOperations.h"

#include <cmath>
#include <utility>

#include "app/CustomNames.h"
#include "app/CustomUnitStorage.h"
#include "catalogue/BuiltInUnitTable.h"
#include "catalogue/NumberText.h"

namespace korvane {

namespace {

constexpr std::string_view kInvalidCategoryName = "Please Enter a valid name for the Category";
constexpr std::string_view kCategoryExists = "This category name already exists.";
constexpr std::string_view kTooManyCategories =
    "You have reached the maximum allowed Custom categories";
constexpr std::string_view kOnlyAddedCategories =
    "\n\nYou may only remove previously added categories.";
constexpr std::string_view kRemoveCategoryQuestion =
    "\n\nAre you sure you want to remove the selected Category?";
constexpr std::string_view kNoCustomUnits = "This category does not accept custom units.";
constexpr std::string_view kTooManyStoredUnits =
    "You have reached maximum allowed Custom unit for this category.";
constexpr std::string_view kInvalidUnitName = "Please enter a valid name for the new unit.";
constexpr std::string_view kInvalidFactor = "Enter a valid conversion factor for the unit";
constexpr std::string_view kUnitNameInUse = "The name you have chosen \nis already in use.";
constexpr std::string_view kRowFull =
    "You have reached the maximum allowed Custom units for this category";
constexpr std::string_view kOnlyAddedUnits = "\n\nYou may only remove previously added units.";
constexpr std::string_view kCategoryGone =
    "\n\nThis category is no longer in the settings file: another copy of the program removed it.";
constexpr std::string_view kReferenceGone =
    "\n\nThis unit is no longer in the settings file: another copy of the program removed it. "
    "Choose the unit the factor counts in again.";
constexpr std::string_view kRemoveUnitQuestion =
    "Are you sure you want to remove the selected unit?";

CustomNotice Notice(std::string text, NoticeIcon icon = NoticeIcon::Information,
                    std::string_view caption = kMessageCaption) {
    return CustomNotice{std::move(text), std::string(caption), icon};
}

CustomOutcome Refused(CustomNotice notice) {
    CustomOutcome outcome;
    outcome.refusal = std::move(notice);
    return outcome;
}

CustomOutcome Refused(std::string_view text) {
    return Refused(Notice(std::string(text)));
}

CustomOutcome Changed(int row, CatalogueAction action, std::string name) {
    CustomOutcome outcome;
    outcome.row = row;
    outcome.action = action;
    outcome.name = std::move(name);
    return outcome;
}

// A tab, the name, then the text: how the page quotes a name in its messages.
std::string AboutName(std::string_view name, std::string_view text) {
    std::string message = "\t";
    message += name;
    message += text;
    return message;
}

CustomNotice TooManyCategories() {
    return Notice(std::string(kTooManyCategories), NoticeIcon::Information,
                  kOperationFailedCaption);
}

CustomNotice WriteFailure(const ProfileStore& store, const WriteResult& write) {
    std::string text = "The change could not be saved in the settings file";
    if (!store.Path().empty())
        text += "\n" + store.Path();
    text += "\n\n" + write.reason + "\n\nNothing was changed.";
    return Notice(std::move(text), NoticeIcon::Warning);
}

// What one run over the file decided, and the catalogue as the file holds it afterwards.
struct FileStep {
    std::optional<CustomNotice> refusal;
    bool refreshed = false;
    bool fileFailure = false;
    UnitCatalogue after;
};

// Runs `change` on the settings file under its write lock, after bringing `catalogue` up to
// date from the file as read there, so `change` decides on what the file holds. `change`
// returns the refusal that stops it, if any; a refusal or a failed write leaves the file as it
// was. On success `step.after` is the catalogue as a fresh start would load the new file.
template <typename Change>
FileStep UpdateFile(UnitCatalogue& catalogue, ProfileStore& store, Change change) {
    FileStep step;
    const WriteResult write = store.Update([&](ProfileEditor& file) {
        if (RefreshCustomUnits(file, catalogue))
            step.refreshed = true;
        step.refusal = change(file);
        if (step.refusal) {
            file.Refuse(WriteError::NoFreeEntry, step.refusal->text);
            return;
        }
        step.after = CatalogueFromFile(file);
    });
    if (!step.refusal && !write.ok()) {
        step.refusal = WriteFailure(store, write);
        step.fileFailure = true;
    }
    return step;
}

CustomOutcome Finished(FileStep& step, UnitCatalogue& catalogue, int row, CatalogueAction action,
                       std::string name) {
    CustomOutcome outcome;
    if (step.refusal) {
        outcome.refusal = std::move(step.refusal);
    } else {
        TakeChangedRows(catalogue, step.after);
        outcome = Changed(row, action, std::move(name));
    }
    outcome.refreshed = step.refreshed;
    outcome.fileFailure = step.fileFailure;
    return outcome;
}

bool IsUsedCustomRow(const UnitCatalogue& catalogue, int row) {
    return UnitCatalogue::IsCustomCategory(row) && !IsFreeEntryName(catalogue.CategoryName(row));
}

bool IsBuiltInUnitName(int category, std::string_view name) {
    const auto table = BuiltInUnitTable();
    if (category < 0 || category >= static_cast<int>(table.size()))
        return false;
    for (const BuiltInUnit& unit : table[category].units) {
        if (unit.name == name)
            return true;
    }
    return false;
}

bool HasUnitNamed(const UnitCatalogue& catalogue, int category, std::string_view name) {
    for (int u = 0; u < catalogue.UnitCount(category); ++u) {
        if (SameName(catalogue.UnitName(category, u), name))
            return true;
    }
    return false;
}

int FirstFreeCustomRow(const UnitCatalogue& catalogue) {
    for (int row = kFirstCustomCategory; row < kMaxCategories; ++row) {
        if (!IsUsedCustomRow(catalogue, row))
            return row;
    }
    return -1;
}

// The name tests of a new category, in the page's order; the name to store when it passes.
std::optional<CustomNotice> CheckCategoryName(const UnitCatalogue& catalogue,
                                              std::string_view trimmed) {
    if (!IsStorableCategoryName(trimmed) || IsFreeEntryName(trimmed))
        return Notice(std::string(kInvalidCategoryName));
    for (int row = 0; row < kMaxCategories; ++row) {
        if (SameName(catalogue.CategoryName(row), trimmed))
            return Notice(std::string(kCategoryExists));
    }
    // "custom" in any case is refused above while a row is free, since the free rows are named
    // so. With every row in use it would become a name the next start reads as a free row.
    if (SameName(trimmed, kFreeSlotName))
        return Notice(std::string(kInvalidCategoryName));
    return std::nullopt;
}

// Every test of a new category on the catalogue as the file holds it, then the file's entry
// written; `row` is the row that entry loads into, so the category keeps it at the next start.
std::optional<CustomNotice> PlanCategory(const UnitCatalogue& catalogue, ProfileEditor& file,
                                         std::string_view trimmed, const std::string& name,
                                         int& row) {
    if (auto refusal = CheckCategoryName(catalogue, trimmed))
        return refusal;
    if (FirstFreeCustomRow(catalogue) < 0)
        return TooManyCategories();
    // A name the loader skipped (it duplicates another category ignoring case) is still the
    // file's.
    if (FindCategoryEntry(file, name) != 0)
        return Notice(std::string(kCategoryExists));
    const int entry = FirstFreeCategoryEntry(file);
    if (entry == 0)
        return TooManyCategories();
    row = kFirstCustomCategory + entry - 1;
    if (!catalogue.IsFreeSlot(row))
        return TooManyCategories();
    WriteCategoryEntry(file, entry, name);
    // Units left in the file by an earlier category of this name belong to no category now; a
    // new category starts empty, now and at the next start alike.
    DeleteUnitEntries(file, name);
    return std::nullopt;
}

struct UnitPlan {
    std::string name;
    std::string factorText;  // as stored in the file
    double factor = 0.0;     // that text read back: what the catalogue holds
};

// The factor the page stores: the entered number times the reference unit's factor, or 1 for
// the first unit of a category. Empty when the product is not a finite number.
std::string FactorToStore(const UnitCatalogue& catalogue, const NewCustomUnit& unit) {
    const int count = catalogue.UnitCount(unit.category);
    if (count == 0)
        return "1";
    const int reference = catalogue.HasUnit(unit.category, unit.referenceUnit)
                              ? catalogue.FindUnit(unit.category, unit.referenceUnit)
                              : 0;
    const std::string_view entered = unit.factorText.empty() ? "0" : unit.factorText;
    return FactorText(catalogue.UnitFactor(unit.category, reference) * ReadAtof(entered));
}

// Every test of a new unit that the catalogue can answer, in the page's order, after the first
// (the file's ten entries), which the caller makes.
std::optional<CustomNotice> PlanUnit(const UnitCatalogue& catalogue, const NewCustomUnit& unit,
                                     UnitPlan& plan) {
    const std::string_view trimmed = TrimmedName(unit.name);
    if (!IsStorableUnitName(trimmed))
        return Notice(std::string(kInvalidUnitName));
    plan.name = UnitNameCase(trimmed);
    if (IsFreeEntryName(plan.name))
        return Notice(std::string(kInvalidUnitName));
    plan.factorText = FactorToStore(catalogue, unit);
    plan.factor = plan.factorText.empty() ? 0.0 : ReadAtof(plan.factorText);
    if (HasUnitNamed(catalogue, unit.category, plan.name))
        return Notice(std::string(kUnitNameInUse));
    if (plan.factor == 0.0 || !std::isfinite(plan.factor))
        return Notice(std::string(kInvalidFactor));
    if (catalogue.UnitCount(unit.category) >= kMaxUnitsPerCategory)
        return Notice(std::string(kRowFull));
    return std::nullopt;
}

// Every test of a new unit on the catalogue as the file holds it, in the page's order, then the
// file's entry written. The category, and the reference unit the user chose, must still be
// there: another copy may have removed them since the caller listed them.
std::optional<CustomNotice> PlanUnitInFile(const UnitCatalogue& catalogue, ProfileEditor& file,
                                           const NewCustomUnit& unit, const std::string& section,
                                           bool referenceListed, UnitPlan& plan) {
    if (catalogue.CategoryName(unit.category) != section)
        return Notice(AboutName(section, kCategoryGone));
    if (UsedUnitEntries(file, section) >= kCustomUnitEntries)
        return Notice(std::string(kTooManyStoredUnits));
    if (referenceListed && !catalogue.HasUnit(unit.category, unit.referenceUnit))
        return Notice(AboutName(unit.referenceUnit, kReferenceGone));
    if (auto refusal = PlanUnit(catalogue, unit, plan))
        return refusal;
    // A name the loader skipped (it duplicates another unit ignoring case) is still the file's.
    if (FindUnitEntry(file, section, plan.name) != 0)
        return Notice(std::string(kUnitNameInUse));
    WriteUnitEntry(file, section, FirstFreeUnitEntry(file, section), plan.name, plan.factorText);
    return std::nullopt;
}

}  // namespace

std::vector<int> CategoriesAcceptingCustomUnits(const UnitCatalogue& catalogue) {
    std::vector<int> rows;
    for (int row = 0; row < kMaxCategories; ++row) {
        if (AcceptsCustomUnits(catalogue, row))
            rows.push_back(row);
    }
    return rows;
}

CustomOutcome AddCustomCategory(UnitCatalogue& catalogue, ProfileStore& store,
                                std::string_view enteredName) {
    const std::string_view trimmed = TrimmedName(enteredName);
    std::string name = CategoryNameCase(trimmed);
    int row = -1;
    FileStep step = UpdateFile(catalogue, store, [&](ProfileEditor& file) {
        return PlanCategory(catalogue, file, trimmed, name, row);
    });
    return Finished(step, catalogue, row, CatalogueAction::CategoryInserted, std::move(name));
}

std::optional<CustomNotice> CheckRemoveCustomCategory(const UnitCatalogue& catalogue,
                                                      std::string_view name) {
    const int row = FindNamedCategory(catalogue, name).value_or(-1);
    if (!IsUsedCustomRow(catalogue, row)) {
        const std::string_view shown = row >= 0 ? catalogue.CategoryName(row) : name;
        return Notice(AboutName(shown, kOnlyAddedCategories));
    }
    return std::nullopt;
}

CustomNotice RemoveCategoryQuestion(std::string_view name) {
    return Notice(AboutName(name, kRemoveCategoryQuestion), NoticeIcon::None);
}

CustomOutcome RemoveCustomCategory(UnitCatalogue& catalogue, ProfileStore& store,
                                   std::string_view name) {
    if (auto refusal = CheckRemoveCustomCategory(catalogue, name))
        return Refused(std::move(*refusal));
    std::string header = catalogue.CategoryName(FindNamedCategory(catalogue, name).value_or(-1));
    int row = -1;
    FileStep step = UpdateFile(catalogue, store, [&](ProfileEditor& file) {
        // Another copy may have removed it meanwhile: then only one of the two says "removed".
        if (auto refusal = CheckRemoveCustomCategory(catalogue, header))
            return refusal;
        row = FindNamedCategory(catalogue, header).value_or(-1);
        ForgetCategoryEntries(file, header);
        return std::optional<CustomNotice>();
    });
    return Finished(step, catalogue, row, CatalogueAction::CategoryDeleted, std::move(header));
}

CustomOutcome AddCustomUnit(UnitCatalogue& catalogue, ProfileStore& store,
                            const NewCustomUnit& unit) {
    if (!AcceptsCustomUnits(catalogue, unit.category))
        return Refused(kNoCustomUnits);
    const std::string section = catalogue.CategoryName(unit.category);
    const bool referenceListed = catalogue.HasUnit(unit.category, unit.referenceUnit);
    UnitPlan plan;
    FileStep step = UpdateFile(catalogue, store, [&](ProfileEditor& file) {
        return PlanUnitInFile(catalogue, file, unit, section, referenceListed, plan);
    });
    return Finished(step, catalogue, unit.category, CatalogueAction::UnitInserted,
                    std::move(plan.name));
}

std::optional<CustomNotice> CheckRemoveCustomUnit(const UnitCatalogue& catalogue, int category,
                                                  std::string_view name) {
    const int unit = FindNamedUnit(catalogue, category, name).value_or(-1);
    if (unit < 0 || IsBuiltInUnitName(category, catalogue.UnitName(category, unit)) ||
        IsBuiltInUnitName(category, name)) {
        const std::string_view shown = unit >= 0 ? catalogue.UnitName(category, unit) : name;
        return Notice(AboutName(shown, kOnlyAddedUnits));
    }
    return std::nullopt;
}

CustomNotice RemoveUnitQuestion(std::string_view name) {
    std::string text = AboutName(name, "\n\n");
    text += kRemoveUnitQuestion;
    return Notice(std::move(text));
}

CustomOutcome RemoveCustomUnit(UnitCatalogue& catalogue, ProfileStore& store, int category,
                               std::string_view name) {
    if (auto refusal = CheckRemoveCustomUnit(catalogue, category, name))
        return Refused(std::move(*refusal));
    std::string unitName =
        catalogue.UnitName(category, FindNamedUnit(catalogue, category, name).value_or(-1));
    const std::string section = catalogue.CategoryName(category);
    FileStep step = UpdateFile(catalogue, store, [&](ProfileEditor& file) {
        // Another copy may have removed the unit, or its category, meanwhile.
        if (catalogue.CategoryName(category) != section)
            return std::optional(Notice(AboutName(unitName, kOnlyAddedUnits)));
        if (auto refusal = CheckRemoveCustomUnit(catalogue, category, unitName))
            return refusal;
        ForgetUnitEntries(file, section, unitName);
        return std::optional<CustomNotice>();
    });
    return Finished(step, catalogue, category, CatalogueAction::UnitDeleted, std::move(unitName));
}

}  // namespace korvane
