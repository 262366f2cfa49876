#include "ui/preferences/CCustom.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QStyle>
#include <QVBoxLayout>

#include <string>

#include "app/ConverterState.h"
#include "app/CustomOperations.h"
#include "platform/DesktopServices.h"
#include "ui/preferences/EnterClicksButton.h"
#include "ui/preferences/FullNameToolTip.h"
#include "ui/preferences/TypedCharacterFilter.h"
#include "ui/widgets/SortedLists.h"

namespace korvane {

namespace {

// What may be typed into the factor box: the characters of a decimal number.
const char* const kFactorCharacters = "+-0123456789Ee.";

// Wide enough for most names without letting a long unit name widen the whole sheet; the
// open list shows the names in full.
constexpr int kCategoryListCharacters = 14;
constexpr int kUnitListCharacters = 10;
constexpr int kNameEditCharacters = 7;
constexpr int kVisibleListEntries = 12;

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

MessageIcon ToMessageIcon(NoticeIcon icon) {
    switch (icon) {
        case NoticeIcon::None:
            return MessageIcon::None;
        case NoticeIcon::Information:
            return MessageIcon::Information;
        case NoticeIcon::Warning:
            return MessageIcon::Warning;
    }
    return MessageIcon::Information;
}

QComboBox* CreateList(const char* objectName, int characters, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(objectName));
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(characters);
    list->setMaxVisibleItems(kVisibleListEntries);
    return list;
}

QLineEdit* CreateEdit(const char* objectName, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    // As wide as the layout gives it room for, never narrower than a short name: the page
    // keeps the sheet's size, which the other pages set.
    edit->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    const int width = edit->fontMetrics().horizontalAdvance(QLatin1Char('x'));
    edit->setMinimumWidth(kNameEditCharacters * width);
    return edit;
}

QPushButton* CreateButton(const QString& caption, const char* objectName,
                          const QString& accessibleName, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    // Two buttons read "Add" and two "Remove"; a screen reader says which is which.
    button->setAccessibleName(accessibleName);
    return button;
}

QLabel* CreateCaption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    label->setBuddy(buddy);
    return label;
}

// The open list as wide as its longest entry, the closed box as wide as the layout gives it.
void WidenPopup(QComboBox* list) {
    QAbstractItemView* view = list->view();
    const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    view->setMinimumWidth(view->sizeHintForColumn(0) + scrollBar);
}

// The indent of the controls that belong to a radio button, below its caption.
int RadioIndent(const QWidget* radio) {
    const QStyle* style = radio->style();
    return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, radio) +
           style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, radio);
}

}  // namespace

CCustom::CCustom(const PreferencesContext& context, QWidget* parent)
    : PreferencesPage(parent), context_(context) {
    setObjectName(QStringLiteral("customPage"));
}

CCustom::~CCustom() = default;

void CCustom::createControls(QWidget& content) {
    createWidgets(content);
    createLayout(content);
    createConnections();
}

void CCustom::createWidgets(QWidget& content) {
    QWidget* const parent = &content;
    widgets_.addCategoryMode = new QRadioButton(QStringLiteral("Add category"), parent);
    widgets_.addCategoryMode->setObjectName(QStringLiteral("addCategoryMode"));
    widgets_.categoryName = CreateEdit("newCategoryEdit", parent);
    widgets_.categoryName->setAccessibleName(QStringLiteral("Name of the new category"));
    // Not "Add category": that is the radio button's caption above it.
    widgets_.addCategory = CreateButton(QStringLiteral("Add"), "addCategoryButton",
                                        QStringLiteral("Add the new category"), parent);

    widgets_.existingCategoryMode = new QRadioButton(QStringLiteral("Existing category"), parent);
    widgets_.existingCategoryMode->setObjectName(QStringLiteral("existingCategoryMode"));
    widgets_.categoryList = CreateList("customCategoryList", kCategoryListCharacters, parent);
    widgets_.categoryList->setAccessibleName(QStringLiteral("Category"));
    widgets_.removeCategory = CreateButton(QStringLiteral("Remove"), "removeCategoryButton",
                                           QStringLiteral("Remove category"), parent);
    widgets_.unitName = CreateEdit("newUnitEdit", parent);
    widgets_.unitName->setAccessibleName(QStringLiteral("Name of the new unit"));
    widgets_.factor = CreateEdit("factorEdit", parent);
    widgets_.factor->setAccessibleName(QStringLiteral("Conversion factor"));
    widgets_.factor->installEventFilter(
        new TypedCharacterFilter(QString::fromLatin1(kFactorCharacters), widgets_.factor));
    widgets_.unitList = CreateList("referenceUnitList", kUnitListCharacters, parent);
    widgets_.unitList->setAccessibleName(QStringLiteral("Unit the factor counts in"));
    // Several units differ only at the end of a long name.
    new FullNameToolTip(*widgets_.unitList);
    widgets_.addUnit =
        CreateButton(QStringLiteral("Add"), "addUnitButton", QStringLiteral("Add unit"), parent);
    widgets_.removeUnit = CreateButton(QStringLiteral("Remove"), "removeUnitButton",
                                       QStringLiteral("Remove unit"), parent);

    // One choice across the two groups.
    widgets_.modes = new QButtonGroup(this);
    widgets_.modes->addButton(widgets_.addCategoryMode, kModeAddCategory);
    widgets_.modes->addButton(widgets_.existingCategoryMode, kModeExistingCategory);
}

