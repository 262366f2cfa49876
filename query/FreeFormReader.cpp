#include "query/FreeFormReader.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "catalogue/Conversion.h"
#include "catalogue/Misspelling.h"
#include "catalogue/NumberText.h"
#include "catalogue/UnitAliases.h"
#include "expression/ZK_eval_math_expression.h"
#include "query/NormalText.h"
#include "query/QuantityReading.h"
#include "query/Separators.h"
#include "query/UnitChoice.h"

namespace korvane::query {

namespace {

constexpr std::size_t kMaxSplits = 4;

struct Outcome {
    std::optional<Reading> reading;
    std::optional<ReadError> error;
    std::vector<std::string> candidates;
};

Outcome Failed(std::string message, std::size_t at, std::string unit = {}) {
    return {std::nullopt, ReadError{std::move(message), at, std::move(unit)}, {}};
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool HasBlankBeforeDigit(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == ' ' && text[i + 1] >= '0' && text[i + 1] <= '9')
            return true;
    }
    return false;
}

UnitText MarkUnit(Mark mark, const UnitCatalogue& catalogue, std::size_t at) {
    const bool angle = mark == Mark::Degree || mark == Mark::Minute || mark == Mark::Second;
    const std::string_view name = mark == Mark::Foot     ? "foot"
                                  : mark == Mark::Inch   ? "inch"
                                  : mark == Mark::Degree ? "degree"
                                  : mark == Mark::Minute ? "minute"
                                                         : "second";
    return UnitText{std::string(name), at, catalogue.TryFindCategory(angle ? "Angle" : "Distance")};
}

class Reader {
  public:
    Reader(const UnitCatalogue& catalogue, const NormalText& normal, const ReadingContext& context)
        : catalogue_(catalogue),
          normal_(normal),
          text_(normal.text),
          context_(context),
          cache_(catalogue, context.index) {}

    Outcome Read() {
        const std::vector<Separator> separators = FindSeparators(text_);
        Outcome first;
        auto keep = [&first](Outcome outcome) {
            if (!first.error && outcome.error)
                first = std::move(outcome);
        };
        // A conversion holds one separator, two with an "in" that is the inch; the few tried
        // from the right bound the work a text of many separators costs.
        std::size_t tried = 0;
        for (const Separator& separator : separators) {
            if (separator.end >= text_.size())
                continue;
            if (++tried > kMaxSplits)
                break;
            Outcome outcome = ReadSplit(separator);
            if (outcome.reading)
                return outcome;
            keep(std::move(outcome));
        }
        Outcome alone = ReadAlone(text_.size());
        if (alone.reading)
            return alone;
        // A separator at the end is the user still typing: "12 in to" reads as "12 in".
        if (!separators.empty() && separators.front().end >= text_.size()) {
            Outcome typing = ReadAlone(separators.front().start);
            if (typing.reading)
                return typing;
        }
        keep(std::move(alone));
        return first;
    }

  private:
    std::optional<std::string> Resolve(std::string_view text, bool loose) {
        if (IsSeparatorWord(text))
            return std::nullopt;
        const Tier limit = HasBlankBeforeDigit(text) ? Tier::NameAnyCase
                           : loose                   ? Tier::PartOfName
                                                     : Tier::WithoutQualifier;
        if (Found(cache_.Get(text), limit))
            return std::string(text);
        // "uS", "um": the ASCII stand-in for the micro sign, tried when the text fails as typed.
        if (text.size() > 1 && text.front() == 'u') {
            std::string micro = "µ" + std::string(text.substr(1));
            if (Found(cache_.Get(micro), limit))
                return micro;
        }
        return std::nullopt;
    }

    // Tier by tier, so a text an early tier finds never pays for the loose ones.
    static bool Found(UnitTextMatches& matches, Tier limit) {
        for (int t = static_cast<int>(Tier::Name); t <= static_cast<int>(limit); ++t) {
            matches.AdvanceTo(static_cast<Tier>(t));
            if (matches.FoundBy(static_cast<Tier>(t)))
                return true;
        }
        return false;
    }

    std::optional<std::string> ResolveAny(std::string_view text) {
        if (auto found = Resolve(text, false))
            return found;
        return Resolve(text, true);
    }

    Quantity QuantityBefore(std::size_t end) {
        const QuantitySource source{text_, 0, end, context_.decimal, normal_.hasDegree};
        return ReadQuantity(source,
                            [this](std::string_view t, bool loose) { return Resolve(t, loose); });
    }

