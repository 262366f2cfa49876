#pragma once

#include <QListWidget>

namespace korvane {

// A unit list of the converter window (INPUT or OUTPUT). The user cannot leave it without a
// selection: a Ctrl+click on the selected unit, or a drag that ends below the last entry, would
// otherwise leave no unit chosen while the output still showed the result for it. Names wider
// than the list end in "…" and show in full as a tooltip; the list is always as wide as the
// window gives it and never scrolls sideways. With the focus it is outlined in the highlight
// colour.
class UnitList final : public QListWidget {
  public:
    UnitList(const QString& objectName, QWidget* parent);

    // Sizes the list to `width` and to the whole number of rows that fits in `height`, so the
    // bottom row is never cut in half.
    void fitWholeRows(int width, int height);
    int rowHeight();
    // Whether the entry's name is wider than its row and so shows cut with "…".
    bool isCut(const QListWidgetItem* item) const;

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;
};

}  // namespace korvane
