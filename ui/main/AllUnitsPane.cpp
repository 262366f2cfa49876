#include "ui/main/AllUnitsPane.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QVBoxLayout>

#include "catalogue/Conversion.h"
#include "catalogue/ConversionFactor.h"
#include "platform/DesktopServices.h"
#include "ui/main/AllUnitsModel.h"
#include "ui/widgets/DialogUnits.h"

namespace korvane {

namespace {

constexpr int kPaneWidthDlu = 170;
constexpr int kFactorLines = 3;

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

QLabel* CreateCaption(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

AllUnitsPane::AllUnitsPane(const UnitCatalogue& catalogue, DesktopServices& services,
                           QWidget* parent)
    : QWidget(parent), catalogue_(catalogue), services_(services) {
    setObjectName(QStringLiteral("allUnitsPane"));
    createWidgets();
    createLayout();
    createActions();
}

AllUnitsPane::~AllUnitsPane() = default;

void AllUnitsPane::createWidgets() {
    model_ = new AllUnitsModel(catalogue_, this);

    factorField_ = new QPlainTextEdit(this);
    factorField_->setObjectName(QStringLiteral("factorField"));
    factorField_->setAccessibleName(QStringLiteral("Conversion factor"));
    factorField_->setReadOnly(true);
    // Read-only text still takes the focus, so the line can be read and selected by keyboard.
    factorField_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    factorField_->setTabChangesFocus(true);
    factorField_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    factorField_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const int lineHeight = factorField_->fontMetrics().lineSpacing();
    factorField_->setFixedHeight(kFactorLines * lineHeight + 2 * factorField_->frameWidth() + 8);

    filterEdit_ = new QLineEdit(this);
    filterEdit_->setObjectName(QStringLiteral("filterEdit"));
    filterEdit_->setAccessibleName(QStringLiteral("Filter units"));
    // No clear button: its icon is looked up in the desktop's icon themes each time a pane is
    // built, which cost more than building the rest of the pane.

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("allUnitsTable"));
    table_->setAccessibleName(QStringLiteral("All units"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    // Fixed row heights and no sizing to contents: the view never asks for rows out of sight.
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setSectionResizeMode(AllUnitsModel::UnitColumn,
                                                     QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(AllUnitsModel::ValueColumn,
                                                     QHeaderView::Stretch);
    table_->installEventFilter(this);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("paneStatus"));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
}

void AllUnitsPane::createLayout() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(CreateCaption("Conversion factor", factorField_, this));
    layout->addWidget(factorField_);
    layout->addWidget(CreateCaption("Filter units", filterEdit_, this));
    layout->addWidget(filterEdit_);
    layout->addWidget(CreateCaption("All units", table_, this));
    layout->addWidget(table_, 1);
    layout->addWidget(status_);
    setFixedWidth(sizeHint().width());

    connect(filterEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        model_->setFilter(text);
        selectTargetRow(targetName_);
    });
    connect(table_, &QTableView::clicked, this,
            [this](const QModelIndex& index) { chooseRow(index.row(), false); });
    connect(table_, &QWidget::customContextMenuRequested, this, &AllUnitsPane::showRowMenu);
}

void AllUnitsPane::createActions() {
    const auto add = [this](const char* text, const char* name, void (AllUnitsPane::*run)()) {
        auto* action = new QAction(QString::fromLatin1(text), this);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, run);
        return action;
    };
    copyValueAction_ = add("Copy value", "actionCopyValue", &AllUnitsPane::copyValue);
    copyValueWithUnitAction_ =
        add("Copy value with unit", "actionCopyValueWithUnit", &AllUnitsPane::copyValueWithUnit);
    copyAllAction_ = add("Copy all", "actionCopyAll", &AllUnitsPane::copyAll);
}

QSize AllUnitsPane::sizeHint() const {
    // No height of its own: the window's controls decide how tall the window is.
    return QSize(DialogUnitsX(font(), kPaneWidthDlu), minimumSizeHint().height());
}

QSize AllUnitsPane::minimumSizeHint() const {
    return QSize(DialogUnitsX(font(), kPaneWidthDlu), 0);
}

void AllUnitsPane::showCategory(int category) {
    model_->setCategory(category);
    selectTargetRow(targetName_);
}

void AllUnitsPane::showConversion(const ConversionRequest& request,
                                  const ConversionResult& result) {
    const bool failed = !result.changed || result.output == kErrorText;
    model_->setConversion(request, !failed);
    // Shown only with something to say, so a screen reader meets no empty line.
    const QString status = statusText(request, result);
    status_->setText(status);
    status_->setVisible(!status.isEmpty());

    std::optional<int> from;
    std::optional<int> to;
    if (request.fromUnit && request.toUnit) {
        from = catalogue_.TryFindUnit(request.category, *request.fromUnit);
        to = catalogue_.TryFindUnit(request.category, *request.toUnit);
    }
    const QString factor = result.changed && from && to
                               ? ToQString(FactorLine(catalogue_, request.category, *from, *to))
                               : QString();
    if (factorField_->toPlainText() != factor)
        factorField_->setPlainText(factor);
    selectTargetRow(request.toUnit ? ToQString(*request.toUnit) : QString());
}

// What is wrong, in the words the user can act on: no units, the evaluator's message, or the
// range a Numbers value must keep.
QString AllUnitsPane::statusText(const ConversionRequest& request,
                                 const ConversionResult& result) const {
    if (model_->unitCount() == 0)
        return QStringLiteral("No units");
    if (!result.errorMessage.empty())
        return ToQString(ErrorDescription(result));
    if (result.output != kErrorText)
        return QString();
    if (RuleForCategory(catalogue_.CategoryName(request.category)) == ConversionRule::Numbers)
        return QStringLiteral("Error: not a whole number between -2147483648 and 2147483647");
    return QStringLiteral("Error");
}

// The row of the target unit is the current, selected one, scrolled into view; the focus
// stays where it is.
void AllUnitsPane::selectTargetRow(const QString& name) {
    targetName_ = name;
    const int row = model_->rowOfName(name);
    QItemSelectionModel* selection = table_->selectionModel();
    const QModelIndex index = model_->index(row, AllUnitsModel::UnitColumn);
    if (row < 0) {
        selection->clearSelection();
    } else if (selection->currentIndex().row() != row || !selection->hasSelection()) {
        selection->setCurrentIndex(index,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
}

void AllUnitsPane::chooseRow(int row, bool asSource) {
    if (model_->unitAt(row) < 0)
        return;
    const QString name = model_->nameAt(row);
    if (asSource) {
        emit sourceChosen(name);
    } else {
        emit targetChosen(name);
    }
}

bool AllUnitsPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched != table_ || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const int row = table_->currentIndex().row();
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
        chooseRow(row, modifiers == Qt::ShiftModifier);
        return true;
    }
    if (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier) {
        const QRect place = table_->visualRect(table_->currentIndex());
        showRowMenu(place.isValid() ? place.center() : QPoint(0, 0));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void AllUnitsPane::showRowMenu(const QPoint& at) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("allUnitsMenu"));
    menu.addAction(copyValueAction_);
    menu.addAction(copyValueWithUnitAction_);
    menu.addAction(copyAllAction_);
    const int row = table_->currentIndex().row();
    const bool hasValue = !model_->valueAt(row).isEmpty();
    copyValueAction_->setEnabled(hasValue);
    copyValueWithUnitAction_->setEnabled(hasValue);
    copyAllAction_->setEnabled(model_->rowCount() > 0);
    menu.exec(table_->viewport()->mapToGlobal(at));
}

void AllUnitsPane::copy(const QString& text) {
    if (!text.isEmpty())
        services_.setClipboardText(text);
}

void AllUnitsPane::copyValue() {
    copy(model_->valueAt(table_->currentIndex().row()));
}

void AllUnitsPane::copyValueWithUnit() {
    const int row = table_->currentIndex().row();
    const QString value = model_->valueAt(row);
    if (value.isEmpty())
        return;
    copy(ToQString(
        ValueWithUnit(catalogue_, model_->category(), model_->unitAt(row), value.toStdString())));
}

// One line per row, value TAB unit, which a spreadsheet pastes as two columns.
void AllUnitsPane::copyAll() {
    QString text;
    for (int row = 0; row < model_->rowCount(); ++row) {
        const QString value = model_->valueAt(row);
        if (value.isEmpty())
            return;
        text += value + QLatin1Char('\t') +
                ToQString(UnitCopyText(catalogue_, model_->category(), model_->unitAt(row))) +
                QLatin1Char('\n');
    }
    copy(text);
}

}  // namespace korvane