QGroupBox* CCustom::createCategoryGroup(QWidget& content) {
    auto* group = new QGroupBox(QStringLiteral("Add new category    "), &content);
    group->setObjectName(QStringLiteral("newCategoryGroup"));
    auto* row = new QHBoxLayout;
    row->setContentsMargins(RadioIndent(widgets_.addCategoryMode), 0, 0, 0);
    row->addWidget(widgets_.categoryName, 1);
    row->addWidget(widgets_.addCategory);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(widgets_.addCategoryMode);
    layout->addLayout(row);
    return group;
}

// Read left to right, the unit row says: 1 new unit = factor × the chosen unit.
QGroupBox* CCustom::createUnitGroup(QWidget& content) {
    auto* group = new QGroupBox(QStringLiteral("Add units in existing category    "), &content);
    group->setObjectName(QStringLiteral("existingCategoryGroup"));
    const int indent = RadioIndent(widgets_.existingCategoryMode);

    auto* categoryRow = new QHBoxLayout;
    categoryRow->setContentsMargins(indent, 0, 0, 0);
    categoryRow->addWidget(widgets_.categoryList, 1);
    categoryRow->addWidget(widgets_.removeCategory);

    auto* unitRow = new QGridLayout;
    unitRow->setContentsMargins(indent, 0, 0, 0);
    unitRow->addWidget(CreateCaption(QStringLiteral("UNIT"), widgets_.unitName, group), 0, 1);
    unitRow->addWidget(CreateCaption(QStringLiteral("FACTOR"), widgets_.factor, group), 0, 3);
    unitRow->addWidget(CreateCaption(QStringLiteral("UNIT"), widgets_.unitList, group), 0, 4);
    unitRow->addWidget(new QLabel(QStringLiteral("1"), group), 1, 0);
    unitRow->addWidget(widgets_.unitName, 1, 1);
    unitRow->addWidget(new QLabel(QStringLiteral("="), group), 1, 2);
    unitRow->addWidget(widgets_.factor, 1, 3);
    unitRow->addWidget(widgets_.unitList, 1, 4);
    unitRow->setColumnStretch(1, 2);
    unitRow->setColumnStretch(3, 2);
    unitRow->setColumnStretch(4, 3);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(widgets_.addUnit);
    buttonRow->addWidget(widgets_.removeUnit);

    auto* layout = new QVBoxLayout(group);
    layout->addWidget(widgets_.existingCategoryMode);
    layout->addLayout(categoryRow);
    layout->addLayout(unitRow);
    layout->addLayout(buttonRow);
    return group;
}

// The controls were made in reading order, which is their Tab order.
void CCustom::createLayout(QWidget& content) {
    auto* page = new QVBoxLayout(&content);
    page->addWidget(createCategoryGroup(content));
    page->addWidget(createUnitGroup(content));
    page->addStretch(1);
}

void CCustom::createConnections() {
    connect(widgets_.modes, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            OnModeChanged(id);
    });
    connect(widgets_.categoryList, &QComboBox::activated, this, &CCustom::OnSelchangeCategory);
    connect(widgets_.addCategory, &QPushButton::clicked, this, &CCustom::OnAddCategory);
    connect(widgets_.removeCategory, &QPushButton::clicked, this, &CCustom::OnRemoveCategory);
    connect(widgets_.addUnit, &QPushButton::clicked, this, &CCustom::OnAddUnit);
    connect(widgets_.removeUnit, &QPushButton::clicked, this, &CCustom::OnRemoveUnit);
    // Enter in a box of a row adds what that row holds; elsewhere the sheet's OK stays the
    // default.
    auto* addCategory = new EnterClicksButton(*widgets_.addCategory, this);
    widgets_.categoryName->installEventFilter(addCategory);
    auto* addUnit = new EnterClicksButton(*widgets_.addUnit, this);
    widgets_.unitName->installEventFilter(addUnit);
    widgets_.factor->installEventFilter(addUnit);
}

