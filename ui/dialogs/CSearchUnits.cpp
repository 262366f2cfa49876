#include "ui/dialogs/CSearchUnits.h"

#include <QAbstractListModel>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

#include "catalogue/UnitCatalogue.h"
#include "ui/widgets/FocusMarking.h"

namespace korvane {

namespace {

// The match list is as wide as its longest entry, with a little slack beside the scroll bar,
// between a width that holds a few words and one that still fits a small screen.
constexpr int kMatchListSlack = 8;
constexpr int kMatchListMinimumWidth = 380;
constexpr int kMatchListMaximumWidth = 640;
constexpr int kMatchListMinimumHeight = 220;

}  // namespace

// The list shows the matching entries of a fixed, sorted table: a change of the search text
// swaps the list of positions in one reset, so no item is ever created or destroyed per
// keystroke.
class FindMatchModel final : public QAbstractListModel {
  public:
    FindMatchModel(const std::vector<FindEntry>& entries, QObject* parent)
        : QAbstractListModel(parent) {
        texts_.reserve(entries.size());
        for (const FindEntry& entry : entries)
            texts_.push_back(QString::fromStdString(entry.text));
    }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(shown_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const int entry = entryAt(index.row());
        if (!index.isValid() || entry < 0)
            return {};
        if (role == Qt::DisplayRole)
            return texts_[static_cast<std::size_t>(entry)];
        if (role == Qt::SizeHintRole && rowSize_.isValid())
            return rowSize_;
        return {};
    }

    // Every row gets the size of the widest entry of the whole table, measured once: the view
    // then never lays text out to size a row, and the scroll range fits every entry.
    QSize measureRows(const QFontMetrics& metrics, int margins) {
        int width = 0;
        for (const QString& text : texts_)
            width = std::max(width, metrics.horizontalAdvance(text));
        rowSize_ = QSize(width + margins, metrics.height() + margins / 2);
        return rowSize_;
    }

    void show(const std::vector<int>& positions) {
        beginResetModel();
        shown_ = positions;
        endResetModel();
    }

    // The entry table's position of list row `row`; -1 outside the list.
    int entryAt(int row) const {
        if (row < 0 || row >= static_cast<int>(shown_.size()))
            return -1;
        return shown_[static_cast<std::size_t>(row)];
    }

  private:
    std::vector<QString> texts_;
    std::vector<int> shown_;
    QSize rowSize_;
};

CSearchUnits::CSearchUnits(const UnitCatalogue& catalogue, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      entries_(BuildFindEntries(catalogue)),
      filter_(entries_),
      aliasMatches_(catalogue, entries_) {
    setObjectName(QStringLiteral("findDialog"));
    KeepFocusMarked(*this);
    setWindowTitle(QStringLiteral("Find"));
    createWidgets();
    createLayout();
    createConnections();
    matchModel_->show(filter_.Matches());
    searchEdit_->setFocus(Qt::OtherFocusReason);
}

CSearchUnits::~CSearchUnits() = default;

void CSearchUnits::createWidgets() {
    searchEdit_ = new QLineEdit(this);
    searchEdit_->setObjectName(QStringLiteral("searchEdit"));
    searchEdit_->setAccessibleName(QStringLiteral("Unit or category name"));

    matchModel_ = new FindMatchModel(entries_, this);
    matchList_ = new QListView(this);
    matchList_->setObjectName(QStringLiteral("matchList"));
    matchList_->setAccessibleName(QStringLiteral("Possible matches"));
    matchList_->setModel(matchModel_);
    matchList_->setSelectionMode(QAbstractItemView::SingleSelection);
    matchList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    matchList_->setUniformItemSizes(true);
    // The item delegate's own margins: the focus frame on both sides of the text.
    const int margin =
        matchList_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, matchList_) + 1;
    const QSize row = matchModel_->measureRows(matchList_->fontMetrics(), 2 * margin);
    // Wide enough for the longest entry where the screen allows, so it reads without scrolling.
    const int scrollBar = matchList_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    matchList_->setMinimumSize(std::clamp(row.width() + scrollBar + kMatchListSlack,
                                          kMatchListMinimumWidth, kMatchListMaximumWidth),
                               kMatchListMinimumHeight);

    goButton_ = new QPushButton(QStringLiteral("Go"), this);
    goButton_->setObjectName(QStringLiteral("goButton"));
    goButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
}

void CSearchUnits::createLayout() {
    auto* searchCaption =
        new QLabel(QStringLiteral("Type All or Part of a Unit or Category Name:"), this);
    searchCaption->setBuddy(searchEdit_);
    auto* matchCaption = new QLabel(QStringLiteral("Possible Matches:"), this);
    matchCaption->setBuddy(matchList_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(goButton_);
    buttons->addWidget(cancelButton_);

    auto* root = new QVBoxLayout(this);
    root->addWidget(searchCaption);
    root->addWidget(searchEdit_);
    root->addSpacing(4);
    root->addWidget(matchCaption);
    root->addWidget(matchList_, 1);
    root->addLayout(buttons);
}

void CSearchUnits::createConnections() {
    connect(searchEdit_, &QLineEdit::textChanged, this, &CSearchUnits::OnChangeSearchText);
    connect(goButton_, &QPushButton::clicked, this, &CSearchUnits::OnGo);
    connect(cancelButton_, &QPushButton::clicked, this, &CSearchUnits::reject);
    connect(matchList_, &QListView::doubleClicked, this, &CSearchUnits::OnDoubleClickMatch);
}

void CSearchUnits::OnChangeSearchText(const QString& text) {
    const std::string searchText = text.toStdString();
    matchModel_->show(aliasMatches_.Extend(searchText, filter_.Apply(searchText)));
}

void CSearchUnits::OnDoubleClickMatch(const QModelIndex& index) {
    if (!index.isValid())
        return;
    matchList_->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    OnGo();
}

void CSearchUnits::OnGo() {
    const QModelIndexList selected = matchList_->selectionModel()->selectedIndexes();
    const int row = selected.isEmpty() ? -1 : selected.front().row();
    const int entry = matchModel_->entryAt(row);
    m_nSelected = entry < 0 ? -1 : row;
    if (entry >= 0) {
        const FindEntry& chosen = entries_[static_cast<std::size_t>(entry)];
        m_nCategory = chosen.category;
        m_nUnit = chosen.unit;
        m_strCategory = catalogue_.CategoryName(chosen.category);
        m_strUnit = catalogue_.UnitName(chosen.category, chosen.unit);
    }
    accept();
}

int CSearchUnits::matchCount() const {
    return matchModel_->rowCount(QModelIndex());
}

QString CSearchUnits::matchText(int position) const {
    return matchModel_->data(matchModel_->index(position), Qt::DisplayRole).toString();
}

}  // namespace korvane
