// The Custom page's refusals: each shows its message and leaves the catalogue, the settings
// file and the window as they were.
#include "CustomPageTest.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "CustomPageSession.h"
#include "app/CustomOperations.h"

namespace korvane::test {

namespace {

constexpr const char* kInvalidCategory = "Please Enter a valid name for the Category";
constexpr const char* kCategoryExists = "This category name already exists.";
constexpr const char* kInvalidUnit = "Please enter a valid name for the new unit.";
constexpr const char* kInvalidFactor = "Enter a valid conversion factor for the unit";
constexpr const char* kUnitInUse = "The name you have chosen \nis already in use.";

// A file with one custom category holding one unit, and one custom unit in "Distance".
constexpr const char* kStartingFile =
    "[Settings]\nCustom_1=my units\n"
    "[my units]\nCustomUnit_1=Euro\nCustomValue_1=1\nCustomUnits=1\n"
    "[Distance]\nCustomUnit_1=Rod2\nCustomValue_1=10\nCustomUnits=1\n";

}  // namespace

void CustomPageTest::refusalChangesNothing_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("factor");
    QTest::addColumn<QString>("message");

    const auto category = [](const char* row, const QString& name, const char* message) {
        QTest::newRow(row) << "add category" << QString() << name << QString() << message;
    };
    category("empty", QString(), kInvalidCategory);
    category("one character", "X", kInvalidCategory);
    category("one character in blanks", "  x ", kInvalidCategory);
    category("placeholder", "Custom", kInvalidCategory);
    category("placeholder in lower case", "custom", kCategoryExists);
    category("built-in in upper case", "DATA", kCategoryExists);
    category("built-in in blanks", "  Data ", kCategoryExists);
    category("custom in another case", "My Units", kCategoryExists);
    category("tab inside", "a\tb", kInvalidCategory);
    category("line break inside", "a\nb", kInvalidCategory);
    category("opening bracket", "a[b", kInvalidCategory);
    category("closing bracket", "ab]", kInvalidCategory);

    const auto unit = [](const char* row, const char* in, const QString& name,
                         const QString& factor, const char* message) {
        QTest::newRow(row) << "add unit" << in << name << factor << message;
    };
    unit("unit empty", "Distance", QString(), "2", kInvalidUnit);
    unit("unit one character", "Distance", "x", "2", kInvalidUnit);
    unit("unit placeholder", "Distance", "Custom", "2", kInvalidUnit);
    unit("unit placeholder in lower case", "Distance", "custom", "2", kInvalidUnit);
    unit("unit control character", "Distance", "a\x01z", "2", kInvalidUnit);
    unit("built-in unit in upper case", "Distance", "METER", "2", kUnitInUse);
    unit("built-in unit in blanks", "Distance", " meter ", "2", kUnitInUse);
    unit("custom unit again", "Distance", "rod2", "2", kUnitInUse);
    unit("in use wins over a bad factor", "my units", "EURO", "abc", kUnitInUse);
    unit("factor empty", "Distance", "Furlong2", QString(), kInvalidFactor);
    unit("factor not a number", "Distance", "Furlong2", "abc", kInvalidFactor);
    unit("factor without digits", "Distance", "Furlong2", "e5", kInvalidFactor);
    unit("factor zero", "Distance", "Furlong2", "0.0", kInvalidFactor);
    unit("factor beyond double", "Distance", "Furlong2", "1e400", kInvalidFactor);
    unit("factor zero in a custom category", "my units", "Cent", "0", kInvalidFactor);

    QTest::newRow("remove built-in category")
        << "remove category"
        << "Distance" << QString() << QString()
        << "\tDistance\n\nYou may only remove previously added categories.";
    QTest::newRow("remove built-in unit")
        << "remove unit"
        << "Distance"
        << "meter" << QString() << "\tmeter\n\nYou may only remove previously added units.";
}