void CCustom::OnInitDialog() {
    m_nMode = kModeAddCategory;
    {
        const QSignalBlocker blocker(widgets_.modes);
        widgets_.addCategoryMode->setChecked(true);
    }
    fillCategoryList();
    SelectRow(widgets_.categoryList, 0);
    OnSelchangeCategory();
}

// Built-in categories whose units differ by a factor, hidden ones too, and the custom ones.
void CCustom::fillCategoryList() {
    QStringList names;
    for (const int row : CategoriesAcceptingCustomUnits(context_.state.catalogue))
        names.push_back(ToQString(context_.state.catalogue.CategoryName(row)));
    const QSignalBlocker blocker(widgets_.categoryList);
    widgets_.categoryList->clear();
    widgets_.categoryList->addItems(SortedForList(std::move(names)));
    WidenPopup(widgets_.categoryList);
}

void CCustom::fillUnitList() {
    const UnitCatalogue& catalogue = context_.state.catalogue;
    QStringList names;
    for (int unit = 0; unit < catalogue.UnitCount(m_nCategory); ++unit)
        names.push_back(ToQString(catalogue.UnitName(m_nCategory, unit)));
    const QSignalBlocker blocker(widgets_.unitList);
    widgets_.unitList->clear();
    widgets_.unitList->addItems(SortedForList(std::move(names)));
    SelectRow(widgets_.unitList, 0);
    WidenPopup(widgets_.unitList);
}

// Adding a category uses the name box; the other mode works on the chosen category, and the
// controls that need a unit of it wait until it has one.
void CCustom::applyMode() {
    const bool adding = m_nMode != kModeExistingCategory;
    widgets_.categoryName->setEnabled(adding);
    widgets_.addCategory->setEnabled(adding);
    for (QWidget* control :
         {static_cast<QWidget*>(widgets_.categoryList),
          static_cast<QWidget*>(widgets_.removeCategory), static_cast<QWidget*>(widgets_.unitName),
          static_cast<QWidget*>(widgets_.addUnit)}) {
        control->setEnabled(!adding);
    }
    const bool hasUnits = !adding && widgets_.unitList->count() > 0;
    widgets_.unitList->setEnabled(hasUnits);
    widgets_.factor->setEnabled(hasUnits);
    widgets_.removeUnit->setEnabled(hasUnits);
}

void CCustom::OnModeChanged(int mode) {
    m_nMode = mode;
    applyMode();
}

// The category the list shows becomes the chosen one: the last row of exactly that name. A text
// that names no row keeps the previous choice.
void CCustom::OnSelchangeCategory() {
    const std::string text = widgets_.categoryList->currentText().toStdString();
    for (int row = 0; row < kMaxCategories; ++row) {
        if (context_.state.catalogue.CategoryName(row) == text)
            m_nCategory = row;
    }
    if (!UnitCatalogue::IsCategoryIndex(m_nCategory))
        m_nCategory = 0;
    fillUnitList();
    applyMode();
}

// The operations decide on the settings file as another copy of the program may have left it,
// and bring the catalogue up to date with it: the lists show the catalogue again, keeping the
// chosen category and unit where they still exist, and the window is told.
void CCustom::takeRefreshedCatalogue() {
    const QString category = widgets_.categoryList->currentText();
    const QString unit = widgets_.unitList->currentText();
    fillCategoryList();
    const int position = FindExact(widgets_.categoryList, category);
    SelectRow(widgets_.categoryList, position >= 0 ? position : 0);
    OnSelchangeCategory();
    if (const int unitPosition = FindExact(widgets_.unitList, unit); unitPosition >= 0)
        SelectRow(widgets_.unitList, unitPosition);
    emit catalogueChanged(kFirstCustomCategory, CatalogueAction::Refreshed);
}

