#include "ui/main/CConverterDlg.h"

#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QSpacerItem>
#include <QVBoxLayout>
#include <QWindow>

#include <cmath>
#include <utility>

#include "app/ConverterState.h"
#include "ui/main/MainWindowKeyFilter.h"
#include "ui/widgets/ApplicationIcon.h"
#include "ui/widgets/DialogUnits.h"
#include "ui/widgets/PictureControl.h"

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

QLabel* CreateUnitLabel(const char* objectName, QWidget* parent) {
    auto* label = new QLabel(parent);
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
      // The desktop's numbers, as the user types them; handed in, never set for the process.
      freeForm_(DecimalSeparatorOf(QLocale::system())),
      m_picBanner(services, this),
      m_picInvert(services, this) {
    setObjectName(QStringLiteral("converterWindow"));
    applyLookAndFeel();
    createWidgets();
    createLayout();
    createActions();
    createConnections();
    createKeyCommands();
    nameControls();
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
    return DialogUnitsX(font(), units);
}

int CConverterDlg::dluY(int units) const {
    return DialogUnitsY(font(), units);
}

void CConverterDlg::createWidgets() {
    widgets_.menuBar = new QMenuBar(this);
    widgets_.menuBar->setObjectName(QStringLiteral("menuBar"));

    widgets_.categoryList = new CategoryBox(this);
    widgets_.categoryList->setObjectName(QStringLiteral("categoryList"));

    widgets_.inputUnitList = new UnitList(QStringLiteral("inputUnitList"), this);
    widgets_.outputUnitList = new UnitList(QStringLiteral("outputUnitList"), this);

    widgets_.inputEdit = new InputEdit(QStringLiteral("1"), this);
    widgets_.inputEdit->setObjectName(QStringLiteral("inputEdit"));
    // Empty until the first conversion fills it: nothing shows that was not converted.
    widgets_.outputEdit = new QLineEdit(this);
    widgets_.outputEdit->setObjectName(QStringLiteral("outputEdit"));
    widgets_.outputEdit->setReadOnly(true);

    widgets_.inputUnitLabel = CreateUnitLabel("inputUnitLabel", this);
    widgets_.outputUnitLabel = CreateUnitLabel("outputUnitLabel", this);
    widgets_.inputCaption = new QLabel(QStringLiteral("INPUT"), this);
    widgets_.outputCaption = new QLabel(QStringLiteral("OUTPUT"), this);

    widgets_.banner = new PictureControl(m_picBanner, kBannerSize, this);
    widgets_.banner->setObjectName(QStringLiteral("banner"));
    widgets_.banner->setFixedSize(kBannerSize);
    widgets_.banner->setCursor(Qt::PointingHandCursor);
    widgets_.invertIcon = new PictureControl(m_picInvert, kInvertSize, this);
    widgets_.invertIcon->setObjectName(QStringLiteral("invertIcon"));
    widgets_.invertIcon->setFixedSize(kInvertSize);

    // The template's hidden default button ("Button2") only keeps Enter from ending the
    // dialog; a Qt dialog without a visible default button ignores Enter anyway, and a hidden
    // button would still be listed to screen readers. So there is none.

    setTabOrder(widgets_.inputUnitList, widgets_.outputUnitList);
    setTabOrder(widgets_.outputUnitList, widgets_.inputEdit);
    setTabOrder(widgets_.inputEdit, widgets_.outputEdit);
    setTabOrder(widgets_.outputEdit, widgets_.categoryList);
}

QGroupBox* CConverterDlg::createCategoryGroup() {
    auto* group = new QGroupBox(QStringLiteral("Select Category  "), this);
    group->setObjectName(QStringLiteral("categoryGroup"));
    widgets_.categoryList->setFixedWidth(dluX(kCategoryBoxWidth));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(widgets_.categoryList);
    return group;
}

QGroupBox* CConverterDlg::createUnitsGroup() {
    auto* group = new QGroupBox(QStringLiteral("Select Units "), this);
    group->setObjectName(QStringLiteral("unitsGroup"));
    widgets_.inputUnitList->fitWholeRows(dluX(119), dluY(75));
    widgets_.outputUnitList->fitWholeRows(dluX(119), dluY(75));
    auto* layout = new QGridLayout(group);
    layout->setHorizontalSpacing(0);
    layout->addWidget(widgets_.inputCaption, 0, 0, Qt::AlignHCenter);
    layout->addWidget(widgets_.outputCaption, 0, 2, Qt::AlignHCenter);
    layout->addWidget(widgets_.inputUnitList, 1, 0);
    layout->addWidget(widgets_.invertIcon, 1, 1, Qt::AlignCenter);
    layout->addWidget(widgets_.outputUnitList, 1, 2);
    layout->setColumnMinimumWidth(1, std::max(dluX(30), kInvertSize.width() + 8));
    // Extra width goes between the columns, so lists, boxes and labels stay aligned.
    layout->setColumnStretch(1, 1);
    return group;
}

QGroupBox* CConverterDlg::createResultGroup() {
    auto* group = new QGroupBox(QStringLiteral("Result "), this);
    group->setObjectName(QStringLiteral("resultGroup"));
    for (QWidget* widget :
         {static_cast<QWidget*>(widgets_.inputEdit), static_cast<QWidget*>(widgets_.outputEdit),
          static_cast<QWidget*>(widgets_.inputUnitLabel),
          static_cast<QWidget*>(widgets_.outputUnitLabel)}) {
        widget->setFixedWidth(dluX(119));
    }
    const int labelHeight = std::max(dluY(18), 2 * QFontMetrics(font()).lineSpacing());
    widgets_.inputUnitLabel->setFixedHeight(labelHeight);
    widgets_.outputUnitLabel->setFixedHeight(labelHeight);
    auto* layout = new QGridLayout(group);
    layout->setHorizontalSpacing(0);
    layout->addWidget(widgets_.inputEdit, 0, 0);
    layout->addWidget(widgets_.outputEdit, 0, 2);
    layout->addWidget(widgets_.inputUnitLabel, 1, 0);
    layout->addWidget(widgets_.outputUnitLabel, 1, 2);
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

    auto* column = new QVBoxLayout;
    column->addLayout(top);
    column->addWidget(createUnitsGroup());
    column->addWidget(createResultGroup());
    // The controls stand in one column; the all-units pane, once opened, goes to its right, so
    // the window widens and nothing in the column moves.
    auto* root = new QHBoxLayout(this);
    root->setMenuBar(widgets_.menuBar);
    root->addLayout(column);
    // Fixed size: the window is as large as its contents and cannot be resized.
    root->setSizeConstraint(QLayout::SetFixedSize);
}

void CConverterDlg::createActions() {
    const auto addItem = [this](QMenu* menu, const char* text, const char* name) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    QMenu* file = widgets_.menuBar->addMenu(QStringLiteral("&File"));
    actions_.exit = addItem(file, "Exit", "actionExit");

    // The keys in the item texts are served by the window's key filter, not by the actions.
    QMenu* edit = widgets_.menuBar->addMenu(QStringLiteral("Edit"));
    actions_.copyOutput = addItem(edit, "Copy output\tCtrl+C", "actionCopyOutput");
    actions_.find = addItem(edit, "Find\tCtrl+F", "actionFind");
    actions_.invert = addItem(edit, "Invert selected units\tCtrl+I", "actionInvert");

    QMenu* options = widgets_.menuBar->addMenu(QStringLiteral("&Options"));
    actions_.calculator = addItem(options, "Calculator\tCtrl+L", "actionCalculator");
    actions_.preferences = addItem(options, "Preferences\tCtrl+P       ", "actionPreferences");

    QMenu* help = widgets_.menuBar->addMenu(QStringLiteral("&Help"));
    actions_.help = addItem(help, "Help", "actionHelp");
    help->addSeparator();
    actions_.about = addItem(help, "&About...", "actionAbout");
    actions_.productPage = addItem(help, "Check for updates or donate...", "actionProductPage");
    // Preferences arrives with its command; until then the item is shown and does nothing.
}

void CConverterDlg::createConnections() {
    connect(widgets_.categoryList, &QComboBox::activated, this,
            &CConverterDlg::onCategoryActivated);
    connect(widgets_.inputUnitList, &QListWidget::itemSelectionChanged, this,
            &CConverterDlg::UpdateConversion);
    connect(widgets_.outputUnitList, &QListWidget::itemSelectionChanged, this,
            &CConverterDlg::UpdateConversion);
    connect(widgets_.inputEdit, &QLineEdit::textChanged, this, &CConverterDlg::UpdateConversion);
    widgets_.outputEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(widgets_.outputEdit, &QWidget::customContextMenuRequested, this,
            &CConverterDlg::showOutputMenu);
    connect(widgets_.invertIcon, &PictureControl::clicked, this, &CConverterDlg::OnInvert);
    connect(widgets_.banner, &PictureControl::clicked, this, &CConverterDlg::OnHomePage);
    connect(actions_.exit, &QAction::triggered, this, &CConverterDlg::OnFileExit);
    connect(actions_.copyOutput, &QAction::triggered, this, &CConverterDlg::OnCopyOutput);
    connect(actions_.find, &QAction::triggered, this, &CConverterDlg::OnFind);
    connect(actions_.invert, &QAction::triggered, this, &CConverterDlg::OnInvert);
    connect(actions_.calculator, &QAction::triggered, this, &CConverterDlg::OnCalculator);
    connect(actions_.help, &QAction::triggered, this, &CConverterDlg::OnHelp);
    connect(actions_.about, &QAction::triggered, this, &CConverterDlg::OnAbout);
    connect(actions_.productPage, &QAction::triggered, this, &CConverterDlg::OnProductPage);
    connect(actions_.preferences, &QAction::triggered, this, &CConverterDlg::OnPreferences);
}

void CConverterDlg::createKeyCommands() {
    // Owned by the window, as its child.
    auto* keyFilter = new MainWindowKeyFilter(*this);
    const auto ctrl = [](Qt::Key key) { return QKeyCombination(Qt::ControlModifier, key); };
    keyFilter->addCommand(ctrl(Qt::Key_L), [this] { OnCalculator(); });
    keyFilter->addCommand(ctrl(Qt::Key_C), [this] { OnCopyOutput(); });
    keyFilter->addCommand(ctrl(Qt::Key_I), [this] { OnInvert(); });
    keyFilter->addCommand(ctrl(Qt::Key_F), [this] { OnFind(); });
    keyFilter->addCommand(ctrl(Qt::Key_P), [this] { OnPreferences(); });
    // The desktop's own conventions, beside the keys the menus show.
    keyFilter->addCommand(QKeyCombination(Qt::Key_F1), [this] { OnHelp(); });
    keyFilter->addCommand(ctrl(Qt::Key_Q), [this] { OnFileExit(); });
    keyFilter->addCommand(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_C),
                          [this] { OnCopyWithUnit(); });
    keyFilter->addCommand(QKeyCombination(Qt::Key_F9), [this] { OnAllUnits(); });
}

