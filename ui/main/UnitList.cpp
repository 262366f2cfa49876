#include "ui/main/UnitList.h"

#include <QAbstractItemDelegate>
#include <QHelpEvent>
#include <QPainter>
#include <QPen>
#include <QToolTip>

#include <algorithm>

#include "ui/widgets/PlainToolTip.h"

namespace korvane {

UnitList::UnitList(const QString& objectName, QWidget* parent) : QListWidget(parent) {
    setObjectName(objectName);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    // Besides being quick, rows of one size are as wide as the list: a name wider than the list
    // is shortened with "…" instead of being clipped.
    setUniformItemSizes(true);
}

int UnitList::rowHeight() {
    if (count() > 0)
        return sizeHintForRow(0);
    // An empty list has no row to measure: measure one that is gone again at once.
    const QSignalBlocker blocker(this);
    addItem(QStringLiteral("Xg"));
    const int height = sizeHintForRow(0);
    delete takeItem(0);
    return height;
}

void UnitList::fitWholeRows(int width, int height) {
    const int row = std::max(1, rowHeight());
    const int frame = 2 * frameWidth();
    const int rows = std::max(1, (height - frame) / row);
    setFixedSize(width, rows * row + frame);
}

bool UnitList::isCut(const QListWidgetItem* item) const {
    const QModelIndex index = indexFromItem(item);
    if (!index.isValid())
        return false;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return itemDelegateForIndex(index)->sizeHint(option, index).width() > option.rect.width();
}

QItemSelectionModel::SelectionFlags UnitList::selectionCommand(const QModelIndex& index,
                                                               const QEvent* event) const {
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    if (!index.isValid() ||
        command.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)) {
        return QItemSelectionModel::NoUpdate;
    }
    return command;
}

// The style marks the focused list only by a faint frame around its current row; the two lists
// look alike, so the one with the focus gets an outline in the highlight colour, as the focused
// text boxes have.
bool UnitList::event(QEvent* event) {
    const bool handled = QListWidget::event(event);
    if (event->type() == QEvent::Paint && hasFocus() && frameWidth() > 0) {
        QPainter painter(this);
        QPen pen(palette().color(QPalette::Highlight));
        pen.setWidth(frameWidth());
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        const qreal inset = frameWidth() / 2.0;
        painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
    }
    return handled;
}

void UnitList::focusInEvent(QFocusEvent* event) {
    QListWidget::focusInEvent(event);
    update();
}

void UnitList::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    update();
}

bool UnitList::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QListWidget::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QListWidgetItem* entry = itemAt(help->pos());
    if (entry != nullptr && isCut(entry)) {
        QToolTip::showText(help->globalPos(), PlainToolTip(entry->text()), viewport(),
                           visualItemRect(entry));
    } else {
        QToolTip::hideText();
    }
    return true;
}

}  // namespace korvane
