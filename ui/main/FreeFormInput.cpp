#include "ui/main/FreeFormInput.h"

#include <QChar>
#include <QList>
#include <QLocale>

#include <algorithm>

#include "app/ConversionRequest.h"
#include "catalogue/Conversion.h"
#include "catalogue/NumberText.h"
#include "catalogue/UnitCatalogue.h"

namespace korvane {

namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Units are written with letters (in, µm, Å), symbols (°, ℃, ², ½ cup) or the marks of feet,
// inches and angles. A text with none of them ("2+*3", "2+§") was meant as an expression, and
// the evaluator's message says best what is wrong with it.
bool MayNameUnit(std::string_view text) {
    const QList<uint> codePoints = ToQString(text).toUcs4();
    return std::any_of(codePoints.begin(), codePoints.end(), [](uint c) {
        switch (QChar::category(static_cast<char32_t>(c))) {
            case QChar::Letter_Uppercase:
            case QChar::Letter_Lowercase:
            case QChar::Letter_Titlecase:
            case QChar::Letter_Modifier:
            case QChar::Letter_Other:
            case QChar::Symbol_Other:
            case QChar::Number_Other:
                return true;
            default:
                return c == '\'' || c == '"' || c == '\\' || c == 0x2032 || c == 0x2033 ||
                       c == 0x2019 || c == 0x201D;
        }
    });
}

ReadingSelection SelectionFor(const UnitCatalogue& catalogue, const query::Reading& reading) {
    ReadingSelection selection;
    selection.category = reading.category;
    selection.fromUnit = ToQString(catalogue.UnitName(reading.category, reading.fromUnit));
    if (reading.toUnit)
        selection.toUnit = ToQString(catalogue.UnitName(reading.category, *reading.toUnit));
    // The shortest text that reads back to the same double, so nothing is lost on the way.
    selection.input = ShortestText(reading.value);
    selection.echo = ToQString(reading.echo);
    return selection;
}

bool IsValidReading(const UnitCatalogue& catalogue, const query::Reading& reading) {
    if (!UnitCatalogue::IsCategoryIndex(reading.category))
        return false;
    const int count = catalogue.UnitCount(reading.category);
    const auto inCategory = [count](int unit) { return unit >= 0 && unit < count; };
    return inCategory(reading.fromUnit) && (!reading.toUnit || inCategory(*reading.toUnit));
}

}  // namespace

query::DecimalSeparator DecimalSeparatorOf(const QLocale& locale) {
    return locale.decimalPoint() == QStringLiteral(",") ? query::DecimalSeparator::Comma
                                                        : query::DecimalSeparator::Point;
}

FreeFormInput::FreeFormInput(query::DecimalSeparator decimal) : decimal_(decimal) {}

FreeFormInput::~FreeFormInput() = default;

bool FreeFormInput::ShouldRead(const UnitCatalogue& catalogue, int category,
                               const ConversionResult& result) {
    if (!result.changed || result.errorMessage.empty())
        return false;
    return RuleForCategory(catalogue.CategoryName(category)) != ConversionRule::Numbers;
}

FreeFormAnswer FreeFormInput::Read(const UnitCatalogue& catalogue, std::string_view text,
                                   int shownCategory, const QString& evaluatorError) {
    if (!index_ || &index_->Catalogue() != &catalogue)
        index_ = std::make_unique<UnitTierIndex>(catalogue);
    query::ReadingContext context;
    context.index = index_.get();
    context.decimal = decimal_;
    context.shownCategory = shownCategory;
    const query::ReadResult result = query::ReadFreeForm(catalogue, text, context);
    FreeFormAnswer answer;
    if (result.reading && IsValidReading(catalogue, *result.reading)) {
        answer.selection = SelectionFor(catalogue, *result.reading);
        return answer;
    }
    answer.refusal = MayNameUnit(text) && !result.refusal.message.empty()
                         ? ToQString(result.refusal.message)
                         : evaluatorError;
    return answer;
}

}  // namespace korvane
