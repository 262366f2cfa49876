#pragma once

#include <QObject>

#include <memory>

#include "UiTestSupport.h"

namespace korvane::test {

class PreferencesTest : public WindowTestCase {
    Q_OBJECT
  private slots:
    void sheetHasFourPagesOpeningOnGeneral();
    void tabKeyGoesFromTheTabsIntoThePage();
    void onlyShownPagesAreBuilt();
    void ctrlPOpensTheSheetFromEveryControl();

    void generalPageShowsTheStoredFlags_data();
    void generalPageShowsTheStoredFlags();
    void alwaysOnTopAppliesAtOnceAndSurvivesCancel();
    void abbreviationsOffIsStoredEvenOnCancel();
    void failedWritesWarnOncePerRun();

    void visiblePageListsTheFortyTwoByTheirFlags();
    void clearedCategoryLeavesAtOnceAndAfterARestart();
    void displayAllMakesEveryCategoryVisible();
    void cancelLeavesTheVisibilityAlone();
    void onceTheListHadTheFocusEveryOkRebuilds();
    void rebuildKeepsTwoCharacterCustomCategories();
    void everyCategoryClearedLeavesNothingToConvert();
};

}  // namespace korvane::test