void CCustom::OnAddCategory() {
    const CustomOutcome outcome =
        AddCustomCategory(context_.state.catalogue, context_.state.settings,
                          widgets_.categoryName->text().toStdString());
    if (outcome.ok()) {
        emit catalogueChanged(outcome.row, outcome.action);
        InsertSorted(widgets_.categoryList, ToQString(outcome.name));
        WidenPopup(widgets_.categoryList);
        context_.services.beep();
        widgets_.categoryName->clear();
        widgets_.categoryName->setFocus();
    } else {
        showNotice(*outcome.refusal);
    }
    if (outcome.refreshed)
        takeRefreshedCatalogue();
}

void CCustom::OnRemoveCategory() {
    const std::string name = widgets_.categoryList->currentText().toStdString();
    if (const auto refusal = CheckRemoveCustomCategory(context_.state.catalogue, name)) {
        showNotice(*refusal);
        return;
    }
    if (confirm(RemoveCategoryQuestion(name))) {
        const CustomOutcome outcome =
            RemoveCustomCategory(context_.state.catalogue, context_.state.settings, name);
        if (outcome.ok()) {
            emit catalogueChanged(outcome.row, outcome.action);
            const int position = FindExact(widgets_.categoryList, ToQString(outcome.name));
            const QSignalBlocker blocker(widgets_.categoryList);
            widgets_.categoryList->removeItem(position);
            SelectRow(widgets_.categoryList, 0);
        } else {
            showNotice(*outcome.refusal);
        }
        if (outcome.refreshed) {
            takeRefreshedCatalogue();
            return;
        }
    }
    OnSelchangeCategory();
}

void CCustom::OnAddUnit() {
    const int category = m_nCategory;
    const bool wasEmpty = context_.state.catalogue.UnitCount(category) == 0;
    const std::string name = widgets_.unitName->text().toStdString();
    const std::string factorText = widgets_.factor->text().toStdString();
    const std::string reference = widgets_.unitList->currentText().toStdString();
    const CustomOutcome outcome =
        AddCustomUnit(context_.state.catalogue, context_.state.settings,
                      NewCustomUnit{category, name, factorText, reference});
    if (!outcome.ok()) {
        showNotice(*outcome.refusal);
        if (outcome.refreshed)
            takeRefreshedCatalogue();
        return;
    }
    const int position = InsertSorted(widgets_.unitList, ToQString(outcome.name));
    WidenPopup(widgets_.unitList);
    if (wasEmpty) {
        // The first unit is the one the next factors count in; its name stays in the box.
        SelectRow(widgets_.unitList, position);
        applyMode();
    } else {
        widgets_.unitName->clear();
        widgets_.factor->clear();
    }
    context_.services.beep();
    emit catalogueChanged(outcome.row, outcome.action);
    if (outcome.refreshed)
        takeRefreshedCatalogue();
}

void CCustom::OnRemoveUnit() {
    const int category = m_nCategory;
    const std::string name = widgets_.unitList->currentText().toStdString();
    if (const auto refusal = CheckRemoveCustomUnit(context_.state.catalogue, category, name)) {
        showNotice(*refusal);
        return;
    }
    if (name.empty() || !confirm(RemoveUnitQuestion(name)))
        return;
    const CustomOutcome outcome =
        RemoveCustomUnit(context_.state.catalogue, context_.state.settings, category, name);
    if (!outcome.ok()) {
        showNotice(*outcome.refusal);
        if (outcome.refreshed)
            takeRefreshedCatalogue();
        return;
    }
    {
        const QSignalBlocker blocker(widgets_.unitList);
        int position = widgets_.unitList->currentIndex();
        if (widgets_.unitList->itemText(position) != ToQString(outcome.name))
            position = widgets_.unitList->findText(ToQString(outcome.name),
                                                   Qt::MatchExactly | Qt::MatchCaseSensitive);
        widgets_.unitList->removeItem(position);
    }
    SelectRow(widgets_.unitList, 0);
    applyMode();
    // Once, whatever the file held: the catalogue has changed either way.
    emit catalogueChanged(outcome.row, outcome.action);
    if (outcome.refreshed)
        takeRefreshedCatalogue();
}

void CCustom::showNotice(const CustomNotice& notice) {
    context_.services.messageBox(this, ToQString(notice.caption), ToQString(notice.text),
                                 ToMessageIcon(notice.icon), MessageButtons::Ok);
}

bool CCustom::confirm(const CustomNotice& question) {
    return context_.services.messageBox(this, ToQString(question.caption), ToQString(question.text),
                                        ToMessageIcon(question.icon),
                                        MessageButtons::OkCancel) == MessageAnswer::Ok;
}

}  // namespace korvane