void CustomPageTest::refusalChangesNothing() {
    QFETCH(QString, action);
    QFETCH(QString, category);
    QFETCH(QString, name);
    QFETCH(QString, factor);
    QFETCH(QString, message);
    settings_->write(kStartingFile);
    CustomSession session(settings_->path());
    const CustomPageDriver& page = session.driver;
    session.window.chooseCategory(QStringLiteral("Distance"));
    if (!category.isEmpty())
        page.chooseCategory(category);
    const Snapshot before = Take(session, settings_->path());

    if (action == "add category") {
        page.addCategory(name);
    } else if (action == "add unit") {
        page.addUnit(name, factor);
    } else if (action == "remove category") {
        page.click(page.removeCategoryButton());
    } else {
        page.removeUnit(name);
    }

    const auto& messages = session.window.services().messages;
    QCOMPARE(messages.size(), std::size_t{1});
    QCOMPARE(messages[0].text, message);
    QCOMPARE(messages[0].caption, kMessageCaption);
    QCOMPARE(messages[0].icon, MessageIcon::Information);
    QCOMPARE(messages[0].buttons, MessageButtons::Ok);
    QVERIFY(session.changes.empty());
    QCOMPARE(session.window.services().beeps, 0);
    CompareSnapshots(Take(session, settings_->path()), before);
}

void CustomPageTest::sixthCategoryIsRefusedUntilOneIsRemoved() {
    CustomSession session(settings_->path());
    const CustomPageDriver& page = session.driver;
    for (const char* name : {"aa", "bb", "cc", "dd", "ee"})
        page.addCategory(QString::fromLatin1(name));
    QVERIFY(session.window.services().messages.empty());
    const Snapshot full = Take(session, settings_->path());

    page.addCategory(QStringLiteral("ff"));
    QCOMPARE(session.lastMessage().text,
             QStringLiteral("You have reached the maximum allowed Custom categories"));
    QCOMPARE(session.lastMessage().caption, QStringLiteral("Operation failed"));
    CompareSnapshots(Take(session, settings_->path()), full);

    page.removeCategory(QStringLiteral("bb"));
    QCOMPARE(session.lastMessage().text,
             QStringLiteral("\tbb\n\nAre you sure you want to remove the selected Category?"));
    QCOMPARE(session.lastMessage().caption, kMessageCaption);
    QCOMPARE(session.lastMessage().icon, MessageIcon::None);
    QCOMPARE(session.lastMessage().buttons, MessageButtons::OkCancel);
    QCOMPARE(session.changes.back(),
             std::make_pair(kFirstCustomCategory + 1, CatalogueAction::CategoryDeleted));
    QCOMPARE(settings_->value("Settings", "Custom_2"), std::optional<std::string>("Custom"));
    QVERIFY(!Entries(page.categoryList()).contains(QStringLiteral("bb")));
    QVERIFY(!Entries(session.window.categoryList()).contains(QStringLiteral("bb")));
    QCOMPARE(page.categoryList()->currentIndex(), 0);
    const int firstRow = session.window.state().catalogue.FindCategory(
        page.categoryList()->itemText(0).toStdString());
    QCOMPARE(session.page.chosenCategory(), firstRow);

    page.addCategory(QStringLiteral("ff"));
    QCOMPARE(settings_->value("Settings", "Custom_2"), std::optional<std::string>("ff"));
    QCOMPARE(session.changes.back(),
             std::make_pair(kFirstCustomCategory + 1, CatalogueAction::CategoryInserted));
    QVERIFY(Entries(session.window.categoryList()).contains(QStringLiteral("ff")));
}

void CustomPageTest::eleventhStoredUnitIsRefusedBeforeItsName() {
    CustomSession session(settings_->path());
    const CustomPageDriver& page = session.driver;
    page.chooseCategory(QStringLiteral("Distance"));
    for (int n = 1; n <= 10; ++n)
        page.addUnit(QStringLiteral("Unit %1").arg(n), QStringLiteral("2"));
    QVERIFY(session.window.services().messages.empty());
    const Snapshot before = Take(session, settings_->path());

    page.addUnit(QStringLiteral("x"), QStringLiteral("2"));
    QCOMPARE(session.lastMessage().text,
             QStringLiteral("You have reached maximum allowed Custom unit for this category."));
    CompareSnapshots(Take(session, settings_->path()), before);
}

void CustomPageTest::dataTransferTakesNineUnits() {
    CustomSession session(settings_->path());
    const CustomPageDriver& page = session.driver;
    page.chooseCategory(QStringLiteral("Data Transfer"));
    for (int n = 1; n <= 9; ++n)
        page.addUnit(QStringLiteral("Rate %1").arg(n), QStringLiteral("2"));
    QVERIFY(session.window.services().messages.empty());
    QCOMPARE(page.unitList()->count(), kMaxUnitsPerCategory);
    const Snapshot before = Take(session, settings_->path());

    page.addUnit(QStringLiteral("Rate 10"), QStringLiteral("2"));
    QCOMPARE(session.lastMessage().text,
             QStringLiteral("You have reached the maximum allowed Custom units for this category"));
    CompareSnapshots(Take(session, settings_->path()), before);
    QVERIFY(!settings_->value("Data Transfer", "CustomUnit_10").has_value());
}

