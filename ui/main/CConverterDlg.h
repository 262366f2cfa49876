#pragma once

#include <QDialog>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "catalogue/CatalogueAction.h"
#include "platform/Diagnostics.h"
#include "ui/main/CategoryBox.h"
#include "ui/main/FreeFormInput.h"
#include "ui/main/InputEdit.h"
#include "ui/main/UnitList.h"
#include "ui/widgets/CPicture.h"
#include "ui/widgets/SettingsWriteReporter.h"
#include "ui/widgets/WebAddresses.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;

namespace korvane {

class AllUnitsPane;
class CSearchUnits;
class CPropSheet;
class DesktopServices;
class PictureControl;
struct ConversionRequest;
struct ConversionResult;
struct ConverterState;

// The converter window: category list, INPUT and OUTPUT unit lists, input and output boxes
// with their unit labels, the invert icon and the banner. It converts live as the user picks
// and types; it is the program's only top-level window.
class CConverterDlg : public QDialog {
    Q_OBJECT
  public:
    // Where the two pictures come from (Qt resources ":/GIF/<name>").
    struct Pictures {
        QString banner = QStringLiteral("186");
        QString invert = QStringLiteral("190");
    };

    CConverterDlg(ConverterState& state, DesktopServices& services, QWidget* parent = nullptr);
    CConverterDlg(ConverterState& state, DesktopServices& services, Pictures pictures,
                  QWidget* parent = nullptr);
    ~CConverterDlg() override;

    // Loads the catalogue and the settings and shows the first conversion; once, before the
    // window is shown.
    void OnInitDialog();

    void FillCategoryList();
    void FillUnitLists();
    void RestoreLastSelection();
    void OnSelchangeCategory();
    void UpdateConversion();

    // The pages the banner, Help's "Check for updates or donate..." and the About box open;
    // none until the application object names them.
    void setWebAddresses(WebAddresses addresses) { addresses_ = std::move(addresses); }

    // The commands of the menu, the keys, the invert icon and the banner:
    // CConverterDlgCommands.cpp. None of them acts while another dialog is open.
    void OnCopyOutput();
    void OnFind();
    void OnInvert();
    void OnCalculator();
    void OnHelp();
    void OnAbout();
    void OnProductPage();
    void OnHomePage();

    // The all-units pane and the copies with the unit: CConverterDlgPane.cpp. F9 and the
    // output box's "Show all units" open and close the pane; it is built when first opened.
    void OnAllUnits();
    void showAllUnitsPane(bool open);
    AllUnitsPane* allUnitsPane() const { return allUnitsPane_; }
    // Ctrl+Shift+C, "Copy with unit": "600 cm". "Copy conversion": "6 meter = 600 centimeter".
    void OnCopyWithUnit();
    void OnCopyConversion();
    // The output box's context menu: the line edit's own items, then the commands above.
    std::unique_ptr<QMenu> createOutputMenu();

    // Options, Preferences: runs the sheet and, on OK, takes over the result format and the
    // category visibility the pages chose.
    void OnPreferences();
    // The command's two halves around the sheet's modal run, which tests replace by driving
    // the sheet themselves.
    std::unique_ptr<CPropSheet> createPreferencesSheet();
    void applyPreferences(const CPropSheet& sheet, int result);
    // Keeps the window above all others, or lets it go; it keeps its place and size.
    void SetOnTop(bool on);

    int currentCategory() const { return m_nCurrentCategory; }
    // Settings writes made while the window runs (the Preferences pages) report failures here,
    // so the user is warned once per run, whichever write failed first.
    SettingsWriteReporter& settingsWriteReporter() { return writeReporter_; }

  public slots:
    // File, Exit: saves the display settings, not the selection, and ends the run.
    void OnFileExit();
    // A page that changed the catalogue reports the row and what happened to it; the
    // Preferences command connects the page's signal here. Indexes outside 0..46 and unknown
    // actions are ignored.
    void OnCatalogueChanged(int index, korvane::CatalogueAction action);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void createWidgets();
    void createLayout();
    void createActions();
    void createConnections();
    void createKeyCommands();
    void applyLookAndFeel();
    void setUpToolTips();
    // Accessibility: CConverterDlgAccessibility.cpp.
    void nameControls();
    // `note`: how a typed conversion was read, spoken after the result.
    void describeResult(const QString& output, const QString& unitName, const QString& error,
                        const QString& note = QString());
    void nameUnitLabels();
    void placeBanner();
    void applyOnTop();

