#include "CustomPageSession.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <charconv>
#include <fstream>
#include <sstream>

#include "app/CustomUnitStorage.h"
#include "ui/preferences/PreferencesContext.h"

namespace korvane::test {

CustomSession::CustomSession(const QString& settingsPath)
    : window(settingsPath),
      page(PreferencesContext{
          window.state(), window.services(), window.dialog().settingsWriteReporter(), {}}),
      driver(page) {
    QObject::connect(&page, &CCustom::catalogueChanged, &window.dialog(),
                     &CConverterDlg::OnCatalogueChanged);
    QObject::connect(
        &page, &CCustom::catalogueChanged, &page,
        [this](int index, CatalogueAction action) { changes.emplace_back(index, action); });
    page.show();
}

RecordingDesktopServices::Message CustomSession::lastMessage() {
    const auto& messages = window.services().messages;
    if (messages.empty())
        return {};
    return messages.back();
}

namespace {

std::string Describe(const UnitCatalogue& catalogue, int row) {
    std::string text = catalogue.CategoryName(row);
    for (int unit = 0; unit < catalogue.UnitCount(row); ++unit) {
        char factor[32];
        const auto end =
            std::to_chars(factor, factor + sizeof factor, catalogue.UnitFactor(row, unit)).ptr;
        text += '|' + catalogue.UnitName(row, unit) + '=' + std::string(factor, end);
    }
    return text;
}

}  // namespace

Snapshot Take(CustomSession& session, const QString& settingsPath) {
    Snapshot snapshot;
    for (int row = 0; row < kMaxCategories; ++row)
        snapshot.catalogue.push_back(Describe(session.window.state().catalogue, row));
    snapshot.file = ReadAll(settingsPath);
    snapshot.windowCategories = Entries(session.window.categoryList());
    snapshot.windowCategory = session.window.categoryList()->currentText();
    snapshot.windowUnits = Entries(session.window.inputList());
    snapshot.windowOutput = session.window.outputEdit()->text();
    snapshot.pageCategories = Entries(session.driver.categoryList());
    snapshot.pageUnits = Entries(session.driver.unitList());
    return snapshot;
}

void CompareSnapshots(const Snapshot& after, const Snapshot& before) {
    QVERIFY(after.catalogue == before.catalogue);
    QCOMPARE(after.file, before.file);
    QCOMPARE(after.windowCategories, before.windowCategories);
    QCOMPARE(after.windowCategory, before.windowCategory);
    QCOMPARE(after.windowUnits, before.windowUnits);
    QCOMPARE(after.windowOutput, before.windowOutput);
    QCOMPARE(after.pageCategories, before.pageCategories);
    QCOMPARE(after.pageUnits, before.pageUnits);
}

QString Factor(const UnitCatalogue& catalogue, const std::string& category, const std::string& unit,
               double times) {
    const int row = catalogue.FindCategory(category);
    return QString::fromStdString(
        FactorText(times * catalogue.UnitFactor(row, catalogue.FindUnit(row, unit))));
}

}  // namespace korvane::test
