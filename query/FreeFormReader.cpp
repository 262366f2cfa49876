#include "query/FreeFormReader.h"

namespace korvane::query {

ReadResult ReadFreeForm(const UnitCatalogue&, std::string_view, const ReadingContext&) {
    ReadResult result;
    result.refusal.message = "Free-form input is not read yet";
    return result;
}

}  // namespace korvane::query
