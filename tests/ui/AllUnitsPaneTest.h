#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

int SavePaneScreenshots(const QString& folder);

class AllUnitsPaneTest : public WindowTestCase {
    Q_OBJECT
  private slots:
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
    void pressF9(ConverterWindow& window);
};

}  // namespace korvane::test