void CConverterDlg::setUpToolTips() {
    widgets_.inputEdit->setToolTip(ToolTipText(kInputToolTip));
    widgets_.inputEdit->setToolTipDuration(kToolTipDurationMs);
    widgets_.invertIcon->setToolTip(ToolTipText(kInvertToolTip));
    widgets_.invertIcon->setToolTipDuration(kToolTipDurationMs);
}

// 15 pixels from the window's right edge, vertically centred (less 1.5 pixels) on the
// category list.
void CConverterDlg::placeBanner() {
    // The window is not shown yet: lay out the group boxes too, so the list has its place.
    layout()->activate();
    for (QLayout* inner : findChildren<QLayout*>())
        inner->activate();
    const QRect list(widgets_.categoryList->mapTo(this, QPoint(0, 0)),
                     widgets_.categoryList->size());
    const int x = frameGeometry().width() - (kBannerSize.width() + 15);
    const int y = static_cast<int>((list.top() + list.top() + list.height()) * 0.5 - 30);
    widgets_.banner->setGeometry(QRect(QPoint(x, y), kBannerSize));
}

void CConverterDlg::applyOnTop() {
    if (!readOnTop())
        return;
    SetOnTop(true);
    move(150, 150);
}

void CConverterDlg::SetOnTop(bool on) {
    const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowStaysOnTopHint, on);
    QWindow* handle = windowHandle();
    if (handle == nullptr) {
        setWindowFlags(flags);
        return;
    }
    // A shown window is told through its platform window: setWindowFlags() would hide and
    // re-create it, and the open Preferences sheet would lose the window it belongs to.
    overrideWindowFlags(flags);
    handle->setFlags(flags);
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
    // After the banner has its place: the pane widens the window, the banner stays.
    if (readAllUnitsPane())
        showAllUnitsPane(true);
    widgets_.inputUnitList->setFocus(Qt::OtherFocusReason);
}

}  // namespace korvane
