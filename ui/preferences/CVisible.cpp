#include "ui/preferences/CVisible.h"

#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

#include "app/ConverterState.h"

namespace korvane {

namespace {

// The template's column width; wider when the font needs it for the longest name.
constexpr int kTemplateColumnWidth = 157;

int ColumnWidth(const QListWidget* list, const UnitCatalogue& catalogue) {
    const QFontMetrics metrics(list->font());
    int widest = 0;
    for (int c = 0; c < kBuiltInCategories; ++c) {
        widest = std::max(
            widest, metrics.horizontalAdvance(QString::fromStdString(catalogue.CategoryName(c))));
    }
    const QStyle* style = list->style();
    const int indicator = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list);
    const int margins = 4 * style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 8;
    return std::max(kTemplateColumnWidth, widest + indicator + margins);
}

}  // namespace

CVisible::CVisible(const PreferencesContext& context, QWidget* parent)
    : PreferencesPage(parent), context_(context) {
    setObjectName(QStringLiteral("visiblePage"));
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
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(context_.state.visibility.IsVisible(c) ? Qt::Checked : Qt::Unchecked);
    }
    categoryList_->setGridSize(
        QSize(ColumnWidth(categoryList_, catalogue), categoryList_->sizeHintForRow(0)));
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