    Outcome ReadSplit(const Separator& separator) {
        const std::string_view right = Trimmed(std::string_view(text_).substr(separator.end));
        const std::size_t rightAt = text_.size() - right.size();
        const auto target = ResolveAny(right);
        if (!target)
            return Failed("unknown unit", rightAt, std::string(right));
        Quantity quantity = QuantityBefore(separator.start);
        if (quantity.error)
            return {std::nullopt, quantity.error, {}};
        if (quantity.noValue) {
            // "inch to cm": a unit without a value reads the value 1.
            const std::string_view left =
                Trimmed(std::string_view(text_).substr(0, separator.start));
            const auto unit = ResolveAny(left);
            if (!unit)
                return Failed("unknown unit", text_.find(left), std::string(left));
            Part part;
            part.value = 1;
            part.unit = *unit;
            part.unitAt = text_.find(left);
            quantity.parts.push_back(part);
        } else if (quantity.BareValue()) {
            if (separator.word != "in")
                return Failed("a unit is missing after the number", quantity.parts[0].valueAt);
            // "12 in cm": the only "in" after a bare value is the inch.
            quantity.parts[0].bare = false;
            quantity.parts[0].unit = "in";
            quantity.parts[0].unitAt = separator.wordAt;
        }
        return Finish(quantity, UnitText{*target, rightAt, std::nullopt});
    }

    Outcome ReadAlone(std::size_t end) {
        Quantity quantity = QuantityBefore(end);
        if (quantity.error)
            return {std::nullopt, quantity.error, {}};
        const std::string_view text = Trimmed(std::string_view(text_).substr(0, end));
        if (quantity.noValue) {
            if (ResolveAny(text))
                return Failed("nothing to convert: type a value before \"" + std::string(text) +
                                  "\" or a target after it",
                              0);
            return Failed("unknown unit", 0, std::string(text));
        }
        return Finish(quantity, std::nullopt);
    }

    Outcome Finish(const Quantity& quantity, std::optional<UnitText> target) {
        ChoiceRequest request;
        for (const Part& part : quantity.parts) {
            if (part.bare)
                return Failed("a unit is missing after the number", part.valueAt);
            request.texts.push_back(part.mark != Mark::None
                                        ? MarkUnit(part.mark, catalogue_, part.valueAt)
                                        : UnitText{part.unit, part.unitAt, std::nullopt});
        }
        request.hasTarget = target.has_value();
        if (target)
            request.texts.push_back(*target);
        request.timeGroup = quantity.parts.size() > 1;
        request.shownCategory = context_.shownCategory;
        UnitChoice choice = ChooseUnits(cache_, request);
        if (choice.error)
            return {std::nullopt, choice.error, choice.candidates};
        return Sum(quantity, choice, target.has_value());
    }

    Outcome Sum(const Quantity& quantity, const UnitChoice& choice, bool hasTarget) {
        const int category = choice.category;
        const std::size_t parts = quantity.parts.size();
        const int from = choice.units[parts - 1];
        const bool linear =
            RuleForCategory(catalogue_.CategoryName(category)) == ConversionRule::Linear;
        if (parts > 1 && !linear)
            return Failed("temperatures are not added: type one value", quantity.parts[1].valueAt);
        double value = 0;
        for (std::size_t i = 0; i < parts; ++i) {
            const double v = quantity.parts[i].value;
            value += parts == 1 ? v
                                : ConvertLinear(v, catalogue_.UnitFactor(category, choice.units[i]),
                                                catalogue_.UnitFactor(category, from));
        }
        if (quantity.negative)
            value = -value;
        if (!std::isfinite(value))
            return Failed("the number is too large", quantity.parts[0].valueAt);
        Reading reading;
        reading.category = category;
        reading.fromUnit = from;
        if (hasTarget)
            reading.toUnit = choice.units.back();
        reading.value = value;
        reading.echo = Echo(reading, quantity.notes, choice.notes);
        return {reading, std::nullopt, {}};
    }

    std::string Echo(const Reading& reading, const std::vector<std::string>& valueNotes,
                     const std::vector<std::string>& unitNotes) const {
        std::string echo =
            "Read as " + ShortestText(reading.value) + " " +
            std::string(catalogue_.UnitNameView(reading.category, reading.fromUnit)) + " (" +
            catalogue_.CategoryName(reading.category) + ")";
        if (reading.toUnit)
            echo += " → " + std::string(catalogue_.UnitNameView(reading.category, *reading.toUnit));
        for (const auto* notes : {&valueNotes, &unitNotes}) {
            for (const std::string& note : *notes)
                echo += "; " + note;
        }
        return echo;
    }