    // The template's width of the category box, in dialog units; names that need more widen it.
    static constexpr int kCategoryBoxWidth = 122;

    QGroupBox* createCategoryGroup();
    QGroupBox* createUnitsGroup();
    QGroupBox* createResultGroup();
    int dluX(int units) const;
    int dluY(int units) const;

    // The user chose an entry of the category list, perhaps the one already shown.
    void onCategoryActivated();
    void fitCategoryBox();
    void selectFirstUnits();
    void clearUnitLists();
    void clearResult();
    ConversionRequest conversionRequest() const;
    void showResult(const ConversionRequest& request, const ConversionResult& result,
                    const QString& error, const QString& note);
    void showInPane(const ConversionRequest& request, const ConversionResult& result);
    // A text the evaluator rejected, read as a conversion: on a reading the lists show it and
    // the output its converted value; on a refusal the lists stay and the output says "Error".
    void showFreeFormAnswer(const ConversionRequest& request, const ConversionResult& rejected,
                            const FreeFormAnswer& answer);
    bool showReading(const ReadingSelection& selection);
    std::optional<std::string> selectedUnitText(const QListWidget* list) const;
    QString outputToolTip(const ConversionRequest& request, const ConversionResult& result) const;
    std::optional<ConversionResult> copyableConversion(const ConversionRequest& request) const;
    void buildAllUnitsPane();
    void choosePaneUnit(UnitList* list, const QString& name);
    void showOutputMenu(const QPoint& at);
    void removeUnlistedCategoryEntries(bool currentWasRemoved);
    void takeRefreshedCatalogue();

    bool anotherDialogOpen() const;
    // Find's hand-over: lists the chosen built-in category if it is not listed (making it
    // visible for good), selects it and shows the chosen unit in both lists.
    void showFoundUnit(const CSearchUnits& search);
    // The half of that hand-over a typed conversion shares: lists the category if it is a
    // hidden built-in one and selects it. False when the window cannot list it.
    bool listCategory(int category);
    void openPage(const QString& address);
    void rebuildCategoryList();

    // Settings access: the only places that read or write the settings file.
    void loadCustomUnits();
    void readVisibility();
    struct RememberedSelection {
        std::string category = "NONE";
        int from = 0;
        int to = 0;
    };
    RememberedSelection readRememberedSelection();
    void readDisplaySettings();
    bool readOnTop();
    bool readAllUnitsPane();
    void saveAllUnitsPane();
    void saveDisplaySettings();
    void saveLastSelection(const std::string& categoryText, int toPosition, int fromPosition);

    ConverterState& state_;
    DesktopServices& services_;
    Pictures pictureNames_;
    WebAddresses addresses_;
    SettingsWriteReporter writeReporter_;

    int m_nCurrentCategory = 0;
    // Decided once, at start: whether anyone reads the evaluator's diagnostics (Diagnostics.h).
    const bool printDiagnostics_ = DiagnosticsWantedHere();
    FreeFormInput freeForm_;

    CPicture m_picBanner;
    CPicture m_picInvert;

    // The controls, created by createWidgets() and owned by the window as its children.
    struct Widgets {
        QMenuBar* menuBar = nullptr;
        CategoryBox* categoryList = nullptr;
        UnitList* inputUnitList = nullptr;
        UnitList* outputUnitList = nullptr;
        InputEdit* inputEdit = nullptr;
        QLineEdit* outputEdit = nullptr;
        QLabel* inputUnitLabel = nullptr;
        QLabel* outputUnitLabel = nullptr;
        QLabel* inputCaption = nullptr;
        QLabel* outputCaption = nullptr;
        PictureControl* banner = nullptr;
        PictureControl* invertIcon = nullptr;
    };
    // The menu items, created by createActions(); createConnections() ties them to the command
    // handlers.
    struct Actions {
        QAction* exit = nullptr;
        QAction* copyOutput = nullptr;
        QAction* find = nullptr;
        QAction* invert = nullptr;
        QAction* calculator = nullptr;
        QAction* preferences = nullptr;
        QAction* help = nullptr;
        QAction* about = nullptr;
        QAction* productPage = nullptr;
    };
    Widgets widgets_;
    Actions actions_;
    // None until the user first opens it: a window without it has exactly the controls above.
    AllUnitsPane* allUnitsPane_ = nullptr;
};

}  // namespace korvane
