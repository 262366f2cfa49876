// Feeds arbitrary bytes to the free-form reader. Besides the sanitizers, it checks what must
// hold for every text: an answer (a reading with a finite value and units of its category, or a
// refusal with a message and a column inside the text), the same answer whether the lookups
// scan the catalogue or use the index, and the same answer when read twice.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "catalogue/UnitCatalogue.h"
#include "catalogue/UnitTiers.h"
#include "catalogue/Utf8.h"
#include "query/FreeFormReader.h"

namespace {

using namespace korvane;

const UnitCatalogue& Catalogue() {
    static const UnitCatalogue catalogue = [] {
        UnitCatalogue c;
        c.LoadBuiltInTables();
        return c;
    }();
    return catalogue;
}

bool SameAnswer(const query::ReadResult& a, const query::ReadResult& b) {
    if (a.reading.has_value() != b.reading.has_value())
        return false;
    if (!a.reading)
        return a.refusal.message == b.refusal.message && a.refusal.column == b.refusal.column &&
               a.refusal.suggestion == b.refusal.suggestion;
    const bool sameValue = a.reading->value == b.reading->value ||
                           (std::isnan(a.reading->value) && std::isnan(b.reading->value));
    return a.reading->category == b.reading->category &&
           a.reading->fromUnit == b.reading->fromUnit && a.reading->toUnit == b.reading->toUnit &&
           sameValue && a.reading->echo == b.reading->echo;
}

void CheckAnswer(const query::ReadResult& result, std::string_view text) {
    const UnitCatalogue& catalogue = Catalogue();
    if (!result.reading) {
        const auto limit = static_cast<int>(CharacterCount(text)) + 1;
        if (result.refusal.message.empty() || result.refusal.column < 0 ||
            result.refusal.column > limit)
            std::abort();
        return;
    }
    const query::Reading& r = *result.reading;
    if (!std::isfinite(r.value) || r.fromUnit < 0 ||
        r.fromUnit >= catalogue.UnitCount(r.category) ||
        (r.toUnit && (*r.toUnit < 0 || *r.toUnit >= catalogue.UnitCount(r.category))) ||
        r.echo.empty())
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const UnitTierIndex index(Catalogue());
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (auto decimal : {query::DecimalSeparator::Point, query::DecimalSeparator::Comma}) {
        query::ReadingContext scanning{decimal, std::nullopt, nullptr};
        query::ReadingContext indexed{decimal, std::nullopt, &index};
        const query::ReadResult scanned = query::ReadFreeForm(Catalogue(), text, scanning);
        CheckAnswer(scanned, text);
        if (!SameAnswer(scanned, query::ReadFreeForm(Catalogue(), text, indexed)) ||
            !SameAnswer(scanned, query::ReadFreeForm(Catalogue(), text, scanning)))
            std::abort();
    }
    return 0;
}