    const UnitCatalogue& catalogue_;
    const NormalText& normal_;
    const std::string& text_;
    ReadingContext context_;
    LookupCache cache_;
};

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

Refusal Refuse(std::string message, int column) {
    Refusal refusal;
    refusal.message = std::move(message);
    refusal.column = column;
    return refusal;
}

ReadResult ReadNormal(const UnitCatalogue& catalogue, const NormalText& normal,
                      const ReadingContext& context, bool offer);

// "did you mean", with the reading that accepting it gives: the text read again with the
// unit's name in place of what was typed.
void Offer(const UnitCatalogue& catalogue, const NormalText& normal, const ReadError& error,
           const std::string& name, const ReadingContext& context, Refusal& refusal) {
    refusal.message += "; did you mean " + Quoted(name) + "?";
    refusal.suggestion = name;
    NormalText corrected = normal;
    corrected.text.replace(error.at, error.unit.size(), name);
    corrected.columns.resize(corrected.text.size() + 1, normal.ColumnAt(error.at));
    refusal.offered = ReadNormal(catalogue, corrected, context, false).reading;
}

// "unknown unit", with the plain word for units the catalogue lacks and "did you mean" with the
// reading that accepting it gives.
Refusal UnknownUnit(const UnitCatalogue& catalogue, const NormalText& normal,
                    const ReadError& error, const ReadingContext& context, bool offer) {
    const int column = normal.ColumnAt(error.at);
    const std::string where = " at column " + std::to_string(column);
    if (const auto missing = FindMissingUnit(error.unit)) {
        return Refuse(Quoted(error.unit) + where + " is not a unit the converter has (" +
                          std::string(missing->what) + ")",
                      column);
    }
    Refusal refusal = Refuse("unknown unit " + Quoted(error.unit) + where, column);
    const auto misspelling = offer ? FindMisspelling(catalogue, error.unit) : std::nullopt;
    if (misspelling)
        Offer(catalogue, normal, error, misspelling->name, context, refusal);
    return refusal;
}

ReadResult ReadNormal(const UnitCatalogue& catalogue, const NormalText& normal,
                      const ReadingContext& context, bool offer) {
    ReadResult result;
    if (normal.text.empty()) {
        result.refusal = Refuse("nothing to read", 0);
        return result;
    }
    Reader reader(catalogue, normal, context);
    Outcome outcome = reader.Read();
    if (outcome.reading) {
        result.reading = std::move(outcome.reading);
        return result;
    }
    if (!outcome.error) {
        result.refusal = Refuse("unexpected text at column 1", 1);
        return result;
    }
    const ReadError& error = *outcome.error;
    if (!error.suggestion.empty()) {
        const int column = normal.ColumnAt(error.at);
        result.refusal = Refuse(error.message + " at column " + std::to_string(column), column);
        if (offer)
            Offer(catalogue, normal, error, error.suggestion, context, result.refusal);
        return result;
    }
    if (!error.unit.empty()) {
        result.refusal = UnknownUnit(catalogue, normal, error, context, offer);
        return result;
    }
    const int column = normal.ColumnAt(error.at);
    result.refusal = Refuse(error.message + " at column " + std::to_string(column), column);
    result.refusal.candidates = std::move(outcome.candidates);
    return result;
}

}  // namespace

ReadResult ReadFreeForm(const UnitCatalogue& catalogue, std::string_view text,
                        const ReadingContext& context) {
    ReadResult result;
    NormalText normal;
    if (const auto error = Normalise(text, normal)) {
        result.refusal =
            Refuse(error->message + " at column " + std::to_string(error->column), error->column);
        return result;
    }
    // The evaluator owns every valid expression: "1 1/2" stays 5.5 and "2+3/4" 2.75.
    if (!normal.text.empty()) {
        const math_expression_check check = eval_math_expression_checked(text);
        if (!check.error_reported && check.code == 0) {
            result.refusal = Refuse("a valid expression: it is evaluated, not read as units", 0);
            result.refusal.expression = true;
            return result;
        }
    }
    return ReadNormal(catalogue, normal, context, true);
}

}  // namespace korvane::query
