#include "ui/main/CConverterDlg.h"

#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

#include "app/ConverterState.h"
#include "ui/main/ApplicationIcon.h"
#include "ui/main/MainWindowKeyFilter.h"
#include "ui/main/PictureControl.h"

namespace korvane {

namespace {

constexpr QSize kBannerSize(250, 57);
constexpr QSize kInvertSize(32, 32);
constexpr int kToolTipDurationMs = 30000;

// The template's font; where it is missing the desktop's own font keeps the look native.
constexpr const char* kDialogFontFamily = "Verdana";
constexpr int kDialogFontPoints = 8;

const char* const kInputToolTip =
    "Enter your value in the Input Box :\r\n\r\nas Decimal, e.g. 1.75\r\nas Exponent, e.g. "
    "1.2e-5\r\nas Partial Fraction, e.g. 7/8  or\r\nas Mixed Fraction, e.g. 2+3/4  (for 2\u00be). ";
const char* const kInvertToolTip = "Click on the icon to invert currently selected units";

// Tooltip texts are kept as the resource strings read; Qt breaks lines at "\n" only.
QString ToolTipText(const char* resourceText) {
    return QString::fromUtf8(resourceText).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A unit list the user cannot empty: a Ctrl+click on the selected unit, or a drag that ends
// below the last entry, would otherwise leave no unit selected, and the output would keep
// showing the result for a unit that is no longer chosen.
class UnitList final : public QListWidget {
  public:
    using QListWidget::QListWidget;

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override {
        const QItemSelectionModel::SelectionFlags command =
            QListWidget::selectionCommand(index, event);
        if (!index.isValid() ||
            command.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)) {
            return QItemSelectionModel::NoUpdate;
        }
        return command;
    }
};

QListWidget* CreateUnitList(const char* objectName, QWidget* parent) {
    auto* list = new UnitList(parent);
    list->setObjectName(QString::fromLatin1(objectName));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setUniformItemSizes(true);
    return list;
}

QLabel* CreateUnitLabel(const char* objectName, QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("Static"), parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

CConverterDlg::CConverterDlg(ConverterState& state, DesktopServices& services, QWidget* parent)
    : CConverterDlg(state, services, Pictures{}, parent) {}

CConverterDlg::CConverterDlg(ConverterState& state, DesktopServices& services, Pictures pictures,
                             QWidget* parent)
    : QDialog(parent),
      state_(state),
      services_(services),
      pictureNames_(std::move(pictures)),
      writeReporter_(services, this),
      m_picBanner(services, this),
      m_picInvert(services, this) {
    setObjectName(QStringLiteral("converterWindow"));
    applyLookAndFeel();
    createWidgets();
    createLayout();
    createActions();
    createConnections();
    createKeyCommands();
}

CConverterDlg::~CConverterDlg() = default;

void CConverterDlg::applyLookAndFeel() {
    setWindowTitle(QStringLiteral("Korvane Unit Converter"));
    // A top-level window with caption, system menu, minimize box and close box; not resizable.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    if (QFontDatabase::families().contains(QString::fromLatin1(kDialogFontFamily))) {
        setFont(QFont(QString::fromLatin1(kDialogFontFamily), kDialogFontPoints));
    }
    setWindowIcon(ApplicationIcon());
}

// Dialog units of the template scaled by the font, as the template's own font would scale them.
int CConverterDlg::dluX(int units) const {
    const QFontMetrics metrics(font());
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int baseX = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    return (units * baseX + 2) / 4;
}

int CConverterDlg::dluY(int units) const {
    const int baseY = QFontMetrics(font()).height();
    return (units * baseY + 4) / 8;
}

void CConverterDlg::createWidgets() {
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("menuBar"));

    categoryList_ = new QComboBox(this);
    categoryList_->setObjectName(QStringLiteral("categoryList"));
    categoryList_->setMaxVisibleItems(12);
    categoryList_->setInsertPolicy(QComboBox::NoInsert);

    inputUnitList_ = CreateUnitList("inputUnitList", this);
    outputUnitList_ = CreateUnitList("outputUnitList", this);

    inputEdit_ = new QLineEdit(QStringLiteral("1"), this);
    inputEdit_->setObjectName(QStringLiteral("inputEdit"));
    outputEdit_ = new QLineEdit(QStringLiteral("1"), this);
    outputEdit_->setObjectName(QStringLiteral("outputEdit"));
    outputEdit_->setReadOnly(true);

