#pragma once

#include <QString>

namespace korvane {

// The two pages the program offers to open in the browser: the maker's home page (the banner)
// and the converter's information page (Help, Check for updates or donate..., the About box).
struct WebAddresses {
    QString home;
    QString product;
};

}  // namespace korvane
