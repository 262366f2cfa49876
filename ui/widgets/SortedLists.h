#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;

namespace korvane {

// Qt never sorts a combo box and sorts list widgets case-sensitively, so the windows keep
// their lists in the order of catalogue/ListOrder.h themselves, through these helpers.

// `texts` in list order (stable for equal texts).
QStringList SortedForList(QStringList texts);

// Inserts where the list order puts `text`; returns the new entry's position.
int InsertSorted(QComboBox* list, const QString& text);
int InsertSorted(QListWidget* list, const QString& text);

// The first entry from the top whose text begins with `prefix`, ignoring case; -1 when none.
int FindPrefix(const QComboBox* list, const QString& prefix);
// The first entry whose text equals `text`, ignoring case; -1 when none.
int FindExact(const QComboBox* list, const QString& text);

// The last entry that reads exactly `text`; 0 when none does.
int LastUnitEntry(const QListWidget* list, const QString& text);

// Position of the selected entry; -1 when nothing is selected.
int SelectedRow(const QListWidget* list);
// Selects `row` without raising a user notification; a row outside the list clears the
// selection.
void SelectRow(QListWidget* list, int row);
void SelectRow(QComboBox* list, int row);

}  // namespace korvane
