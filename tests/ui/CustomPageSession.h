#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

#include "CustomPageDriver.h"
#include "UiTestSupport.h"
#include "catalogue/CatalogueAction.h"
#include "ui/preferences/CCustom.h"

class QListWidget;

namespace korvane::test {

inline const QString kMessageCaption = QStringLiteral("Korvane Unit Converter");

// A window as the program starts it, and the Custom page working on the same state, tied to
// the window as the Preferences command ties them. Every change the page reports is kept.
class CustomSession {
  public:
    explicit CustomSession(const QString& settingsPath);

    // The last message box shown; an empty one when none was.
    RecordingDesktopServices::Message lastMessage();

    ConverterWindow window;
    CCustom page;
    CustomPageDriver driver;
    std::vector<std::pair<int, CatalogueAction>> changes;
};

// Everything a refused action must leave as it was: the catalogue, the settings file, the
// window's lists and output, and the page's own lists.
struct Snapshot {
    std::vector<std::string> catalogue;
    std::string file;
    QStringList windowCategories;
    QString windowCategory;
    QStringList windowUnits;
    QString windowOutput;
    QStringList pageCategories;
    QStringList pageUnits;
};

Snapshot Take(CustomSession& session, const QString& settingsPath);
void CompareSnapshots(const Snapshot& after, const Snapshot& before);

// The factor text stored for `times` of `unit` of `category`.
QString Factor(const UnitCatalogue& catalogue, const std::string& category, const std::string& unit,
               double times);

}  // namespace korvane::test
