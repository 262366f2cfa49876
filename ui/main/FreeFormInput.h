#pragma once

#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/UnitTiers.h"
#include "query/FreeFormReader.h"

class QLocale;

namespace korvane {

class UnitCatalogue;
struct ConversionResult;

// The decimal separator the desktop's numbers use; anything but a comma reads as a point.
query::DecimalSeparator DecimalSeparatorOf(const QLocale& locale);

// What the lists should show for a reading, by the names the lists carry.
struct ReadingSelection {
    int category = 0;
    QString fromUnit;
    // None: the to-list keeps its unit when the category stays, else shows its first unit.
    std::optional<QString> toUnit;
    // The reading's value as the conversion request evaluates it: the output box then shows
    // exactly what typing that value would show.
    std::string input;
    QString echo;
};

// What the window shows for a text the evaluator rejected.
struct FreeFormAnswer {
    std::optional<ReadingSelection> selection;
    // Without a selection: why the text was not read, for the tooltip and the description.
    QString refusal;
};

// Reads the texts the evaluator rejects as conversions ("12 in to cm"), for the converter
// window, which only applies the answer. Valid expressions never get here, so typing them
// costs what it always has.
class FreeFormInput {
  public:
    explicit FreeFormInput(query::DecimalSeparator decimal);
    ~FreeFormInput();

    // Whether the text behind `result` is read free-form: the evaluator rejected it, and the
    // category converts values (Numbers converts the raw text and never reads free-form).
    static bool ShouldRead(const UnitCatalogue& catalogue, int category,
                           const ConversionResult& result);

    // `text` read with `shownCategory` as the category on show. `evaluatorError` is what the
    // tooltip says today; a refusal of a text holding nothing a unit is written with keeps it,
    // since such a text was an expression the user mistyped, not a conversion.
    FreeFormAnswer Read(const UnitCatalogue& catalogue, std::string_view text, int shownCategory,
                        const QString& evaluatorError);

    // The catalogue's units changed (a custom unit or category added or removed): the lookup
    // index built from it is dropped, and the next reading builds it anew.
    void CatalogueChanged() { index_.reset(); }

  private:
    query::DecimalSeparator decimal_;
    // Built at the first reading: a user who never types a conversion never pays for it, and
    // one who does pays once instead of on every keystroke.
    std::unique_ptr<UnitTierIndex> index_;
};

}  // namespace korvane
