#include "ui/widgets/SortedLists.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/ListOrder.h"

namespace korvane {

namespace {

bool Less(const QString& a, const QString& b) {
    return ListTextLess(a.toStdString(), b.toStdString());
}

// The first position whose entry sorts after `text`, so equal texts keep insertion order.
template <typename TextAt>
int UpperBound(int count, const QString& text, TextAt textAt) {
    const std::string key = text.toStdString();
    int low = 0;
    int high = count;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (ListTextLess(key, textAt(middle).toStdString())) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

}  // namespace

QStringList SortedForList(QStringList texts) {
    std::stable_sort(texts.begin(), texts.end(), Less);
    return texts;
}

int InsertSorted(QComboBox* list, const QString& text) {
    const int row = UpperBound(list->count(), text, [list](int i) { return list->itemText(i); });
    const QSignalBlocker blocker(list);
    list->insertItem(row, text);
    return row;
}

int InsertSorted(QListWidget* list, const QString& text) {
    const int row =
        UpperBound(list->count(), text, [list](int i) { return list->item(i)->text(); });
    const QSignalBlocker blocker(list);
    list->insertItem(row, text);
    return row;
}

int FindPrefix(const QComboBox* list, const QString& prefix) {
    return list->findText(prefix, Qt::MatchStartsWith);
}

int FindExact(const QComboBox* list, const QString& text) {
    return list->findText(text, Qt::MatchFixedString);
}

int LastUnitEntry(const QListWidget* list, const QString& text) {
    for (int i = list->count() - 1; i >= 0; --i) {
        if (list->item(i)->text() == text)
            return i;
    }
    return 0;
}

int SelectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

void SelectRow(QListWidget* list, int row) {
    const QSignalBlocker blocker(list);
    if (row < 0 || row >= list->count()) {
        list->clearSelection();
        list->setCurrentRow(-1);
        return;
    }
    list->setCurrentRow(row);
    list->scrollToItem(list->item(row));
}

void SelectRow(QComboBox* list, int row) {
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(row >= 0 && row < list->count() ? row : -1);
}

}  // namespace korvane
