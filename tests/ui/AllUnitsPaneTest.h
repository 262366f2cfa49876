#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

int SavePaneScreenshots(const QString& folder);

class AllUnitsPaneTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void neverOpenedChangesNothing();
    void f9WidensTheWindowAndNothingMoves();
    void everyRowShowsWhatTheCommandLineConverts();
    void rowsChooseTheTargetOrTheSourceAndKeepTheInput();
    void filterNarrowsRowsAsFindMatches();
    void copiesCarryTheUnitAndLeaveErrorsAlone();
    void rowMenuCopiesValuesAndTheWholeTable();
    void openPaneIsRestoredAtTheNextStart();
    void badInputIsExplainedInTheStatusLine_data();
    void badInputIsExplainedInTheStatusLine();
    void largeAndEmptyCustomCategories();

  private:
    std::unique_ptr<ConverterWindow> open();
    void pressF9(ConverterWindow& window);

    ModalWatchdog watchdog_;
    std::unique_ptr<SettingsFile> settings_;
};

}  // namespace korvane::test