void CustomPageTest::anotherCopysChangesAreRespected() {
    CustomSession session(settings_->path());
    session.driver.chooseCategory(QStringLiteral("Distance"));
    // Another running copy stores a category and a unit in the same file meanwhile.
    UnitCatalogue otherCatalogue;
    otherCatalogue.LoadBuiltInTables();
    ProfileStore otherStore(settings_->path().toStdString());
    QVERIFY(AddCustomCategory(otherCatalogue, otherStore, "Gold").ok());
    QVERIFY(AddCustomUnit(otherCatalogue, otherStore,
                          NewCustomUnit{otherCatalogue.FindCategory("Distance"), "Rod2", "5", ""})
                .ok());
    const Snapshot before = Take(session, settings_->path());

    // The refusals are decided on the file, and bring this copy's catalogue and both windows'
    // lists up to date with it; the window stays on its category.
    session.driver.addCategory(QStringLiteral("GOLD"));
    QCOMPARE(session.lastMessage().text, QString::fromLatin1(kCategoryExists));
    const Snapshot refused = Take(session, settings_->path());
    QCOMPARE(refused.file, before.file);
    QCOMPARE(session.window.state().catalogue.CategoryName(kFirstCustomCategory),
             std::string("gold"));
    QVERIFY(refused.windowCategories.contains(QStringLiteral("gold")));
    QVERIFY(refused.pageCategories.contains(QStringLiteral("gold")));
    QCOMPARE(refused.windowCategory, before.windowCategory);
    QCOMPARE(session.changes.back(),
             std::make_pair(kFirstCustomCategory, CatalogueAction::Refreshed));
    session.driver.chooseCategory(QStringLiteral("Distance"));
    QVERIFY(Entries(session.driver.unitList()).contains(QStringLiteral("Rod2")));
    session.driver.addUnit(QStringLiteral("rod2"), QStringLiteral("3"));
    QCOMPARE(session.lastMessage().text, QString::fromLatin1(kUnitInUse));
    QCOMPARE(Take(session, settings_->path()).file, before.file);

    // What this copy adds next lands beside the other copy's entries, which stay.
    session.driver.addCategory(QStringLiteral("silver"));
    QCOMPARE(settings_->value("Settings", "Custom_1"), std::optional<std::string>("gold"));
    QCOMPARE(settings_->value("Settings", "Custom_2"), std::optional<std::string>("silver"));
    QCOMPARE(session.changes.back(),
             std::make_pair(kFirstCustomCategory + 1, CatalogueAction::CategoryInserted));
    QVERIFY(Entries(session.window.categoryList()).contains(QStringLiteral("silver")));
}

void CustomPageTest::unwritableSettingsFileRefusesEveryChange() {
    // The settings folder is a file, so no write can succeed.
    settings_->write("");
    const QString path = settings_->path() + QStringLiteral("/Tabrivo.ini");
    CustomSession session(path);
    session.driver.chooseCategory(QStringLiteral("Distance"));
    const Snapshot before = Take(session, path);

    session.driver.addCategory(QStringLiteral("gold"));
    session.driver.chooseCategory(QStringLiteral("Distance"));
    session.driver.addUnit(QStringLiteral("Rod2"), QStringLiteral("5"));

    const auto& messages = session.window.services().messages;
    QCOMPARE(messages.size(), std::size_t{2});
    for (const auto& message : messages) {
        QVERIFY(message.text.contains(QStringLiteral("could not be saved")));
        QVERIFY(message.text.contains(path));
        QVERIFY(message.text.contains(QStringLiteral("Nothing was changed.")));
        QCOMPARE(message.caption, kMessageCaption);
        QCOMPARE(message.icon, MessageIcon::Warning);
    }
    QVERIFY(session.changes.empty());
    QCOMPARE(session.window.services().beeps, 0);
    CompareSnapshots(Take(session, path), before);
}

}  // namespace korvane::test