    inputUnitLabel_ = CreateUnitLabel("inputUnitLabel", this);
    outputUnitLabel_ = CreateUnitLabel("outputUnitLabel", this);
    inputCaption_ = new QLabel(QStringLiteral("INPUT"), this);
    outputCaption_ = new QLabel(QStringLiteral("OUTPUT"), this);

    banner_ = new PictureControl(m_picBanner, kBannerSize, this);
    banner_->setObjectName(QStringLiteral("banner"));
    banner_->setFixedSize(kBannerSize);
    banner_->setCursor(Qt::PointingHandCursor);
    invertIcon_ = new PictureControl(m_picInvert, kInvertSize, this);
    invertIcon_->setObjectName(QStringLiteral("invertIcon"));
    invertIcon_->setFixedSize(kInvertSize);

    // The template's hidden, disabled default button: it keeps Enter from ending the dialog.
    hiddenDefaultButton_ = new QPushButton(QStringLiteral("Button2"), this);
    hiddenDefaultButton_->setObjectName(QStringLiteral("hiddenDefaultButton"));
    hiddenDefaultButton_->setDefault(true);
    hiddenDefaultButton_->setEnabled(false);
    hiddenDefaultButton_->hide();

    setTabOrder(inputUnitList_, outputUnitList_);
    setTabOrder(outputUnitList_, inputEdit_);
    setTabOrder(inputEdit_, outputEdit_);
    setTabOrder(outputEdit_, categoryList_);
}

QGroupBox* CConverterDlg::createCategoryGroup() {
    auto* group = new QGroupBox(QStringLiteral("Select Category  "), this);
    group->setObjectName(QStringLiteral("categoryGroup"));
    categoryList_->setFixedWidth(dluX(122));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(categoryList_);
    return group;
}

QGroupBox* CConverterDlg::createUnitsGroup() {
    auto* group = new QGroupBox(QStringLiteral("Select Units "), this);
    group->setObjectName(QStringLiteral("unitsGroup"));
    const QSize listSize(dluX(119), dluY(75));
    inputUnitList_->setFixedSize(listSize);
    outputUnitList_->setFixedSize(listSize);
    auto* layout = new QGridLayout(group);
    layout->setHorizontalSpacing(0);
    layout->addWidget(inputCaption_, 0, 0, Qt::AlignHCenter);
    layout->addWidget(outputCaption_, 0, 2, Qt::AlignHCenter);
    layout->addWidget(inputUnitList_, 1, 0);
    layout->addWidget(invertIcon_, 1, 1, Qt::AlignCenter);
    layout->addWidget(outputUnitList_, 1, 2);
    layout->setColumnMinimumWidth(1, std::max(dluX(30), kInvertSize.width() + 8));
    // Extra width goes between the columns, so lists, boxes and labels stay aligned.
    layout->setColumnStretch(1, 1);
    return group;
}

QGroupBox* CConverterDlg::createResultGroup() {
    auto* group = new QGroupBox(QStringLiteral("Result "), this);
    group->setObjectName(QStringLiteral("resultGroup"));
    for (QWidget* widget :
         {static_cast<QWidget*>(inputEdit_), static_cast<QWidget*>(outputEdit_),
          static_cast<QWidget*>(inputUnitLabel_), static_cast<QWidget*>(outputUnitLabel_)}) {
        widget->setFixedWidth(dluX(119));
    }
    const int labelHeight = std::max(dluY(18), 2 * QFontMetrics(font()).lineSpacing());
    inputUnitLabel_->setFixedHeight(labelHeight);
    outputUnitLabel_->setFixedHeight(labelHeight);
    auto* layout = new QGridLayout(group);
    layout->setHorizontalSpacing(0);
    layout->addWidget(inputEdit_, 0, 0);
    layout->addWidget(outputEdit_, 0, 2);
    layout->addWidget(inputUnitLabel_, 1, 0);
    layout->addWidget(outputUnitLabel_, 1, 2);
    layout->setColumnMinimumWidth(1, std::max(dluX(30), kInvertSize.width() + 8));
    // Extra width goes between the columns, so lists, boxes and labels stay aligned.
    layout->setColumnStretch(1, 1);
    return group;
}

void CConverterDlg::createLayout() {
    auto* top = new QHBoxLayout;
    top->addWidget(createCategoryGroup(), 0, Qt::AlignTop);
    top->addSpacing(dluX(8));
    top->addStretch(1);
    // Room for the banner, which is placed by the rule of placeBanner(), not by the layout.
    top->addSpacerItem(new QSpacerItem(kBannerSize.width(), kBannerSize.height(),
                                       QSizePolicy::Fixed, QSizePolicy::Fixed));

    auto* root = new QVBoxLayout(this);
    root->setMenuBar(menuBar_);
    root->addLayout(top);
    root->addWidget(createUnitsGroup());
    root->addWidget(createResultGroup());
    // Fixed size: the window is as large as its contents and cannot be resized.
    root->setSizeConstraint(QLayout::SetFixedSize);
}

void CConverterDlg::createActions() {
    const auto addItem = [this](QMenu* menu, const char* text, const char* name) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    QMenu* file = menuBar_->addMenu(QStringLiteral("&File"));
    exitAction_ = addItem(file, "Exit", "actionExit");

    // The keys in the item texts are served by the window's key filter, not by the actions.
    QMenu* edit = menuBar_->addMenu(QStringLiteral("Edit"));
    copyOutputAction_ = addItem(edit, "Copy output\tCtrl+C", "actionCopyOutput");
    findAction_ = addItem(edit, "Find\tCtrl+F", "actionFind");
    invertAction_ = addItem(edit, "Invert selected units\tCtrl+I", "actionInvert");

    QMenu* options = menuBar_->addMenu(QStringLiteral("&Options"));
    calculatorAction_ = addItem(options, "Calculator\tCtrl+L", "actionCalculator");
    preferencesAction_ = addItem(options, "Preferences\tCtrl+P       ", "actionPreferences");

    QMenu* help = menuBar_->addMenu(QStringLiteral("&Help"));
    helpAction_ = addItem(help, "Help", "actionHelp");
    help->addSeparator();
    aboutAction_ = addItem(help, "&About...", "actionAbout");
    productPageAction_ = addItem(help, "Check for updates or donate...", "actionProductPage");
    // Copy output, Find, Calculator, Preferences, Help, About and the product page arrive with
    // their commands; until then the items are shown and do nothing.
}

void CConverterDlg::createConnections() {
    connect(categoryList_, &QComboBox::activated, this, &CConverterDlg::OnSelchangeCategory);
    connect(inputUnitList_, &QListWidget::itemSelectionChanged, this,
            &CConverterDlg::UpdateConversion);
    connect(outputUnitList_, &QListWidget::itemSelectionChanged, this,
            &CConverterDlg::UpdateConversion);
    connect(inputEdit_, &QLineEdit::textChanged, this, &CConverterDlg::UpdateConversion);
    connect(invertIcon_, &PictureControl::clicked, this, &CConverterDlg::OnInvert);
    connect(invertAction_, &QAction::triggered, this, &CConverterDlg::OnInvert);
    connect(exitAction_, &QAction::triggered, this, &CConverterDlg::OnFileExit);
}

void CConverterDlg::createKeyCommands() {
    keyFilter_ = new MainWindowKeyFilter(*this);
    keyFilter_->addCommand(QKeyCombination(Qt::ControlModifier, Qt::Key_I), [this] { OnInvert(); });
}

void CConverterDlg::setUpToolTips() {
    inputEdit_->setToolTip(ToolTipText(kInputToolTip));
    inputEdit_->setToolTipDuration(kToolTipDurationMs);
    invertIcon_->setToolTip(ToolTipText(kInvertToolTip));
    invertIcon_->setToolTipDuration(kToolTipDurationMs);
}

// 15 pixels from the window's right edge, vertically centred (less 1.5 pixels) on the
// category list.
void CConverterDlg::placeBanner() {
    // The window is not shown yet: lay out the group boxes too, so the list has its place.
    layout()->activate();
    for (QLayout* inner : findChildren<QLayout*>())
        inner->activate();
    const QRect list(categoryList_->mapTo(this, QPoint(0, 0)), categoryList_->size());
    const int x = frameGeometry().width() - (kBannerSize.width() + 15);
    const int y = static_cast<int>((list.top() + list.top() + list.height()) * 0.5 - 30);
    banner_->setGeometry(QRect(QPoint(x, y), kBannerSize));
}

void CConverterDlg::applyOnTop() {
    if (!readOnTop())
        return;
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    move(150, 150);
}

void CConverterDlg::OnInitDialog() {
    state_.catalogue.LoadBuiltInTables();
    loadCustomUnits();
    readVisibility();
    RestoreLastSelection();
    readDisplaySettings();
    placeBanner();
    m_picBanner.LoadFromResource(pictureNames_.banner);
    m_picInvert.LoadFromResource(pictureNames_.invert);
    applyOnTop();
    setUpToolTips();
    UpdateConversion();
    inputUnitList_->setFocus(Qt::OtherFocusReason);
}

}  // namespace korvane
