#include "ui/preferences/CVisible.h"

#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>

#include "app/ConverterState.h"

namespace korvane {

namespace {

// All the categories in view at once, in this many columns: the sheet grows a little in height
// rather than in width.
constexpr int kColumns = 2;

void MakeTickable(QListWidgetItem& item, bool ticked) {
    item.setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item.setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

QString LongestName(const QFontMetrics& metrics, const UnitCatalogue& catalogue) {
    QString longest;
    for (int c = 0; c < kBuiltInCategories; ++c) {
        const QString name = QString::fromStdString(catalogue.CategoryName(c));
        if (metrics.horizontalAdvance(name) > metrics.horizontalAdvance(longest))
            longest = name;
    }
    return longest;
}

// One category's place, as the list's own style and font measure an entry of the longest name.
QSize CategoryCell(QWidget& page, const UnitCatalogue& catalogue) {
    QListWidget probe(&page);
    auto* item = new QListWidgetItem(LongestName(probe.fontMetrics(), catalogue), &probe);
    MakeTickable(*item, true);
    return {probe.sizeHintForColumn(0), probe.sizeHintForRow(0)};
}

// The list's room for every category in kColumns columns, its frame included. A list that
// may scroll sideways keeps its scroll bar's height free below the columns, shown or not.
QSize ListRoom(const QListWidget& list, QSize cell) {
    const int rows = (kBuiltInCategories + kColumns - 1) / kColumns;
    const int frame = 2 * list.frameWidth();
    const int scrollBar = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
    return {kColumns * cell.width() + frame, rows * cell.height() + scrollBar + frame};
}

}  // namespace

CVisible::CVisible(const PreferencesContext& context, QWidget* parent)
    : PreferencesPage(parent), context_(context) {
    setObjectName(QStringLiteral("visiblePage"));
    reserveRoomForTheList();
}

// The sheet takes its size from its pages before any is built, and keeps it; so the page asks
// now for what the list will need, measured on a list like it and a box like its own.
void CVisible::reserveRoomForTheList() {
    cell_ = CategoryCell(*this, context_.state.catalogue);
    const QListWidget list(this);
    const QCheckBox box(QStringLiteral("Display all Categories"), this);
    const QStyle* style = this->style();
    const int across = style->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, this) +
                       style->pixelMetric(QStyle::PM_LayoutRightMargin, nullptr, this);
    const int down = style->pixelMetric(QStyle::PM_LayoutTopMargin, nullptr, this) +
                     style->pixelMetric(QStyle::PM_LayoutBottomMargin, nullptr, this) +
                     style->pixelMetric(QStyle::PM_LayoutVerticalSpacing, nullptr, this) +
                     box.sizeHint().height();
    const QSize room = ListRoom(list, cell_);
    setMinimumSize(minimumSize().expandedTo(QSize(room.width() + across, room.height() + down)));
}

void CVisible::createControls(QWidget& content) {
    createWidgets(content);
    createLayout(content);
    connect(displayAllBox_, &QCheckBox::clicked, this, &CVisible::OnDisplayAll);
}

void CVisible::createWidgets(QWidget& content) {
    categoryList_ = new QListWidget(&content);
    categoryList_->setObjectName(QStringLiteral("visibleCategoryList"));
    categoryList_->setAccessibleName(QStringLiteral("Visible categories"));
    categoryList_->setAccessibleDescription(
        QStringLiteral("The ticked categories are listed in the converter window"));
    categoryList_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Columns filled from top to bottom, scrolled sideways, as a small-icon list view
    // aligned left shows them.
    categoryList_->setFlow(QListView::TopToBottom);
    categoryList_->setWrapping(true);
    categoryList_->setResizeMode(QListView::Adjust);
    categoryList_->setUniformItemSizes(true);
    categoryList_->installEventFilter(this);
    categoryList_->setMinimumSize(ListRoom(*categoryList_, cell_));

    displayAllBox_ = new QCheckBox(QStringLiteral("Display all Categories"), &content);
    displayAllBox_->setObjectName(QStringLiteral("displayAllBox"));
}

void CVisible::createLayout(QWidget& content) {
    auto* page = new QVBoxLayout(&content);
    page->addWidget(categoryList_, 1);
    page->addWidget(displayAllBox_);
}

void CVisible::OnInitDialog() {
    const UnitCatalogue& catalogue = context_.state.catalogue;
    for (int c = 0; c < kBuiltInCategories; ++c) {
        auto* item =
            new QListWidgetItem(QString::fromStdString(catalogue.CategoryName(c)), categoryList_);
        MakeTickable(*item, context_.state.visibility.IsVisible(c));
    }
    categoryList_->setGridSize(cell_);
}

bool CVisible::eventFilter(QObject* watched, QEvent* event) {
    // Being in the list (a click on a tick gives it the focus too) is what marks the
    // visibility as changed, not a changed tick.
    if (watched == categoryList_ && event->type() == QEvent::FocusIn)
        context_.state.visibilityChanged = true;
    return PreferencesPage::eventFilter(watched, event);
}

void CVisible::OnDisplayAll() {
    m_bDisplayAll = displayAllBox_->isChecked() ? 1 : 0;
    // Clearing the box leaves the ticks as they are.
    if (m_bDisplayAll == 0)
        return;
    for (int row = 0; row < categoryList_->count(); ++row)
        categoryList_->item(row)->setCheckState(Qt::Checked);
    context_.state.visibilityChanged = true;
}

void CVisible::OnOK() {
    if (!context_.state.visibilityChanged)
        return;
    // Item i is category i: the list is filled in catalogue order and never sorted.
    for (int c = 0; c < categoryList_->count(); ++c) {
        const bool ticked = categoryList_->item(c)->checkState() == Qt::Checked;
        context_.state.visibility.SetFlag(c, ticked ? 1 : 0);
    }
}

}  // namespace korvane
