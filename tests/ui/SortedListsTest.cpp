#include "SortedListsTest.h"

#include <QComboBox>
#include <QListWidget>
#include <QTest>

#include "ui/widgets/SortedLists.h"

namespace korvane::test {

void SortedListsTest::insertingOneByOneGivesTheSortedOrder() {
    const QStringList texts = {"Volume (Dry)", "meter", "Acceleration", "co-op", "Foot",
                               "foot",         "cook",  "Volume",       "x-ray", "xray"};
    const QStringList sorted = SortedForList(texts);
    QCOMPARE(sorted, (QStringList{"Acceleration", "cook", "co-op", "Foot", "foot", "meter",
                                  "Volume", "Volume (Dry)", "x-ray", "xray"}));

    QComboBox combo;
    QListWidget list;
    for (const QString& text : texts) {
        InsertSorted(&combo, text);
        InsertSorted(&list, text);
    }
    for (int i = 0; i < sorted.size(); ++i) {
        QCOMPARE(combo.itemText(i), sorted[i]);
        QCOMPARE(list.item(i)->text(), sorted[i]);
    }
}

void SortedListsTest::prefixSearchIgnoresCase() {
    QComboBox combo;
    combo.addItems(SortedForList({"Volume (Dry)", "Volume", "Velocity"}));
    QCOMPARE(FindPrefix(&combo, QStringLiteral("volume")), 1);
    QCOMPARE(FindPrefix(&combo, QStringLiteral("Volume (")), 2);
    QCOMPARE(FindPrefix(&combo, QStringLiteral("NONE")), -1);
    QCOMPARE(FindExact(&combo, QStringLiteral("VOLUME (DRY)")), 2);
    QCOMPARE(FindExact(&combo, QStringLiteral("Volume (Dr")), -1);
}

}  // namespace korvane::test
